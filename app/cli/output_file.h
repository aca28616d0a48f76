// Where a command writes: standard output, or a file written whole or not
// at all (see FileSostitutivo: a link is written through, a pipe or a device
// as it stands, a pipe nobody reads refused at once).
#pragma once

#include "document/file_io.h"

#include <memory>
#include <ostream>
#include <string>

namespace tarvelo::cli {

class OutputFile {
  public:
    // An empty path writes to `fallback`.
    OutputFile(const std::string& path, std::ostream& fallback);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const { return aperto_.ok; }
    // Why the file could not be opened.
    const std::string& openError() const { return aperto_.errore; }
    std::ostream& stream();
    // Flushes and, for a file, puts it in place. False on any write error,
    // with the reason in `error`.
    bool commit(std::string& error);

  private:
    class Buffer;
    std::string path_;
    std::ostream& fallback_;
    std::unique_ptr<FileSostitutivo> file_;
    std::unique_ptr<Buffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
    Esito aperto_;
};

} // namespace tarvelo::cli

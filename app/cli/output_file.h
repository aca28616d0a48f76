// Where a command writes: standard output, or a file that is replaced only
// when the command has written it whole (an existing file is never left
// half-written). A link is written through; a pipe or a device is written
// as it stands.
#pragma once

#include <fstream>
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

    bool isOpen() const { return ok_; }
    std::ostream& stream() { return path_.empty() ? fallback_ : file_; }
    // Flushes and, for a file, puts it in place. False on any write error,
    // with the reason in `error`.
    bool commit(std::string& error);

  private:
    std::string path_;
    std::string partPath_;
    std::ostream& fallback_;
    std::ofstream file_;
    bool ok_ = true;
    bool committed_ = false;
    bool diretto_ = false; // a pipe or a device, written as it stands
};

} // namespace tarvelo::cli

// File access for the records: whole-range reads and writes at offsets, and
// paths as the settings write them ("\" or "/" separators, an optional drive
// letter) turned into paths of this system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo {

// The outcome of a file operation: ok, or an Italian message saying why not.
struct Esito {
    bool ok = true;
    std::string errore;
    static Esito fallito(std::string messaggio) { return {false, std::move(messaggio)}; }
};

// "\" becomes "/". (A drive letter means nothing here; the settings drop
// it from the folders they read.)
std::string nativePath(const std::string& path);

std::optional<std::uintmax_t> fileSize(const std::string& path);
bool fileExists(const std::string& path);

// Reads exactly n bytes at offset; fails (with a message naming the file)
// when the file is missing or shorter.
Esito readAt(const std::string& path, std::uint64_t offset, std::size_t n,
             std::vector<std::uint8_t>& out);
Esito readAll(const std::string& path, std::vector<std::uint8_t>& out);

// Writes bytes at offset into an existing file, leaving the rest as it is.
Esito writeAt(const std::string& path, std::uint64_t offset, const std::vector<std::uint8_t>& data);

// Replaces a file with `data` without ever leaving it half written: the
// bytes go to a temporary file in the same folder, are flushed to disk, and
// the temporary file is renamed over the old one. A symbolic link is
// followed, so the file it names is replaced and the link stays.
// A report regenerated from the work at every calculation (a log, a
// trace) skips the flush to disk: a crash of the system may leave the old
// one, never a half-written one, and the next calculation writes it again.
enum class Scrittura { Sicura, Rapporto };
Esito replaceFile(const std::string& path, const std::vector<std::uint8_t>& data,
                  Scrittura modo = Scrittura::Sicura);

// "<path>.bak", or "<path>.1.bak", "<path>.2.bak", ... : the first name not
// taken, so that no earlier copy is overwritten.
std::string freeBackupName(const std::string& path);

} // namespace tarvelo

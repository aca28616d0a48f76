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

// How a replacement reaches the disk. A document is flushed to disk before
// it takes the old file's place. A report regenerated from the work at every
// calculation (a log, a trace) skips the flush: a crash of the system may
// leave the old one, never a half-written one, and the next calculation
// writes it again.
enum class Scrittura { Sicura, Rapporto };

// A file written whole or not at all, the one way every output of the
// program reaches the disk. The bytes go to a temporary file of a name of
// its own beside the target (so that two processes never share one), every
// write and the close are checked, and `conferma` renames it over the old
// file; on any failure, or when the object goes without `conferma`, the
// temporary file is removed and the old file stays as it was.
// The target is resolved once, by one rule: a symbolic link is followed and
// the file it names is replaced (the link stays); a link that leads nowhere
// or to itself is refused; a pipe or a device takes the bytes as they come,
// and a pipe nobody reads is refused at once instead of waiting; a folder,
// or anything else that is not a file, is not replaced by one.
class FileSostitutivo {
  public:
    explicit FileSostitutivo(std::string path, Scrittura modo = Scrittura::Sicura);
    ~FileSostitutivo();
    FileSostitutivo(const FileSostitutivo&) = delete;
    FileSostitutivo& operator=(const FileSostitutivo&) = delete;

    Esito apri();
    Esito scrivi(const void* data, std::size_t n);
    Esito conferma();
    // True for a pipe or a device, written as it stands.
    bool diretto() const { return diretto_; }

  private:
    void abbandona();

    std::string path_;   // as given, for the messages
    std::string target_; // the file the bytes end up in
    std::string temp_;
    Scrittura modo_;
    int fd_ = -1;
    bool diretto_ = false;
    Esito errore_; // the first failure; every later call returns it
};

// `data` written through a FileSostitutivo.
Esito replaceFile(const std::string& path, const std::vector<std::uint8_t>& data,
                  Scrittura modo = Scrittura::Sicura);

// An exclusive advisory lock (flock) between processes, held while the
// object lives: on a lock file, created when missing, or on a folder. Where
// the file cannot be opened (a read-only folder) or the file system has no
// locks, nothing is locked: the writes that follow report their own errors.
// Two locks on one file in one process wait for each other: take it once,
// at the start of the whole operation.
class BloccoEsclusivo {
  public:
    explicit BloccoEsclusivo(const std::string& path);
    ~BloccoEsclusivo();
    BloccoEsclusivo(const BloccoEsclusivo&) = delete;
    BloccoEsclusivo& operator=(const BloccoEsclusivo&) = delete;
    bool preso() const { return preso_; }

  private:
    int fd_ = -1;
    bool preso_ = false;
};

// The folder that holds `path` ("." for a bare name), as a lock's target.
std::string cartellaDi(const std::string& path);

// "<path>.bak", or "<path>.1.bak", "<path>.2.bak", ... : the first name not
// taken, so that no earlier copy is overwritten.
std::string freeBackupName(const std::string& path);

} // namespace tarvelo

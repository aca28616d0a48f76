#include "document/file_io.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvelo {

namespace fs = std::filesystem;

std::string nativePath(const std::string& path) {
    std::string p = path;
    for (char& c : p) {
        if (c == '\\')
            c = '/';
    }
    return p;
}

std::optional<std::uintmax_t> fileSize(const std::string& path) {
    std::error_code ec;
    const auto n = fs::file_size(nativePath(path), ec);
    if (ec)
        return std::nullopt;
    return n;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(nativePath(path), ec);
}

Esito readAt(const std::string& path, std::uint64_t offset, std::size_t n,
             std::vector<std::uint8_t>& out) {
    std::ifstream f(nativePath(path), std::ios::binary);
    if (!f)
        return Esito::fallito("impossibile aprire il file " + path);
    out.assign(n, 0);
    f.seekg(static_cast<std::streamoff>(offset));
    f.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
    if (static_cast<std::size_t>(f.gcount()) != n)
        return Esito::fallito("il file " + path + " è più corto del previsto");
    return {};
}

Esito readAll(const std::string& path, std::vector<std::uint8_t>& out) {
    const auto size = fileSize(path);
    if (!size)
        return Esito::fallito("impossibile aprire il file " + path);
    return readAt(path, 0, static_cast<std::size_t>(*size), out);
}

Esito writeAt(const std::string& path, std::uint64_t offset,
              const std::vector<std::uint8_t>& data) {
    std::fstream f(nativePath(path), std::ios::binary | std::ios::in | std::ios::out);
    if (!f)
        return Esito::fallito("impossibile aprire in scrittura il file " + path);
    f.seekp(static_cast<std::streamoff>(offset));
    f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    f.flush();
    if (!f)
        return Esito::fallito("errore di scrittura nel file " + path);
    return {};
}

namespace {

// The reason of a failed call, in the user's language for the usual ones.
std::string perche(int codice) {
    switch (codice) {
    case EROFS:
        return "il disco è montato in sola lettura";
    case EACCES:
    case EPERM:
        return "permesso negato";
    case ENOSPC:
        return "il disco è pieno";
    case EDQUOT:
        return "la quota del disco è esaurita";
    case ENOENT:
        return "la cartella non esiste";
    case EIO:
        return "errore del disco";
    case EFBIG:
        return "il file supera la dimensione consentita";
    case ENAMETOOLONG:
        return "il nome è troppo lungo";
    default:
        return std::strerror(codice);
    }
}

// Temporary files of saves that were killed before their rename: taken away
// at the next save into the same folder, once they are old enough not to
// belong to a save still running.
void rimuoviAvanzi(const fs::path& cartella) {
    std::error_code ec;
    const auto limite = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    for (fs::directory_iterator it(cartella.empty() ? fs::path(".") : cartella, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.size() > 6 && nome.front() == '.' && nome.ends_with(".tmp~") &&
            it->is_regular_file(ec) && !it->is_symlink(ec) && it->last_write_time(ec) < limite)
            fs::remove(it->path(), ec);
    }
}

// ".<name>.<12 hex digits>.tmp~" beside the target, the name shortened when
// the whole would pass the folder's limit on names.
std::string nomeTemporaneo(const fs::path& target, std::uint64_t caso) {
    static constexpr char Cifre[] = "0123456789abcdef";
    std::string coda = ".";
    for (int i = 0; i < 12; ++i, caso >>= 4)
        coda += Cifre[caso & 0xF];
    coda += ".tmp~";
    const fs::path cartella = target.parent_path();
    long limite = ::pathconf(cartella.empty() ? "." : cartella.c_str(), _PC_NAME_MAX);
    if (limite <= 0)
        limite = 255;
    std::string nome = target.filename().string();
    const std::size_t spazio = static_cast<std::size_t>(limite) - 1 - coda.size();
    if (nome.size() > spazio)
        nome.resize(spazio);
    return (cartella / ("." + nome + coda)).string();
}

std::uint64_t numeroCasuale() {
    std::random_device dispositivo;
    return (static_cast<std::uint64_t>(dispositivo()) << 32) ^ dispositivo() ^
           static_cast<std::uint64_t>(::getpid());
}

} // namespace

FileSostitutivo::FileSostitutivo(std::string path, Scrittura modo)
    : path_(std::move(path)), modo_(modo) {}

FileSostitutivo::~FileSostitutivo() {
    abbandona();
}

void FileSostitutivo::abbandona() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}

Esito FileSostitutivo::apri() {
    fs::path target = nativePath(path_);
    std::error_code ec;
    // A link is followed: the file it names is the one replaced. One that
    // leads nowhere is not turned into a file of its own.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::canonical(target, ec);
        if (ec)
            return errore_ = Esito::fallito(
                       "impossibile scrivere " + path_ + ": " +
                       (ec == std::errc::too_many_symbolic_link_levels
                            ? std::string("il collegamento rimanda a se stesso")
                            : std::string("il collegamento punta a un file che non esiste")));
        target = resolved;
    }
    target_ = target.string();
    const fs::file_status stato = fs::status(target, ec);
    if (fs::is_directory(stato))
        return errore_ = Esito::fallito("impossibile scrivere " + path_ + ": è una cartella");
    if (fs::exists(stato) && !fs::is_regular_file(stato)) {
        if (!fs::is_fifo(stato) && !fs::is_character_file(stato))
            return errore_ = Esito::fallito("impossibile scrivere " + path_ + ": non è un file");
        // A pipe or a device takes the bytes as they come; a pipe nobody
        // reads is reported at once instead of waiting for a reader.
        diretto_ = true;
        fd_ = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0)
            return errore_ = Esito::fallito("impossibile scrivere " + path_ + ": " +
                                            (errno == ENXIO
                                                 ? std::string("nessun programma ne legge i dati")
                                                 : perche(errno)));
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        return {};
    }
    // A write-protected file stays as it is, as it would if written in place.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return errore_ =
                   Esito::fallito(errno == EROFS ? "impossibile scrivere il file " + path_ +
                                                       ": il disco è montato in sola lettura"
                                                 : "il file " + path_ + " è protetto in scrittura");
    rimuoviAvanzi(target.parent_path());
    // A name of its own: two processes writing one file never share it.
    for (int tentativo = 0; fd_ < 0 && tentativo < 100; ++tentativo) {
        const std::string nome = nomeTemporaneo(target, numeroCasuale());
        fd_ = ::open(nome.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0)
            temp_ = nome;
        else if (errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        return errore_ = Esito::fallito("impossibile scrivere nella cartella del file " + path_ +
                                        ": " + perche(errno));
    return {};
}

Esito FileSostitutivo::scrivi(const void* data, std::size_t n) {
    if (!errore_.ok)
        return errore_;
    if (fd_ < 0)
        return errore_ = Esito::fallito("il file " + path_ + " non è aperto");
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, p + done, n - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            errore_ = Esito::fallito((diretto_ ? "errore di scrittura in " + path_
                                               : "errore di scrittura del file " + path_) +
                                     ": " + perche(w < 0 ? errno : EIO));
            abbandona();
            return errore_;
        }
        done += static_cast<std::size_t>(w);
    }
    return {};
}

Esito FileSostitutivo::conferma() {
    if (!errore_.ok)
        return errore_;
    if (fd_ < 0)
        return errore_ = Esito::fallito("il file " + path_ + " non è aperto");
    const int fd = fd_;
    fd_ = -1;
    if (diretto_) {
        if (::close(fd) != 0)
            return errore_ =
                       Esito::fallito("errore di scrittura in " + path_ + ": " + perche(errno));
        return {};
    }
    const bool salvato = modo_ != Scrittura::Sicura || ::fsync(fd) == 0;
    int causa = salvato ? 0 : errno;
    if (::close(fd) != 0 && salvato)
        causa = errno;
    if (causa != 0) {
        errore_ = Esito::fallito("errore di scrittura del file " + path_ + ": " + perche(causa));
        abbandona();
        return errore_;
    }
    std::error_code ec;
    // Keep the permissions of the file being replaced; a new file gets the
    // ones the user's mask allows (the temporary file was made with them).
    if (fs::exists(target_, ec))
        fs::permissions(temp_, fs::status(target_, ec).permissions(), ec);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        errore_ = Esito::fallito("impossibile sostituire il file " + path_ + ": " + perche(errno));
        abbandona();
        return errore_;
    }
    temp_.clear();
    return {};
}

Esito replaceFile(const std::string& path, const std::vector<std::uint8_t>& data, Scrittura modo) {
    FileSostitutivo f(path, modo);
    if (Esito e = f.apri(); !e.ok)
        return e;
    if (Esito e = f.scrivi(data.data(), data.size()); !e.ok)
        return e;
    return f.conferma();
}

BloccoEsclusivo::BloccoEsclusivo(const std::string& path) {
    const std::string p = nativePath(path);
    fd_ = ::open(p.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) // a folder, or a file in a read-only folder
        fd_ = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    int r;
    do
        r = ::flock(fd_, LOCK_EX);
    while (r != 0 && errno == EINTR);
    preso_ = r == 0;
}

BloccoEsclusivo::~BloccoEsclusivo() {
    if (fd_ >= 0)
        ::close(fd_); // releases the lock
}

std::string cartellaDi(const std::string& path) {
    const fs::path cartella = fs::path(nativePath(path)).parent_path();
    return cartella.empty() ? std::string(".") : cartella.string();
}

std::string freeBackupName(const std::string& path) {
    std::string name = path + ".bak";
    for (int n = 1; fileExists(name) || fs::is_symlink(nativePath(name)); ++n)
        name = path + "." + std::to_string(n) + ".bak";
    return name;
}

} // namespace tarvelo

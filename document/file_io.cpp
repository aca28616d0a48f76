#include "document/file_io.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
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
    default:
        return std::strerror(codice);
    }
}

// Writes into a pipe or a device as it stands. A pipe nobody reads is
// reported at once instead of waiting for a reader.
Esito scriviAttraverso(const fs::path& target, const std::string& path,
                       const std::vector<std::uint8_t>& data) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd < 0)
        return Esito::fallito(
            "impossibile scrivere " + path + ": " +
            (errno == ENXIO ? std::string("nessun programma ne legge i dati") : perche(errno)));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0) {
            const std::string why = perche(errno);
            ::close(fd);
            return Esito::fallito("errore di scrittura in " + path + ": " + why);
        }
        done += static_cast<std::size_t>(w);
    }
    if (::close(fd) != 0)
        return Esito::fallito("errore di scrittura in " + path + ": " + perche(errno));
    return {};
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

} // namespace

Esito replaceFile(const std::string& path, const std::vector<std::uint8_t>& data, Scrittura modo) {
    fs::path target = nativePath(path);
    // A link is followed: the file it names is the one replaced.
    std::error_code linkEc;
    if (fs::is_symlink(target, linkEc)) {
        const fs::path resolved = fs::weakly_canonical(target, linkEc);
        if (!linkEc)
            target = resolved;
    }
    std::error_code statEc;
    const fs::file_status stato = fs::status(target, statEc);
    if (fs::exists(stato) && !fs::is_regular_file(stato)) {
        // A pipe or a device takes the bytes as they come; a folder or
        // anything else is not replaced by a file.
        if (fs::is_fifo(stato) || fs::is_character_file(stato))
            return scriviAttraverso(target, path, data);
        return Esito::fallito("impossibile scrivere " + path + ": non è un file");
    }
    const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".tmp~");
    // A write-protected file stays as it is, as it would if written in place.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return Esito::fallito(errno == EROFS ? "impossibile scrivere il file " + path +
                                                   ": il disco è montato in sola lettura"
                                             : "il file " + path + " è protetto in scrittura");
    rimuoviAvanzi(target.parent_path());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return Esito::fallito("impossibile scrivere nella cartella del file " + path + ": " +
                              perche(errno));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            const std::string why = perche(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return Esito::fallito("errore di scrittura del file " + path + ": " + why);
        }
        done += static_cast<std::size_t>(w);
    }
    if ((modo == Scrittura::Sicura && ::fsync(fd) != 0) || ::close(fd) != 0) {
        const std::string why = perche(errno);
        ::unlink(temp.c_str());
        return Esito::fallito("errore di scrittura del file " + path + ": " + why);
    }
    std::error_code ec;
    // Keep the permissions of the file being replaced.
    if (fs::exists(target, ec))
        fs::permissions(temp, fs::status(target, ec).permissions(), ec);
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const std::string why = perche(errno);
        ::unlink(temp.c_str());
        return Esito::fallito("impossibile sostituire il file " + path + ": " + why);
    }
    return {};
}

std::string freeBackupName(const std::string& path) {
    std::string name = path + ".bak";
    for (int n = 1; fileExists(name) || fs::is_symlink(nativePath(name)); ++n)
        name = path + "." + std::to_string(n) + ".bak";
    return name;
}

} // namespace tarvelo

#include "document/file_io.h"

#include <cerrno>
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

Esito replaceFile(const std::string& path, const std::vector<std::uint8_t>& data) {
    fs::path target = nativePath(path);
    // A link is followed: the file it names is the one replaced.
    std::error_code linkEc;
    if (fs::is_symlink(target, linkEc)) {
        const fs::path resolved = fs::weakly_canonical(target, linkEc);
        if (!linkEc)
            target = resolved;
    }
    const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".tmp~");
    // A write-protected file stays as it is, as it would if written in place.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return Esito::fallito("il file " + path + " è protetto in scrittura");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return Esito::fallito("impossibile scrivere nella cartella del file " + path + ": " +
                              std::strerror(errno));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            const std::string why = std::strerror(errno);
            ::close(fd);
            ::unlink(temp.c_str());
            return Esito::fallito("errore di scrittura del file " + path + ": " + why);
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string why = std::strerror(errno);
        ::unlink(temp.c_str());
        return Esito::fallito("errore di scrittura del file " + path + ": " + why);
    }
    std::error_code ec;
    // Keep the permissions of the file being replaced.
    if (fs::exists(target, ec))
        fs::permissions(temp, fs::status(target, ec).permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        ::unlink(temp.c_str());
        return Esito::fallito("impossibile sostituire il file " + path + ": " + ec.message());
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

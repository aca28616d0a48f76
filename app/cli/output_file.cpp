#include "app/cli/output_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tarvelo::cli {

OutputFile::OutputFile(const std::string& path, std::ostream& fallback)
    : path_(path), fallback_(fallback) {
    if (path_.empty())
        return;
    namespace fs = std::filesystem;
    std::error_code ec;
    // A link is written through: the file it names is the one replaced.
    if (fs::is_symlink(path_, ec)) {
        const fs::path resolved = fs::weakly_canonical(path_, ec);
        if (!ec)
            path_ = resolved.string();
    }
    const fs::file_status stato = fs::status(path_, ec);
    if (fs::exists(stato) && !fs::is_regular_file(stato)) {
        // A pipe or a device takes the rows as they come; nothing else that
        // is not a file is replaced by one.
        diretto_ = fs::is_fifo(stato) || fs::is_character_file(stato);
        if (diretto_)
            file_.open(path_, std::ios::binary | std::ios::out);
        ok_ = diretto_ && file_.is_open();
        return;
    }
    partPath_ = path_ + ".part";
    file_.open(partPath_, std::ios::binary | std::ios::trunc);
    ok_ = file_.is_open();
}

OutputFile::~OutputFile() {
    if (!path_.empty() && !committed_ && !diretto_) {
        file_.close();
        std::error_code ec;
        std::filesystem::remove(partPath_, ec);
    }
}

bool OutputFile::commit(std::string& error) {
    if (path_.empty()) {
        fallback_.flush();
        if (!fallback_) {
            error = "errore di scrittura sullo standard output";
            return false;
        }
        return true;
    }
    file_.flush();
    const bool written = static_cast<bool>(file_);
    file_.close();
    if (!written || file_.fail()) {
        error = "errore di scrittura nel file " + path_;
        return false;
    }
    if (diretto_) {
        committed_ = true;
        return true;
    }
    std::error_code ec;
    std::filesystem::rename(partPath_, path_, ec);
    if (ec) {
        error = "impossibile scrivere il file " + path_ + ": " + ec.message();
        return false;
    }
    committed_ = true;
    return true;
}

} // namespace tarvelo::cli

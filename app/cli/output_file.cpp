#include "app/cli/output_file.h"

#include <array>
#include <streambuf>

namespace tarvelo::cli {

// Gathers the rows in 64 KB pieces for the file; the first write error
// stops the stream and is kept for `commit`.
class OutputFile::Buffer : public std::streambuf {
  public:
    explicit Buffer(FileSostitutivo& file) : file_(file) {
        setp(spazio_.data(), spazio_.data() + spazio_.size());
    }
    const Esito& esito() const { return esito_; }

  protected:
    int_type overflow(int_type c) override {
        if (!svuota())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return svuota() ? 0 : -1; }

  private:
    bool svuota() {
        if (!esito_.ok)
            return false;
        const std::size_t n = static_cast<std::size_t>(pptr() - pbase());
        if (n > 0)
            esito_ = file_.scrivi(pbase(), n);
        setp(spazio_.data(), spazio_.data() + spazio_.size());
        return esito_.ok;
    }

    FileSostitutivo& file_;
    std::array<char, 64 * 1024> spazio_{};
    Esito esito_;
};

OutputFile::OutputFile(const std::string& path, std::ostream& fallback)
    : path_(path), fallback_(fallback) {
    if (path_.empty())
        return;
    file_ = std::make_unique<FileSostitutivo>(path_);
    aperto_ = file_->apri();
    buffer_ = std::make_unique<Buffer>(*file_);
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    if (!aperto_.ok)
        stream_->setstate(std::ios::badbit);
}

// An output never committed leaves no file: FileSostitutivo takes its
// temporary file away.
OutputFile::~OutputFile() = default;

std::ostream& OutputFile::stream() {
    return path_.empty() ? fallback_ : *stream_;
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
    if (!aperto_.ok) {
        error = aperto_.errore;
        return false;
    }
    stream_->flush();
    Esito e = buffer_->esito();
    if (e.ok)
        e = file_->conferma();
    if (!e.ok) {
        error = e.errore;
        return false;
    }
    return true;
}

} // namespace tarvelo::cli

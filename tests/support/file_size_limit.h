// A full disk stood in for by the limit on the size of the files this
// process writes (RLIMIT_FSIZE): a write beyond it fails as on a disk that
// fills up, whoever runs the test. Restored when the object goes.
#pragma once

#include <csignal>
#include <cstddef>

#include <sys/resource.h>

namespace tarvelo::test {

class LimiteDimensioneFile {
  public:
    explicit LimiteDimensioneFile(std::size_t byte) {
        ::getrlimit(RLIMIT_FSIZE, &prima_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN); // the write fails instead
        rlimit limite = prima_;
        limite.rlim_cur = byte;
        ::setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDimensioneFile() {
        ::setrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, segnale_);
    }
    LimiteDimensioneFile(const LimiteDimensioneFile&) = delete;
    LimiteDimensioneFile& operator=(const LimiteDimensioneFile&) = delete;

  private:
    rlimit prima_{};
    void (*segnale_)(int) = nullptr;
};

} // namespace tarvelo::test

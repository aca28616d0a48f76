// The reading end of a named pipe, open before anyone writes, so that a
// pipe replaced by a file shows as nothing read rather than a hang.
#pragma once

#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace tarvelo::test {

class LettorePipe {
  public:
    explicit LettorePipe(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)) {}
    ~LettorePipe() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LettorePipe(const LettorePipe&) = delete;
    LettorePipe& operator=(const LettorePipe&) = delete;

    bool aperto() const { return fd_ >= 0; }
    // What the writers have put in so far.
    std::string leggiTutto() const {
        std::string testo;
        char buf[256];
        for (ssize_t n; (n = ::read(fd_, buf, sizeof buf)) > 0;)
            testo.append(buf, static_cast<std::size_t>(n));
        return testo;
    }

  private:
    int fd_;
};

} // namespace tarvelo::test

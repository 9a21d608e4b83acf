// A full disk, as far as this process can tell: while a FileSizeLimit lives, writing a file
// past the given size fails. Only where the system can limit the size of files.
#pragma once

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>

#include <csignal>
#define CHIMESET_HAS_FILE_SIZE_LIMIT 1

namespace chimeset::testing {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        // Past the limit the write fails instead of the process being stopped.
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        if (active_) setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active_; }

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

}  // namespace chimeset::testing
#endif

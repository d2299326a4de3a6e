// A limit on the size of the files the test process writes, for making a
// write fail part of the way through as a full disk does (it binds root as
// well). SIGXFSZ is ignored while it holds, so that the write returns EFBIG
// instead of ending the process.
#pragma once

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ok_ = ::getrlimit(RLIMIT_FSIZE, &saved_) == 0;
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    ok_ = ok_ && ::setrlimit(RLIMIT_FSIZE, &small) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False when the limit could not be set.
  bool IsSet() const { return ok_; }

 private:
  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
  bool ok_ = false;
};

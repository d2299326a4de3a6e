// A save caught part of the way through: a child process that has written
// 1 MiB to a file through the safe writer (far beyond its buffer, so on disk)
// and then waits, until the test kills it.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <string>

#include "platform/safe_file.h"

namespace folder_files {

// Starts the child; returns its pid (or -1) once it has written, with byte set
// to 'g' when its writer was still good then ('b' when not, 0 when it died).
inline pid_t StartWaitingWriter(const std::string& path, char& byte) {
  byte = 0;
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    ::close(ready[0]);
    SafeFileWriter file(path);
    file.Write(std::string(1 << 20, 'k'));
    const char state = file.IsGood() ? 'g' : 'b';
    [[maybe_unused]] const ssize_t sent = ::write(ready[1], &state, 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  [[maybe_unused]] const ssize_t got = ::read(ready[0], &byte, 1);
  ::close(ready[0]);
  return child;
}

}  // namespace folder_files

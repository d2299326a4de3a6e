// Whole-file reading and writing that never reports false success and never leaves a half-written file.
#include "platform/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Closes a descriptor on every path out of a scope unless released.
struct FdGuard {
  int fd = -1;
  ~FdGuard() {
    if (fd >= 0) ::close(fd);
  }
  int Release() {
    const int f = fd;
    fd = -1;
    return f;
  }
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;  // no progress: treat as a failed write
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool CloseChecked(FdGuard& guard) {
  const int fd = guard.Release();
  // After a failed close the descriptor is gone either way (Linux); the data
  // may not have reached the disk, so it counts as a failure.
  return ::close(fd) == 0;
}

// The file that a write to path lands in: the end of a chain of symbolic
// links, or path itself.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return std::string(buf);
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool WriteInPlace(const std::string& path, std::string_view bytes) {
  FdGuard guard{::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
  if (guard.fd < 0) return false;
  if (!WriteAll(guard.fd, bytes)) return false;
  return CloseChecked(guard);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::string target = ResolveTarget(path);

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return false;
  if (exists && !S_ISREG(old.st_mode)) return WriteInPlace(target, bytes);

  const std::string folder = FolderOf(target);
  // A hidden name beside the target; the name part is shortened so that a
  // target name near the 255-byte limit still leaves room for the suffix.
  std::string pattern = folder + "/." + NameOf(target).substr(0, 200) + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  FdGuard guard{::mkostemp(name.data(), O_CLOEXEC)};
  if (guard.fd < 0) return false;
  const std::string tempPath(name.data());

  const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
  // Keep the old file's owner where allowed (only root may give a file away;
  // anyone else keeps the file as their own, which is no failure).
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(guard.fd, old.st_uid, old.st_gid);
  }
  bool ok = ::fchmod(guard.fd, mode) == 0;
  ok = ok && WriteAll(guard.fd, bytes);
  ok = ok && ::fsync(guard.fd) == 0;
  ok = ok && CloseChecked(guard);
  ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tempPath.c_str());
    return false;
  }
  // Make the rename itself durable; a folder that cannot be synced does not
  // undo a completed write.
  FdGuard dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (dir.fd >= 0) ::fsync(dir.fd);
  return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  // Non-blocking open, so that a pipe without a writer cannot hang the
  // program; only regular files are read.
  FdGuard guard{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (guard.fd < 0) return false;
  struct stat st {};
  if (::fstat(guard.fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(guard.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
      bytes.clear();
      return false;
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  return true;
}

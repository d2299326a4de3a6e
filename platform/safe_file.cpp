// Whole-file reading and writing that never reports false success and never leaves a half-written file.
#include "platform/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <random>
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

// Replaces the trailing XXXXXX of a name pattern with random letters.
void FillRandomSuffix(std::string& name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (std::size_t i = name.size() - 6; i < name.size(); ++i) name[i] = kLetters[pick(random)];
}

bool gNamedTemporaryOnly = false;

mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

SafeFileWriter::SafeFileWriter(const std::string& path)
    : buffer_(std::make_unique_for_overwrite<char[]>(kBufferBytes)) {
  if (path.empty()) return;
  target_ = ResolveTarget(path);

  struct stat old {};
  const bool exists = ::stat(target_.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return;
  // A file the user may not write (protected, or another user's) is not
  // replaced, although the folder would allow the rename over it.
  if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return;
  if (exists && !S_ISREG(old.st_mode)) {
    // Opened without blocking: a pipe that nobody reads fails at once
    // instead of waiting for a reader for ever. Once open, writes block as
    // usual.
    FdGuard guard{::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK)};
    if (guard.fd < 0) return;
    const int flags = ::fcntl(guard.fd, F_GETFL);
    if (flags < 0 || ::fcntl(guard.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return;
    fd_ = guard.Release();
    return;
  }

  FdGuard guard{OpenTemporary()};
  if (guard.fd < 0) return;
  const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
  // Keep the old file's owner where allowed (only root may give a file away;
  // anyone else keeps the file as their own, which is no failure).
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(guard.fd, old.st_uid, old.st_gid);
  }
  if (::fchmod(guard.fd, mode) != 0) {
    ::close(guard.Release());
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
    tempPath_.clear();
    return;
  }
  fd_ = guard.Release();
}

int SafeFileWriter::OpenTemporary() {
  const std::string folder = FolderOf(target_);
#ifdef O_TMPFILE
  // A file without a name: a writer killed part of the way leaves nothing
  // behind. It gets a name only when it is complete (Finish). Linking it needs
  // /proc/self/fd.
  if (!gNamedTemporaryOnly && ::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
      unnamed_ = true;
      return fd;
    }
    // Other errors (no such folder, no permission) fail the same way below.
  }
#endif
  // The file system has no unnamed files: a hidden name beside the target.
  const std::string pattern = TemporaryPattern(folder);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) tempPath_ = name.data();
  return fd;
}

std::string SafeFileWriter::TemporaryPattern(const std::string& folder) const {
  // The name part is shortened so that a target name near the 255-byte limit
  // still leaves room for the suffix.
  return folder + "/." + NameOf(target_).substr(0, 200) + ".XXXXXX";
}

// Gives the complete unnamed file a hidden name beside the target (link
// cannot replace a file; the rename after it does). Returns false, with
// nothing linked, on failure.
bool SafeFileWriter::LinkUnnamed() {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
  const std::string pattern = TemporaryPattern(FolderOf(target_));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = pattern;
    FillRandomSuffix(name);
    if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      tempPath_ = std::move(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

SafeFileWriter::~SafeFileWriter() { Fail(); }

void SafeFileWriter::Fail() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  used_ = 0;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
}

bool SafeFileWriter::FlushBuffer() {
  if (fd_ < 0) return false;
  if (!WriteAll(fd_, std::string_view(buffer_.get(), used_))) {
    Fail();
    return false;
  }
  used_ = 0;
  return true;
}

void SafeFileWriter::WriteSlow(std::string_view bytes) {
  if (!FlushBuffer()) return;
  if (bytes.size() < kBufferBytes) {
    std::memcpy(buffer_.get(), bytes.data(), bytes.size());
    used_ = bytes.size();
  } else if (!WriteAll(fd_, bytes)) {
    Fail();
  }
}

bool SafeFileWriter::Finish() {
  if (!FlushBuffer()) return false;
  const bool inPlace = tempPath_.empty() && !unnamed_;
  // After a failed fsync or close the data may not have reached the disk, so
  // either counts as a failure (the descriptor is gone after close either way).
  bool ok = inPlace || ::fsync(fd_) == 0;
  ok = ok && (!unnamed_ || LinkUnnamed());
  const int fd = fd_;
  fd_ = -1;
  ok = ::close(fd) == 0 && ok;
  ok = ok && (inPlace || ::rename(tempPath_.c_str(), target_.c_str()) == 0);
  if (!ok) {
    Fail();
    return false;
  }
  tempPath_.clear();
  if (!inPlace) {
    // Make the rename itself durable; a folder that cannot be synced does not
    // undo a completed write.
    FdGuard dir{::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
  }
  return true;
}

void SetSafeFileNamedTemporaryOnly(bool namedOnly) { gNamedTemporaryOnly = namedOnly; }

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  SafeFileWriter writer(path);
  writer.Write(bytes);
  return writer.Finish();
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

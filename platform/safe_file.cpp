// Whole-file reading and writing that never reports false success and never leaves a half-written file.
#include "platform/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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
int (*gSetMode)(int fd, mode_t mode) = ::fchmod;

// The tag between the target's name and the random suffix of a named
// temporary: it tells this writer's temporaries from other programs' hidden
// files (".name.XXXXXX" alone is a common pattern).
constexpr std::string_view kTemporaryTag = ".norvale-";
constexpr std::size_t kTemporaryNameBytes = 200;  // of the target's name, at most

bool IsSuffixLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether a failure to set the mode of our own new temporary means that the
// file system keeps no modes (FAT, some FUSE and network file systems): where
// modes are kept, the creator of a file may always set its mode, so a refusal
// or a missing operation is the file system's (on a FAT disk mounted for all
// users every file shows one owner, not always the user). The file then has
// the mode the file system gives every file, as the old one had.
bool FileSystemKeepsNoModes(int fd, int error) {
  if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != ENOSYS) return false;
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Removes the named temporaries that killed saves left in folder: only names
// of this writer's pattern, only regular files of this user, and only those
// that no writer holds locked (a writer locks its temporary from creation to
// rename). The lock is taken before the name is removed, so a writer that
// created the file just now and locks it after sees it gone and starts anew.
void RemoveOrphanedTemporaries(const std::string& folder) {
  FdGuard dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (dir.fd < 0) return;
  const int listFd = ::dup(dir.fd);
  if (listFd < 0) return;
  DIR* list = ::fdopendir(listFd);
  if (list == nullptr) {
    ::close(listFd);
    return;
  }
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(list)) {
    if (IsSafeFileTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(list);
  for (const std::string& name : names) {
    // Only regular files are opened at all (a device of that name is not
    // touched); opened without blocking and without following a link, and
    // checked again once open. Opened for writing, as a network file system
    // grants an exclusive lock only then.
    struct stat seen {};
    if (::fstatat(dir.fd, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode) ||
        seen.st_uid != ::geteuid()) {
      continue;
    }
    FdGuard file{::openat(dir.fd, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) continue;
    struct stat st {};
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
    if (::flock(file.fd, LOCK_EX | LOCK_NB) != 0) continue;  // being written, or no locks here
    struct stat named {};
    if (::fstatat(dir.fd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != st.st_dev ||
        named.st_ino != st.st_ino) {
      continue;
    }
    ::unlinkat(dir.fd, name.c_str(), 0);
  }
}

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

  RemoveOrphanedTemporaries(FolderOf(target_));
  fd_ = OpenTemporary();
  if (fd_ < 0) return;
  const mode_t mode = exists ? (old.st_mode & 07777) : DefaultFileMode();
  // Keep the old file's owner and group where allowed: only root may give a
  // file away, but a member of the old file's group may give the new one that
  // group, so that the others of the group can still write it. Where neither
  // is allowed the file stays the user's own, which is no failure.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
    }
  }
  if (gSetMode(fd_, mode) != 0 && !FileSystemKeepsNoModes(fd_, errno)) Fail();
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
      // Locked too: it has a name for a moment between the link and the
      // rename.
      unnamed_ = true;
      LockTemporary(fd);
      return fd;
    }
    // Other errors (no such folder, no permission) fail the same way below.
  }
#endif
  // The file system has no unnamed files: a hidden name beside the target.
  // It is locked from the start, so that no later save takes it for one that
  // a killed save left; one that such a save removed between its creation
  // and the lock is given up for a new name.
  const std::string pattern = TemporaryPattern(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    tempPath_ = name.data();
    if (LockTemporary(fd)) return fd;
    ::close(fd);
    tempPath_.clear();
  }
  return -1;
}

// Locks the new temporary fd for the time it is written (on a second
// descriptor, which keeps the lock after fd is closed, until the rename).
// Returns false when a save removing orphans holds it or removed it: the
// temporary must be given up, without removing its name. A file system
// without locks writes unlocked; no save removes an unlockable file.
bool SafeFileWriter::LockTemporary(int fd) {
  int locked = -1;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) return errno != EWOULDBLOCK;
  if (!tempPath_.empty()) {
    struct stat own {};
    struct stat named {};
    if (::fstat(fd, &own) != 0 || own.st_nlink == 0 || ::lstat(tempPath_.c_str(), &named) != 0 ||
        named.st_dev != own.st_dev || named.st_ino != own.st_ino) {
      return false;
    }
  }
  lockFd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  return true;
}

std::string SafeFileWriter::TemporaryPattern(const std::string& folder) const {
  // The name part is shortened so that a target name near the 255-byte limit
  // still leaves room for the suffix.
  return folder + "/." + NameOf(target_).substr(0, kTemporaryNameBytes) + std::string(kTemporaryTag) + "XXXXXX";
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
  ReleaseLock();
}

void SafeFileWriter::ReleaseLock() {
  if (lockFd_ >= 0) ::close(lockFd_);
  lockFd_ = -1;
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
  ReleaseLock();
  if (!inPlace) {
    // Make the rename itself durable; a folder that cannot be synced does not
    // undo a completed write.
    FdGuard dir{::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
  }
  return true;
}

void SetSafeFileNamedTemporaryOnly(bool namedOnly) { gNamedTemporaryOnly = namedOnly; }

void SetSafeFileModeSetter(int (*setMode)(int fd, mode_t mode)) {
  gSetMode = setMode != nullptr ? setMode : ::fchmod;
}

bool IsSafeFileTemporaryName(std::string_view name) {
  constexpr std::size_t kSuffix = 6;
  if (name.size() < 1 + 1 + kTemporaryTag.size() + kSuffix || name[0] != '.') return false;
  const std::size_t tagAt = name.size() - kSuffix - kTemporaryTag.size();
  if (tagAt - 1 > kTemporaryNameBytes || name.substr(tagAt, kTemporaryTag.size()) != kTemporaryTag) return false;
  for (const char c : name.substr(name.size() - kSuffix)) {
    if (!IsSuffixLetter(c)) return false;
  }
  return true;
}

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

// Whole-file reading and writing that never reports false success and never leaves a half-written file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

// A file written through a buffer so that the old file survives any failure:
// a regular file is written to a temporary file in the same folder, every
// write, the flush to disk and the close are checked, and only Finish renames
// the temporary over path (a symbolic link is followed, its target replaced;
// the old file's permissions and, where allowed, its owner and group are
// kept; a file system that keeps no modes, as FAT, leaves its own). The
// temporary has no name until it is complete, so a program killed while
// writing leaves nothing behind; on a file system without unnamed files it is
// a hidden file beside the target, locked while it is written, and a later
// save into the folder removes such temporaries that a killed save left
// (only this writer's own names, only unlocked ones of the same user). An
// existing file that the user may not
// write is not replaced. A target that exists but is no regular file (a
// device, a pipe) cannot be replaced: it is written in place, again with every
// write and the close checked; a pipe that nobody reads fails at once. The
// first failure ends the writing: later writes do nothing and Finish returns
// false. A writer destroyed without a successful Finish removes its temporary
// and leaves path untouched.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(const std::string& path);
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // False once the file could not be opened or a write failed.
  bool IsGood() const { return fd_ >= 0; }

  void Write(std::string_view bytes) {
    if (bytes.size() <= kBufferBytes - used_) {
      std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
      used_ += bytes.size();
    } else {
      WriteSlow(bytes);
    }
  }
  // Binary fields, little-endian whatever the host.
  void WriteU16(uint16_t v) {
    const char bytes[2] = {static_cast<char>(v & 0xFFu), static_cast<char>(v >> 8)};
    Write(std::string_view(bytes, sizeof bytes));
  }
  void WriteU32(uint32_t v) {
    const char bytes[4] = {static_cast<char>(v & 0xFFu), static_cast<char>((v >> 8) & 0xFFu),
                           static_cast<char>((v >> 16) & 0xFFu), static_cast<char>(v >> 24)};
    Write(std::string_view(bytes, sizeof bytes));
  }
  void WriteF32(float v) {
    uint32_t bits = 0;
    static_assert(sizeof bits == sizeof v);
    std::memcpy(&bits, &v, sizeof bits);
    WriteU32(bits);
  }

  // Writes out the buffer, flushes the file to disk, closes it and puts it
  // in place. Returns true only when all of it succeeded.
  bool Finish();

  static constexpr std::size_t kBufferBytes = std::size_t{64} << 10;

 private:
  int OpenTemporary();
  std::string TemporaryPattern(const std::string& folder) const;
  bool LockTemporary(int fd);
  bool LinkUnnamed();
  void WriteSlow(std::string_view bytes);
  bool FlushBuffer();
  void Fail();
  void ReleaseLock();

  std::string target_;    // the file that is replaced (symbolic links resolved)
  std::string tempPath_;  // the temporary's name; empty while it has none or when writing in place
  bool unnamed_ = false;  // the temporary has no name until Finish links it
  int fd_ = -1;
  int lockFd_ = -1;       // holds the temporary's lock until it is renamed or removed
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

// Writes bytes as the whole content of path through a SafeFileWriter.
// Returns false on any failure, with the temporary removed and path untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Makes the writers use a named temporary, as on a file system without
// unnamed files (for tests of that road).
void SetSafeFileNamedTemporaryOnly(bool namedOnly);

// Replaces the call that sets the temporary's mode (fchmod; null restores
// it), so that tests can play a file system that keeps no modes.
void SetSafeFileModeSetter(int (*setMode)(int fd, mode_t mode));

// Whether name is that of a named temporary of this writer: "." + target name
// + ".norvale-" + six letters or digits.
bool IsSafeFileTemporaryName(std::string_view name);

// Reads the whole file into bytes. Returns false when it cannot be opened or
// read (missing, a folder, a read error) or holds more than maxBytes.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes = std::size_t{64} << 20);

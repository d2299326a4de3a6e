// What the writer must not do to a file: replace one the user may not write,
// hang on a pipe that nobody reads, or leave a temporary behind when the
// program is killed while saving.
#include "platform/safe_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <algorithm>
#include <thread>
#include <vector>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "folder_files.h"
#include "waiting_writer.h"
#include "as_nobody.h"

namespace {

constexpr uid_t kNobody = 65534;
constexpr const char* kUserDirVariable = "NORVALE_SAFE_FILE_USER_DIR";

using folder_files::Entries;
using folder_files::Put;
using folder_files::Slurp;

class SafeFileGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/norvale_safe_guard_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string dir_;
};

// The files of the protection test: which the user may not write (and so
// must keep their bytes) and one they may (a control that the user can save
// at all). The user owns `own_*`, root the others.
struct ProtectedCase {
  const char* name;
  bool ownedByUser;
  mode_t mode;
  bool writable;
};
constexpr ProtectedCase kProtectedCases[] = {
    {"own_readonly.tdw", true, 0444, false},   // the user protected it
    {"other_user.tdw", false, 0644, false},    // another user's file
    {"other_readonly.stl", false, 0444, false},
    {"own_writable.tdw", true, 0644, true},
};

// Run as the unprivileged user in the folder the parent prepared: every
// protected file is refused with its bytes kept, the writable one replaced,
// and no temporary is left.
void CheckAsTheUser(const std::string& dir) {
  for (const ProtectedCase& c : kProtectedCases) {
    const std::string path = dir + "/" + c.name;
    EXPECT_EQ(WriteFileAtomically(path, "new"), c.writable) << c.name;
    EXPECT_EQ(Slurp(path), c.writable ? "new" : std::string("old ") + c.name) << c.name;
  }
  EXPECT_EQ(Entries(dir).size(), std::size(kProtectedCases));
}

// Runs only inside the unprivileged child of the test below.
TEST(SafeFileAsUser, RefusesTheFilesTheUserMayNotWrite) {
  const char* dir = std::getenv(kUserDirVariable);
  if (dir == nullptr) GTEST_SKIP() << "runs as the unprivileged user started by ProtectedFileIsNotReplaced";
  CheckAsTheUser(dir);
}

// A file that the user may not write is not replaced, although the folder
// lets the user rename another file over it; an editor refuses it likewise.
// Root may write every file, so the check runs as user nobody (setpriv).
TEST_F(SafeFileGuardTest, ProtectedFileIsNotReplaced) {
  if (::geteuid() != 0) {
    // An ordinary user: the own protected file, in this process.
    const std::string path = Path("own.tdw");
    Put(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_EQ(Entries(dir_).size(), 1u);
    return;
  }
  if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv to drop to an unprivileged user";
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);  // the user may create and rename here
  for (const ProtectedCase& c : kProtectedCases) {
    const std::string path = Path(c.name);
    Put(path, std::string("old ") + c.name);
    if (c.ownedByUser) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
  }
  folder_files::RunTestAsNobody("SafeFileAsUser.RefusesTheFilesTheUserMayNotWrite", "--clear-groups", kUserDirVariable,
                                dir_);
  if (HasFatalFailure() || IsSkipped()) return;
  for (const ProtectedCase& c : kProtectedCases) {
    EXPECT_EQ(Slurp(Path(c.name)), c.writable ? "new" : std::string("old ") + c.name) << c.name;
  }
}

// A pipe as the target of a save: with nobody reading it the save fails at
// once instead of hanging the program; with a reader the bytes arrive whole,
// more than the pipe holds at a time.
TEST_F(SafeFileGuardTest, PipeNobodyReadsFailsAtOnceAndOneBeingReadGetsTheBytes) {
  const std::string fifo = Path("pipe.stl");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto save = std::async(std::launch::async, [&] { return WriteFileAtomically(fifo, "data"); });
  if (save.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    // Free the writer that waits for a reader, so that the test can end.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    save.wait();
    if (reader >= 0) ::close(reader);
    FAIL() << "the save waited for a reader of the pipe";
  }
  EXPECT_FALSE(save.get());

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const std::string bytes(300000, 'p');
  auto written = std::async(std::launch::async, [&] { return WriteFileAtomically(fifo, bytes); });
  std::string received;
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(reader, buf, sizeof buf);
    if (n > 0) {
      received.append(buf, static_cast<std::size_t>(n));
    } else if (n == 0 && written.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
      break;  // the writer closed its end
    } else {
      std::this_thread::yield();
    }
  }
  ::close(reader);
  EXPECT_TRUE(written.get());
  EXPECT_EQ(received.size(), bytes.size());
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// A save killed part of the way through (kill -9) leaves the old file and
// nothing beside it.
TEST_F(SafeFileGuardTest, KilledSaveLeavesTheOldFileAndNothingElse) {
  const std::string path = Path("p.stp");
  Put(path, "old");
  char byte = 0;
  const pid_t child = folder_files::StartWaitingWriter(path, byte);
  ASSERT_GE(child, 0);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_NE(byte, 0);
  EXPECT_EQ(byte, 'g');
  EXPECT_EQ(Slurp(path), "old");
  EXPECT_EQ(Entries(dir_), std::vector<std::string>{"p.stp"});
}

}  // namespace

// The writer among other files and other file systems: a file system that
// keeps no modes, a file shared by a group, and the hidden temporaries that
// killed saves leave where a file system has no unnamed files.
#include "platform/safe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "folder_files.h"
#include "waiting_writer.h"
#include "as_nobody.h"

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kSharedGroup = 50;  // the group of the shared file (staff on Debian)
constexpr const char* kUserDirVariable = "NORVALE_SAFE_FILE_GROUP_DIR";

using folder_files::Entries;
using folder_files::Put;
using folder_files::Slurp;

// The hidden temporaries of the writer in dir, but for those in besides.
std::vector<std::string> Temporaries(const std::string& dir, const std::vector<std::string>& besides = {}) {
  std::vector<std::string> names;
  for (const std::string& name : Entries(dir)) {
    if (IsSafeFileTemporaryName(name) && std::find(besides.begin(), besides.end(), name) == besides.end()) {
      names.push_back(name);
    }
  }
  return names;
}

class SafeFileFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/norvale_safe_folder_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    SetSafeFileNamedTemporaryOnly(false);
    SetSafeFileModeSetter(nullptr);
    std::filesystem::remove_all(dir_);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  std::string dir_;
};

// A file system that keeps no modes (FAT, as through a FUSE driver) refuses
// to set one, as it refuses the owner's chmod: the save still succeeds with
// the mode the file system gives. A real failure of the call still fails the
// save, the old file kept and no temporary left.
int gModeError = 0;
int RefuseMode(int, mode_t) {
  errno = gModeError;
  return -1;
}

struct ModeRefusalCase {
  int error;
  bool saved;
};
constexpr ModeRefusalCase kModeRefusalCases[] = {
    {EPERM, true},       // vfat without "quiet", and FUSE drivers that refuse it
    {EOPNOTSUPP, true},  // file systems without modes at all
    {ENOSYS, true},      // a FUSE driver without the operation
    {EIO, false},        // the disk failed: no save
    {ENOSPC, false},
};

TEST_F(SafeFileFolderTest, FileSystemWithoutModesStillSaves) {
  SetSafeFileModeSetter(RefuseMode);
  for (const bool named : {false, true}) {
    SetSafeFileNamedTemporaryOnly(named);
    for (const ModeRefusalCase& c : kModeRefusalCases) {
      gModeError = c.error;
      const std::string path = Path("p.tdw");
      Put(path, "old");
      const std::string label = std::string(named ? "named " : "unnamed ") + std::to_string(c.error);
      EXPECT_EQ(WriteFileAtomically(path, "new"), c.saved) << label;
      EXPECT_EQ(Slurp(path), c.saved ? "new" : "old") << label;
      EXPECT_TRUE(WriteFileAtomically(Path("fresh.stl"), "fresh") == c.saved) << label;
      std::filesystem::remove(Path("fresh.stl"));
      EXPECT_EQ(Entries(dir_), std::vector<std::string>{"p.tdw"}) << label;
    }
  }
}

// A save killed while it writes (kill -9) where the file system has no
// unnamed files leaves its hidden temporary. While the save runs, a save of
// another file into the folder leaves it alone; once the writing process is
// gone, the next save into the folder removes it. Lookalikes of other
// programs and of other users stay.
TEST_F(SafeFileFolderTest, LaterSaveRemovesTheTemporaryOfAKilledSaveOnly) {
  SetSafeFileNamedTemporaryOnly(true);
  const std::string path = Path("p.stp");
  Put(path, "old");
  // Other programs' hidden files, and names that only resemble ours.
  const std::vector<std::string> foreign = {
      ".p.stp.Ab3dE9",            // the common ".name.XXXXXX"
      ".p.stp.norvale-Ab3dE",     // one letter short
      ".p.stp.norvale-Ab3dE9~",   // an editor's backup of such a name
      ".p.stp.norvale-Ab3_E9",    // a letter no random suffix has
      "p.stp.norvale-Ab3dE9",     // not hidden
      ".norvale-Ab3dE9",          // no target name
  };
  for (const std::string& name : foreign) Put(Path(name), "foreign");
  std::filesystem::create_directory(Path(".q.stp.norvale-Dir123"));
  ASSERT_EQ(::mkfifo(Path(".t.stp.norvale-Fifo12").c_str(), 0600), 0);  // never opened: it would not answer
  Put(Path("linked.stp"), "linked");
  ASSERT_EQ(::symlink(Path("linked.stp").c_str(), Path(".r.stp.norvale-Link12").c_str()), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    // Another user's temporary: never this user's to remove.
    Put(Path(".s.stp.norvale-Other1"), "other user's");
    ASSERT_EQ(::chown(Path(".s.stp.norvale-Other1").c_str(), kNobody, kNobody), 0);
  }
  const std::vector<std::string> before = Entries(dir_);

  char byte = 0;
  const pid_t child = folder_files::StartWaitingWriter(path, byte);
  ASSERT_GE(child, 0);
  const std::vector<std::string> live = Temporaries(dir_, before);
  // The save in progress keeps its temporary through another save.
  const bool savedMeanwhile = WriteFileAtomically(Path("other.tdw"), "other");
  const std::vector<std::string> afterSave = Temporaries(dir_, before);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_NE(byte, 0);
  EXPECT_EQ(byte, 'g');
  ASSERT_EQ(live.size(), 1u);
  EXPECT_TRUE(savedMeanwhile);
  EXPECT_EQ(afterSave, live);
  EXPECT_EQ(Temporaries(dir_, before), live);  // the killed save left it

  ASSERT_TRUE(WriteFileAtomically(Path("other.tdw"), "again"));
  EXPECT_TRUE(Temporaries(dir_, before).empty());
  std::vector<std::string> expected = before;
  expected.push_back("other.tdw");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(dir_), expected);
  EXPECT_EQ(Slurp(path), "old");
  for (const std::string& name : foreign) EXPECT_EQ(Slurp(Path(name)), "foreign") << name;
  EXPECT_EQ(Slurp(Path("linked.stp")), "linked");
}

// A writer in this process that has not finished keeps its temporary, and
// then puts its file in place, while other saves into the folder come and go.
TEST_F(SafeFileFolderTest, UnfinishedSaveKeepsItsTemporaryThroughOtherSaves) {
  SetSafeFileNamedTemporaryOnly(true);
  const std::string path = Path("p.stl");
  const std::string bytes(300000, 'w');
  SafeFileWriter file(path);
  ASSERT_TRUE(file.IsGood());
  file.Write(bytes);
  ASSERT_EQ(Temporaries(dir_).size(), 1u);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(WriteFileAtomically(Path("other.tdw"), "other"));
  EXPECT_EQ(Temporaries(dir_).size(), 1u);
  ASSERT_TRUE(file.Finish());
  EXPECT_EQ(Slurp(path), bytes);
  EXPECT_EQ(Entries(dir_), (std::vector<std::string>{"other.tdw", "p.stl"}));
}

// The files of the group test, saved by user nobody with kSharedGroup as a
// supplementary group: a file of another user shared by the group keeps
// that group, so that the group can still write it; a file of a group the
// user is not in cannot keep it, and the save still succeeds.
struct GroupCase {
  const char* name;
  uid_t owner;
  gid_t group;
  mode_t mode;
  gid_t groupAfter;
};
constexpr GroupCase kGroupCases[] = {
    {"shared.tdw", 0, kSharedGroup, 0664, kSharedGroup},       // root:staff, the user in staff
    {"own_shared.tdw", kNobody, kSharedGroup, 0664, kSharedGroup},
    {"foreign_group.tdw", 0, 0, 0666, kNobody},                // not the user's group: theirs
};

// Runs only inside the unprivileged child of the test below.
TEST(SafeFileAsGroupMember, SavesTheSharedFiles) {
  const char* dir = std::getenv(kUserDirVariable);
  if (dir == nullptr) GTEST_SKIP() << "runs as the unprivileged user started by SharedFileKeepsItsGroup";
  for (const GroupCase& c : kGroupCases) {
    EXPECT_TRUE(WriteFileAtomically(std::string(dir) + "/" + c.name, "new")) << c.name;
  }
}

TEST_F(SafeFileFolderTest, SharedFileKeepsItsGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can set up another user's file shared by a group";
  if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "no setpriv to drop to an unprivileged user";
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  for (const GroupCase& c : kGroupCases) {
    const std::string path = Path(c.name);
    Put(path, "old");
    ASSERT_EQ(::chown(path.c_str(), c.owner, c.group), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
  }
  folder_files::RunTestAsNobody("SafeFileAsGroupMember.SavesTheSharedFiles", "--groups=" + std::to_string(kSharedGroup),
                                kUserDirVariable, dir_);
  if (HasFatalFailure() || IsSkipped()) return;
  for (const GroupCase& c : kGroupCases) {
    struct stat st {};
    ASSERT_EQ(::stat(Path(c.name).c_str(), &st), 0) << c.name;
    EXPECT_EQ(Slurp(Path(c.name)), "new") << c.name;
    EXPECT_EQ(st.st_gid, c.groupAfter) << c.name;
    EXPECT_EQ(st.st_mode & 07777, c.mode) << c.name;
  }
}

}  // namespace

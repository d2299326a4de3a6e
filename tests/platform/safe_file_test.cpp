// Tests of whole-file writing and reading: the old file survives every failure.
#include "platform/safe_file.h"

#include "tests/platform/file_size_limit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/norvale_safe_file_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    SetSafeFileNamedTemporaryOnly(false);
    ::chmod(dir_.c_str(), 0700);
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  // Names in the folder, to see that no temporary file stays behind.
  int CountEntries() const {
    int n = 0;
    if (DIR* d = ::opendir(dir_.c_str())) {
      while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..") ++n;
      }
      ::closedir(d);
    }
    return n;
  }
  std::string dir_;
};

TEST_F(SafeFileTest, WritesNewFileAndReplacesOldOneKeepingPermissions) {
  const std::string path = Path("p.tdw");
  ASSERT_TRUE(WriteFileAtomically(path, "first\r\n"));
  EXPECT_EQ(Slurp(path), "first\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "second"));
  EXPECT_EQ(Slurp(path), "second");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(CountEntries(), 1);
}

TEST_F(SafeFileTest, ReplacedFileKeepsItsOwnerWhenRootSaves) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another owner";
  const std::string path = Path("p.tdw");
  Put(path, "old");
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(Slurp(path), "new");
}

TEST_F(SafeFileTest, FollowsSymbolicLinkAndReplacesItsTarget) {
  const std::string target = Path("real.tdw");
  const std::string link = Path("link.tdw");
  Put(target, "old");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Slurp(target), "new");
}

TEST_F(SafeFileTest, FailsWhenParentIsARegularFile) {
  // Root cannot create a file below a regular file either.
  const std::string parent = Path("plain");
  Put(parent, "x");
  EXPECT_FALSE(WriteFileAtomically(parent + "/p.tdw", "data"));
  EXPECT_EQ(Slurp(parent), "x");
}

TEST_F(SafeFileTest, FailsOnAFolderAndOnAnEmptyPath) {
  EXPECT_FALSE(WriteFileAtomically(dir_, "data"));
  EXPECT_FALSE(WriteFileAtomically("", "data"));
}

TEST_F(SafeFileTest, FailsInReadOnlyFolderAndKeepsOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const std::string path = Path("p.tdw");
  Put(path, "old");
  ASSERT_EQ(::chmod(dir_.c_str(), 0500), 0);
  EXPECT_FALSE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(Slurp(path), "old");
}

TEST_F(SafeFileTest, FailsOnFullDeviceWithoutReplacingIt) {
  struct stat before {};
  if (::stat("/dev/full", &before) != 0) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(WriteFileAtomically("/dev/full", std::string(100000, 'x')));
  struct stat after {};
  ASSERT_EQ(::stat("/dev/full", &after), 0);
  EXPECT_TRUE(S_ISCHR(after.st_mode));  // the device was not renamed over
  EXPECT_EQ(after.st_rdev, before.st_rdev);
}

TEST_F(SafeFileTest, WriteFailingHalfwayKeepsOldFileAndLeavesNoTemporary) {
  // A file-size limit makes the write fail part of the way through, as a full
  // disk does.
  const std::string path = Path("p.tdw");
  const std::string old = "old project\r\n";
  Put(path, old);
  bool written = true;
  {
    const FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.IsSet());
    written = WriteFileAtomically(path, std::string(5000, 'n'));
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(Slurp(path), old);
  EXPECT_EQ(CountEntries(), 1);
}

// Pieces of every size, small ones that fill the buffer and ones larger than
// it, arrive in order and whole; the binary fields are little-endian.
TEST_F(SafeFileTest, StreamedPiecesArriveInOrderAndWhole) {
  const std::string path = Path("stream.bin");
  std::string expected;
  {
    SafeFileWriter file(path);
    ASSERT_TRUE(file.IsGood());
    uint32_t seed = 7;
    for (int i = 0; i < 2000; ++i) {
      seed = seed * 1103515245u + 12345u;
      // Mostly short pieces, now and then one beyond the 64 KiB buffer.
      const std::size_t size = i % 97 == 0 ? 70000 + seed % 100000 : seed % 300;
      const std::string piece(size, static_cast<char>('a' + i % 26));
      file.Write(piece);
      expected += piece;
    }
    file.WriteU16(0xA1B2);
    file.WriteU32(0x01020304u);
    file.WriteF32(1.0f);   // 0x3F800000
    file.WriteF32(-2.5f);  // 0xC0200000
    expected += std::string("\xB2\xA1\x04\x03\x02\x01\x00\x00\x80\x3F\x00\x00\x20\xC0", 14);
    // Nothing is in place before Finish.
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(file.Finish());
  }
  EXPECT_EQ(Slurp(path), expected);
  EXPECT_EQ(CountEntries(), 1);
}

// A writer dropped before Finish (an export that found its model broken
// half way) leaves the old file and no temporary, with an unnamed temporary
// and with the named one of file systems that have no unnamed files.
TEST_F(SafeFileTest, UnfinishedWriterLeavesOldFileAndNoTemporary) {
  for (const bool named : {false, true}) {
    SetSafeFileNamedTemporaryOnly(named);
    const std::string path = Path("p.stp");
    Put(path, "old");
    {
      SafeFileWriter file(path);
      ASSERT_TRUE(file.IsGood());
      file.Write(std::string(200000, 'x'));   // beyond the buffer: on disk already
      EXPECT_EQ(CountEntries(), named ? 2 : 1) << named;  // the named temporary shows
    }
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_EQ(CountEntries(), 1) << named;
  }
}

// Both roads put the whole new file in place with the old one's mode.
TEST_F(SafeFileTest, NamedAndUnnamedTemporariesReplaceTheFileAlike) {
  for (const bool named : {false, true}) {
    SetSafeFileNamedTemporaryOnly(named);
    const std::string path = Path("p.stl");
    Put(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    const std::string bytes(300000, named ? 'n' : 'u');
    ASSERT_TRUE(WriteFileAtomically(path, bytes)) << named;
    EXPECT_EQ(Slurp(path), bytes);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u) << named;
    EXPECT_EQ(CountEntries(), 1) << named;
    ASSERT_TRUE(WriteFileAtomically(Path("new.stl"), "fresh")) << named;
    EXPECT_EQ(Slurp(Path("new.stl")), "fresh");
    std::filesystem::remove(Path("new.stl"));
  }
}

// A write failing part of the way through a stream of small pieces: the
// writer goes bad, later pieces are dropped, Finish reports the failure and
// nothing is left behind.
TEST_F(SafeFileTest, StreamFailingHalfwayReportsFailureAndKeepsOldFile) {
  const std::string path = Path("p.stl");
  Put(path, "old");
  bool finished = true;
  bool goodAfterFailure = true;
  {
    const FileSizeLimit limit(100000);
    ASSERT_TRUE(limit.IsSet());
    SafeFileWriter file(path);
    for (int i = 0; i < 10000; ++i) file.Write(std::string(50, 'f'));  // 500 000 bytes
    goodAfterFailure = file.IsGood();
    finished = file.Finish();
  }
  EXPECT_FALSE(goodAfterFailure);
  EXPECT_FALSE(finished);
  EXPECT_EQ(Slurp(path), "old");
  EXPECT_EQ(CountEntries(), 1);
}

TEST_F(SafeFileTest, ReadsWholeFileAndRefusesWhatIsNoReadableFile) {
  std::string bytes;
  const std::string path = Path("p.tdw");
  std::string content(200000, 'a');
  content[123456] = '\0';
  Put(path, content);
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, content);
  EXPECT_FALSE(ReadFileBytes(path, bytes, 1000));  // larger than allowed
  EXPECT_FALSE(ReadFileBytes(Path("missing.tdw"), bytes));
  EXPECT_FALSE(ReadFileBytes(dir_, bytes));
  const std::string fifo = Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadFileBytes(fifo, bytes));  // returns at once, no hang
  Put(Path("empty"), "");
  EXPECT_TRUE(ReadFileBytes(Path("empty"), bytes));
  EXPECT_TRUE(bytes.empty());
}

}  // namespace

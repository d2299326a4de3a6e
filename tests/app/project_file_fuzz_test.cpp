// Thousands of damaged copies of a saved project, made by a fixed-seed
// generator, each loaded through the program's own load path: every one loads
// or is refused with its message, and a refused file changes nothing.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/control_ids.h"
#include "project_test_support.h"

namespace project_test {
namespace {

constexpr int kMutations = 2000;

// The state a refused load must leave alone.
struct ProjectState {
  std::string savedBytes;  // what saving now would write
  ControlSnapshot controls;
  std::string path;
  int64_t modified = 0;
  std::string title;
};

ProjectState TakeProjectState() {
  return {BuildProjectFileText(), TakeSnapshot(), gProjectPath, gProjectModified, WindowGetTitle(0)};
}

void ExpectUnchanged(const ProjectState& before, const std::string& name) {
  const ProjectState now = TakeProjectState();
  EXPECT_EQ(now.savedBytes, before.savedBytes) << name;
  EXPECT_TRUE(now.controls == before.controls) << name;
  EXPECT_EQ(now.path, before.path) << name;
  EXPECT_EQ(now.modified, before.modified) << name;
  EXPECT_EQ(now.title, before.title) << name;
}

// Starts of the lines of a file, after its first line.
std::vector<std::size_t> LineStarts(const std::string& bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t i = bytes.find("\r\n"); i != std::string::npos; i = bytes.find("\r\n", i + 2)) {
    if (i + 2 < bytes.size()) starts.push_back(i + 2);
  }
  return starts;
}

class Mutator {
 public:
  explicit Mutator(const std::string& base) : base_(base) {}

  std::string Make(int index) {
    std::string bytes = base_;
    const int steps = index % 7 == 6 ? 3 : 1;
    for (int s = 0; s < steps; ++s) Apply(bytes, static_cast<int>(rng_() % 8));
    return bytes;
  }

 private:
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : rng_() % n; }
  std::size_t AnyLine(const std::string& bytes) {
    const std::vector<std::size_t> starts = LineStarts(bytes);
    return starts.empty() ? bytes.size() : starts[Below(starts.size())];
  }
  // The value of a random value line: its start and length.
  std::pair<std::size_t, std::size_t> AnyValue(const std::string& bytes) {
    for (int tries = 0; tries < 20; ++tries) {
      const std::size_t line = AnyLine(bytes);
      const std::size_t end = std::min(bytes.find("\r\n", line), bytes.size());
      const std::size_t eq = bytes.find(" = ", line);
      if (eq != std::string::npos && eq < end) return {eq + 3, end - eq - 3};
    }
    return {bytes.size(), 0};
  }
  std::string Pick(const std::vector<std::string>& v) { return v[Below(v.size())]; }

  void Apply(std::string& bytes, int kind) {
    static const std::vector<std::string> kGroups = {"Tandwiel", "Paar", "Enkel", "Heugel", "Binnen", "Sterkte",
                                                     "Naaf", "Weergave", "Keuze", "KeuzeBinnen", "", "PAAR"};
    static const std::vector<std::string> kNumbers = {
        "nan", "NaN", "-nan", "inf", "-Infinity", "1e308", "-1e309", "1e-320", "99999999999999999999",
        "-9223372036854775808", "9223372036854775807", "0x10", "1,#QNAN", "", "   ", "-0", "1e", ",5", "2,5,5"};
    static const std::vector<std::string> kBadUtf8 = {"\xC3", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "\xC0\xAF",
                                                      "\xFF\xFE", "\xE2\x82", "\xEF\xBB\xBF", "\xF4\x90\x80\x80"};
    switch (kind) {
      case 0:  // byte flips
        for (std::size_t k = 0, n = 1 + Below(8); k < n && !bytes.empty(); ++k) {
          bytes[Below(bytes.size())] ^= static_cast<char>(1 << Below(8));
        }
        break;
      case 1:  // truncation, often inside the first group
        bytes.resize(Below(2) == 0 ? Below(std::min<std::size_t>(bytes.size(), 60)) : Below(bytes.size() + 1));
        break;
      case 2: {  // a group repeated elsewhere, its values changed or not
        const std::size_t from = bytes.find('[', Below(bytes.size()));
        if (from == std::string::npos) break;
        const std::size_t to = std::min(bytes.find("\r\n[", from), bytes.size());
        std::string block = bytes.substr(from, to - from) + "\r\n";
        if (Below(2) == 0) {
          for (char& c : block) {
            if (c >= '0' && c <= '9') c = static_cast<char>('0' + Below(10));
          }
        }
        bytes.insert(AnyLine(bytes), block);
        break;
      }
      case 3: {  // empty groups, a few or thousands
        const std::size_t count = Below(3) == 0 ? 1000 + Below(4000) : 1 + Below(4);
        std::string groups;
        for (std::size_t k = 0; k < count; ++k) groups += "[" + Pick(kGroups) + "]\r\n";
        bytes.insert(AnyLine(bytes), groups);
        break;
      }
      case 4: {  // a very long value, key or line
        const std::size_t length = 1000 + Below(300000);
        const std::string filler(length, "7a=[;\xC3"[Below(6)]);
        if (Below(3) == 0) {
          bytes.insert(AnyLine(bytes), filler + (Below(2) ? " = 1\r\n" : "\r\n"));
        } else {
          const auto [at, size] = AnyValue(bytes);
          bytes.replace(at, size, filler);
        }
        break;
      }
      case 5: {  // broken UTF-8, or the byte-order mark taken away
        if (Below(4) == 0) {
          bytes.erase(0, std::min<std::size_t>(3, bytes.size()));
        } else {
          for (std::size_t k = 0, n = 1 + Below(3); k < n; ++k) bytes.insert(Below(bytes.size() + 1), Pick(kBadUtf8));
        }
        break;
      }
      case 6: {  // NaN, infinite and huge numbers
        for (std::size_t k = 0, n = 1 + Below(4); k < n; ++k) {
          const auto [at, size] = AnyValue(bytes);
          bytes.replace(at, size, Pick(kNumbers));
        }
        break;
      }
      default: {  // the version or its group spoilt
        const std::size_t at = bytes.find("versie = ");
        if (at == std::string::npos) break;
        static const std::vector<std::string> kSpoilt = {"versie = 0", "versie = -1",  "versie = abc",
                                                         "versie = ",  "versie = 0.9", "versi = 1",
                                                         "; versie = 1"};
        bytes.replace(at, 10, Pick(kSpoilt));
        break;
      }
    }
  }

  const std::string base_;
  std::mt19937 rng_{20261210};
};

using ProjectFileFuzzTest = ProjectFixture;

TEST_F(ProjectFileFuzzTest, EveryDamagedCopyLoadsOrIsRefusedWithoutChangingTheProject) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  // With the main window hidden and its canvas small, the redraw and
  // repaint after each load are short.
  GadgetResize(kCanvasView, kKeep, kKeep, 16, 16);
  WindowSetState(kWindowMain, kWindowStateHidden);
  PumpEvents();
  // A saved project with both rows chosen and a few edits.
  EditText(16, "12,5");
  EditText(76, "7,5");
  ChooseState(0, 3);
  ASSERT_GE(gInternalSelectedRow, 0);
  ChooseState(0, 0);
  ASSERT_EQ(WriteProjectFile(Path("base.tdw")), 1);
  const std::string base = Slurp(Path("base.tdw"));
  ASSERT_NE(base.find("[KeuzeBinnen]"), std::string::npos);

  Mutator mutator(base);
  int loaded = 0;
  int refused = 0;
  for (int i = 0; i < kMutations; ++i) {
    const std::string name = "m" + std::to_string(i) + ".tdw";
    const std::string path = Path(name);
    Put(path, mutator.Make(i));
    if (i % 3 == 0) MarkProjectModified();
    const ProjectState before = TakeProjectState();
    messages_.clear();
    const int64_t result = ReadProjectFile(path);
    PumpEvents();
    const std::string refusal =
        "'" + name + ByLanguage("' is not a Norvale project.", "' is geen Norvale-project.");
    if (result == 1) {
      ++loaded;
      ASSERT_EQ(gProjectPath, path) << name;
      ASSERT_EQ(gProjectModified, 0) << name;
      ASSERT_NE(WindowGetTitle(0).find(name), std::string::npos) << name;
      for (const Message& m : messages_) ASSERT_NE(m.text, refusal) << name;
    } else {
      ++refused;
      ASSERT_EQ(result, 0) << name;
      ASSERT_EQ(messages_.size(), 1u) << name;
      ASSERT_EQ(messages_[0].text, refusal) << name;
      ExpectUnchanged(before, name);
      if (HasFailure()) return;
    }
    std::remove(path.c_str());
  }
  std::printf("[ fuzz     ] %d damaged projects: %d loaded, %d refused\n", kMutations, loaded, refused);
  // Both outcomes are met often.
  EXPECT_GT(loaded, kMutations / 4);
  EXPECT_GT(refused, kMutations / 10);

  // A file beyond the size limit is refused with the message that it could
  // not be opened, and leaves the project as it was.
  std::string huge = base;
  huge.insert(huge.find("hartafstand = ") + 14, std::string((std::size_t{64} << 20) + 1, '7'));
  const std::string hugePath = Path("huge.tdw");
  Put(hugePath, huge);
  huge = std::string();
  MarkProjectModified();
  const ProjectState before = TakeProjectState();
  messages_.clear();
  EXPECT_EQ(ReadProjectFile(hugePath), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            ByLanguage("File '" + hugePath + "' could not be opened.", "Kan '" + hugePath + "' niet openen."));
  ExpectUnchanged(before, "huge.tdw");
}

}  // namespace
}  // namespace project_test

// The help file lookup (program folder, build-time folder, current directory;
// empty copies skipped; the message when none is found), the About box (modal,
// texts by language number, the picture on screen, every way of closing it,
// other windows' events dropped while it is open) and the PNG decoder on the
// embedded picture and on corrupt bytes.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/about_picture.h"
#include "app/control_ids.h"
#include "app/help_about.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace fs = std::filesystem;

namespace {

const char* HelpName() { return Pick("help_en.html", "help_nl.html"); }

fs::path TempFolder(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() /
                       ("norvale-help-" + name + "-" + std::to_string(NORVALE_TEST_LANG) + "-" +
                        std::to_string(QCoreApplication::applicationPid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string WithSlash(const fs::path& dir) { return dir.string() + "/"; }

// ---------------------------------------------------------------------------
// Lookup order
// ---------------------------------------------------------------------------

// Which of the three folders holds a real copy, an empty copy, a folder of the
// help file's name, or nothing; and which folder the lookup must take.
enum class Copy { kNone, kReal, kEmpty, kFolder };

struct LookupCase {
  const char* what;
  Copy program;
  Copy build;
  Copy current;
  int expected;  // 0, 1, 2 = that folder; -1 = none found
};

void Place(const fs::path& dir, Copy copy) {
  const fs::path file = dir / HelpName();
  switch (copy) {
    case Copy::kReal: WriteFile(file, "<html><body>guide</body></html>"); break;
    case Copy::kEmpty: WriteFile(file, ""); break;
    case Copy::kFolder: fs::create_directories(file); break;
    case Copy::kNone: break;
  }
}

TEST(HelpLookup, FirstNonEmptyCopyInFolderOrder) {
  const LookupCase cases[] = {
      {"all three: the program folder wins", Copy::kReal, Copy::kReal, Copy::kReal, 0},
      {"program folder and current dir: program folder", Copy::kReal, Copy::kNone, Copy::kReal, 0},
      {"empty in the program folder: build folder", Copy::kEmpty, Copy::kReal, Copy::kReal, 1},
      {"empty in program folder, real in current dir", Copy::kEmpty, Copy::kNone, Copy::kReal, 2},
      {"a folder of that name is no file", Copy::kFolder, Copy::kNone, Copy::kReal, 2},
      {"only the build folder", Copy::kNone, Copy::kReal, Copy::kNone, 1},
      {"empty everywhere", Copy::kEmpty, Copy::kEmpty, Copy::kEmpty, -1},
      {"nowhere", Copy::kNone, Copy::kNone, Copy::kNone, -1},
  };
  for (const LookupCase& c : cases) {
    const fs::path dirs[3] = {TempFolder("p"), TempFolder("b"), TempFolder("c")};
    Place(dirs[0], c.program);
    Place(dirs[1], c.build);
    Place(dirs[2], c.current);
    const std::string found =
        FindHelpFile({WithSlash(dirs[0]), WithSlash(dirs[1]), WithSlash(dirs[2])}, HelpName());
    const std::string expected = c.expected < 0 ? std::string() : WithSlash(dirs[c.expected]) + HelpName();
    EXPECT_EQ(found, expected) << c.what;
    for (const fs::path& d : dirs) fs::remove_all(d);
  }
}

TEST(HelpLookup, EmptyFolderCandidatesAreSkipped) {
  const fs::path dir = TempFolder("skip");
  WriteFile(dir / HelpName(), "x");
  // An empty candidate must not turn into a relative lookup of the bare name.
  EXPECT_EQ(FindHelpFile({"", "", WithSlash(dir)}, HelpName()), WithSlash(dir) + HelpName());
  EXPECT_EQ(FindHelpFile({"", ""}, HelpName()), "");
  fs::remove_all(dir);
}

TEST(HelpLookup, TheBuildFolderHoldsBothGuides) {
  // The fixed build-time folder is the source tree's help folder: both guides
  // are there, not empty, and are HTML.
  if (gHelpFileBuildFolder.empty()) GTEST_SKIP() << "built without a help folder";
  for (const char* name : {"help_en.html", "help_nl.html"}) {
    const std::string path = gHelpFileBuildFolder + name;
    EXPECT_GT(FileSizeOrKind(path), 500) << path;
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "<!DOCTYPE html>") << path;
  }
}

// OpenHelpFile in the running program, with the program folder, the build
// folder and the current directory pointed at temporary folders.
class HelpFileTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    oldBuildFolder_ = gHelpFileBuildFolder;
    oldCurrent_ = fs::current_path();
    program_ = TempFolder("program");
    build_ = TempFolder("build");
    current_ = TempFolder("current");
    SetProgramFolderOverride(program_.string());
    gHelpFileBuildFolder = WithSlash(build_);
    fs::current_path(current_);
    SetShellOpenHook([this](const std::string& path) {
      opened_.push_back(path);
      return true;
    });
  }
  void TearDown() override {
    fs::current_path(oldCurrent_);
    gHelpFileBuildFolder = oldBuildFolder_;
    SetProgramFolderOverride("");
    for (const fs::path& d : {program_, build_, current_}) fs::remove_all(d);
    AppTest::TearDown();
  }

  // F1 on the active main window, through its shortcut and the dispatch.
  void PressF1() {
    QWidget* window = MainWindowWidget();
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F1);
    Pump();
  }

  std::string oldBuildFolder_;
  fs::path oldCurrent_;
  fs::path program_, build_, current_;
  std::vector<std::string> opened_;
};

TEST_F(HelpFileTest, ProgramFolderCopyIsOpenedBeforeTheCurrentDirectory) {
  WriteFile(program_ / HelpName(), "<html>program</html>");
  WriteFile(current_ / HelpName(), "<html>current</html>");
  EXPECT_EQ(OpenHelpFile(), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(fs::path(opened_[0]), program_ / HelpName());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(HelpFileTest, EmptyCopyBesideTheProgramFallsThroughToTheCurrentDirectory) {
  WriteFile(program_ / HelpName(), "");
  WriteFile(current_ / HelpName(), "<html>current</html>");
  EXPECT_EQ(OpenHelpFile(), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(fs::path(opened_[0]), current_ / HelpName());
}

TEST_F(HelpFileTest, StartedElsewhereF1StillFindsTheCopyBesideTheProgram) {
  // The current directory is another folder without a guide; F1 goes through
  // the main window's shortcut and the dispatch.
  WriteFile(program_ / HelpName(), "<html>program</html>");
  PressF1();
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(fs::path(opened_[0]), program_ / HelpName());
}

TEST_F(HelpFileTest, NoCopyAnywhereGivesTheWarningWithTheBareName) {
  WriteFile(program_ / HelpName(), "");
  nextAnswer_ = kResultOk;
  EXPECT_EQ(OpenHelpFile(), kResultOk);  // the message box's result
  EXPECT_TRUE(opened_.empty());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].title, "Norvale");
  EXPECT_EQ(messages_[0].text,
            Pick("The help file 'help_en.html' was not found. Place it next to the program.",
                 "Het helpbestand 'help_nl.html' is niet gevonden. Zet het naast het programma."));
  EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconWarning);
}

// Fault: on a desktop with no program for HTML, F1 did nothing visible.
TEST_F(HelpFileTest, WhenTheSystemCannotOpenTheGuideF1GivesItsFullPath) {
  WriteFile(program_ / HelpName(), "<html>program</html>");
  SetShellOpenHook([this](const std::string& path) {
    opened_.push_back(path);
    return false;  // no viewer for HTML
  });
  nextAnswer_ = kResultOk;
  PressF1();
  ASSERT_EQ(opened_.size(), 1u);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].title, "Norvale");
  const std::string full = fs::absolute(program_ / HelpName()).lexically_normal().string();
  ASSERT_EQ(full.front(), '/');
  EXPECT_EQ(messages_[0].text, Pick("The system could not open the user guide. It is here:\r\n",
                                    "Het systeem kon de handleiding niet openen. Die staat hier:\r\n") +
                                   full);
  EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconWarning);
}

TEST_F(HelpFileTest, AnEmptyBuildFolderSettingSkipsThatCandidate) {
  gHelpFileBuildFolder.clear();
  WriteFile(current_ / HelpName(), "<html>current</html>");
  const std::vector<std::string> folders = BuildHelpCandidateFolders();
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(folders[1], "");
  EXPECT_EQ(OpenHelpFile(), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(fs::path(opened_[0]), current_ / HelpName());
}

// ---------------------------------------------------------------------------
// The PNG decoder and the embedded picture
// ---------------------------------------------------------------------------

const unsigned char* PictureStart() { return kAboutPicturePng; }
const unsigned char* PictureEnd() { return kAboutPicturePng + kAboutPicturePngSize; }

uint32_t ReadBigEndian(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

void WriteBigEndian(unsigned char* p, uint32_t v) {
  p[0] = static_cast<unsigned char>(v >> 24);
  p[1] = static_cast<unsigned char>(v >> 16);
  p[2] = static_cast<unsigned char>(v >> 8);
  p[3] = static_cast<unsigned char>(v);
}

// CRC-32 of PNG chunks (ISO 3309 polynomial, reflected), bit by bit.
uint32_t Crc32(const unsigned char* p, std::size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c & 1u) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

struct Chunk {
  std::string type;
  std::size_t offset;  // of its length field
  uint32_t length;
};

std::vector<Chunk> ListChunks(const std::vector<unsigned char>& png) {
  std::vector<Chunk> chunks;
  std::size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = ReadBigEndian(&png[at]);
    chunks.push_back({std::string(reinterpret_cast<const char*>(&png[at + 4]), 4), at, length});
    at += 12 + std::size_t(length);
  }
  return chunks;
}

std::vector<unsigned char> EmbeddedBytes() { return {PictureStart(), PictureEnd()}; }

// The picture as Qt's own PNG reader decodes it: an independent decoder.
QImage DecodeWithQt() {
  QImage image = QImage::fromData(PictureStart(), int(kAboutPicturePngSize), "PNG");
  return image.convertToFormat(QImage::Format_RGBA8888);
}

TEST(AboutPicture, IsA256SquareRgbaPngWithTheExpectedChunks) {
  const std::vector<unsigned char> png = EmbeddedBytes();
  ASSERT_GT(png.size(), 8u + 25u);
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
  const std::vector<Chunk> chunks = ListChunks(png);
  std::vector<std::string> types;
  for (const Chunk& c : chunks) types.push_back(c.type);
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"}));
  ASSERT_FALSE(chunks.empty());
  const unsigned char* ihdr = &png[chunks[0].offset + 8];
  EXPECT_EQ(ReadBigEndian(ihdr), 256u);      // width
  EXPECT_EQ(ReadBigEndian(ihdr + 4), 256u);  // height
  EXPECT_EQ(ihdr[8], 8);                     // bit depth
  EXPECT_EQ(ihdr[9], 6);                     // colour type: RGBA
  EXPECT_EQ(ihdr[12], 0);                    // not interlaced
  // Every chunk's CRC holds and the file ends right after IEND.
  for (const Chunk& c : chunks) {
    EXPECT_EQ(Crc32(&png[c.offset + 4], 4 + c.length), ReadBigEndian(&png[c.offset + 8 + c.length])) << c.type;
  }
  EXPECT_EQ(chunks.back().offset + 12, png.size());
}

TEST(AboutPicture, DecodesToTheSamePixelsAsQtsOwnReader) {
  ASSERT_TRUE(PngDecoderRegister());
  ASSERT_TRUE(PngDecoderRegister());  // repeating it is harmless
  const int64_t image = ImageCatch(kAnyNumber, PictureStart(), PictureEnd());
  ASSERT_GE(image, 0);
  EXPECT_EQ(ImageGetWidth(image), 256);
  EXPECT_EQ(ImageGetHeight(image), 256);
  const QImage ours = Platform().images[image].convertToFormat(QImage::Format_RGBA8888);
  const QImage theirs = DecodeWithQt();
  ASSERT_EQ(theirs.size(), QSize(256, 256));
  int differing = 0;
  int opaque = 0;
  int transparent = 0;
  for (int y = 0; y < 256; ++y) {
    const uchar* a = ours.constScanLine(y);
    const uchar* b = theirs.constScanLine(y);
    if (std::memcmp(a, b, 256 * 4) != 0) ++differing;
    for (int x = 0; x < 256; ++x) {
      if (a[4 * x + 3] == 255) ++opaque;
      if (a[4 * x + 3] == 0) ++transparent;
    }
  }
  EXPECT_EQ(differing, 0);
  // A picture, not a blank: both gears and a transparent background.
  EXPECT_GT(opaque, 256 * 256 / 4);
  EXPECT_GT(transparent, 256 * 256 / 4);
  ImageFree(image);
}

TEST(AboutPicture, CorruptBytesAreRefusedWithoutACrash) {
  const std::vector<unsigned char> good = EmbeddedBytes();
  const std::vector<Chunk> chunks = ListChunks(good);
  ASSERT_EQ(chunks.size(), 4u);
  const Chunk& idat = chunks[2];

  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"signature only", {good.begin(), good.begin() + 8}});
  {
    std::vector<unsigned char> b = good;
    b[1] = 'Q';
    cases.push_back({"wrong signature", b});
  }
  cases.push_back({"cut inside the image data", {good.begin(), good.begin() + std::ptrdiff_t(idat.offset + 8 + idat.length / 2)}});
  cases.push_back({"cut inside the header", {good.begin(), good.begin() + 20}});
  {
    std::vector<unsigned char> b = good;
    b[idat.offset + 8 + idat.length / 2] ^= 0x5A;  // the chunk's CRC no longer holds
    cases.push_back({"image data changed", b});
  }
  {
    // Garbage compressed data with a correct CRC: the inflate fails mid-image.
    std::vector<unsigned char> b = good;
    for (uint32_t i = 2; i < idat.length; ++i) b[idat.offset + 8 + i] = static_cast<unsigned char>(i * 37u);
    WriteBigEndian(&b[idat.offset + 8 + idat.length], Crc32(&b[idat.offset + 4], 4 + idat.length));
    cases.push_back({"image data garbage with a valid CRC", b});
  }
  {
    // A header claiming 100000 x 100000 pixels (40 GB), with a valid CRC.
    std::vector<unsigned char> b = good;
    WriteBigEndian(&b[chunks[0].offset + 8], 100000);
    WriteBigEndian(&b[chunks[0].offset + 12], 100000);
    WriteBigEndian(&b[chunks[0].offset + 8 + 13], Crc32(&b[chunks[0].offset + 4], 4 + 13));
    cases.push_back({"huge dimensions", b});
  }
  {
    std::vector<unsigned char> b = good;
    WriteBigEndian(&b[chunks[0].offset + 8], 0);
    WriteBigEndian(&b[chunks[0].offset + 8 + 13], Crc32(&b[chunks[0].offset + 4], 4 + 13));
    cases.push_back({"zero width", b});
  }

  const std::size_t imagesBefore = Platform().images.size();
  for (const Case& c : cases) {
    EXPECT_EQ(ImageCatch(kAnyNumber, c.bytes.data(), c.bytes.data() + c.bytes.size()), -1) << c.what;
  }
  EXPECT_EQ(ImageCatch(kAnyNumber, PictureStart(), PictureStart()), -1) << "empty block";
  EXPECT_EQ(ImageCatch(kAnyNumber, PictureEnd(), PictureStart()), -1) << "end before start";
  EXPECT_EQ(ImageCatch(kAnyNumber, nullptr, nullptr), -1) << "no block";
  EXPECT_EQ(Platform().images.size(), imagesBefore);
}

// ---------------------------------------------------------------------------
// The About box
// ---------------------------------------------------------------------------

QWidget* AboutWidget() {
  WindowEntry* e = FindWindow(gAboutBox.window);
  return e != nullptr ? e->widget.data() : nullptr;
}

// Calls `act` once the About box is open (checked every 10 ms), i.e. from
// inside the box's own loop.
void WhenAboutBoxOpen(std::function<void()> act) {
  auto* poll = new QTimer();
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, act]() {
    if (gAboutBox.window < 0 || gAboutBox.closeButton < 0) return;
    poll->stop();
    poll->deleteLater();
    act();
  });
  poll->start();
}

class AboutBoxTest : public AppTest {
 protected:
  // Opens the box and calls `act` from inside its own loop. Once `act` has
  // returned the box must close within the next few events; a watchdog ends
  // a box that stays open, so a broken close path fails the test instead of
  // hanging it. It starts only then, as `act` may wait for states itself.
  void RunAboutBox(int64_t language, const unsigned char* start, const unsigned char* end,
                   const std::function<void()>& act) {
    watchdogFired_ = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this]() {
      watchdogFired_ = true;
      if (gAboutBox.window >= 0) WindowClose(gAboutBox.window);
      PlatformEvent wake;
      wake.kind = kEventMenu;
      wake.window = kWindowMain;
      PushEvent(wake);
    });
    WhenAboutBoxOpen([&act, &watchdog]() {
      act();
      watchdog.start(60000);
    });
    result_ = ShowAboutBox(kWindowMain, "Norvale 1.00", start, end, language);
    watchdog.stop();
  }

  void ExpectClosedCleanly() {
    EXPECT_FALSE(watchdogFired_) << "the box did not close by itself";
    EXPECT_EQ(result_, 0);
    EXPECT_EQ(gAboutBox.window, -1);
    EXPECT_FALSE(WindowIsDisabled(kWindowMain));
  }

  bool watchdogFired_ = false;
  int64_t result_ = -1;
};

TEST_F(AboutBoxTest, OpensModalWithTextsAndPictureAndClosesWithItsButton) {
  bool checked = false;
  const QImage reference = DecodeWithQt();
  RunAboutBox(kLang, PictureStart(), PictureEnd(), [&]() {
    checked = true;
    QWidget* about = AboutWidget();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(WindowIsDisabled(kWindowMain));
    EXPECT_EQ(WindowGetTitle(gAboutBox.window), Pick("About", "Over"));
    EXPECT_EQ(WindowGetInnerWidth(gAboutBox.window), 600);
    EXPECT_EQ(WindowGetInnerHeight(gAboutBox.window), 300);
    EXPECT_EQ(GadgetGetText(gAboutBox.versionText), "Norvale 1.00");
    ASSERT_GE(gAboutBox.titleFont, 0);
    EXPECT_EQ(GadgetGetFont(gAboutBox.versionText), gAboutBox.titleFont);
    EXPECT_EQ(FontGetPointSize(gAboutBox.titleFont), 12.0);
    EXPECT_EQ(GadgetGetText(gAboutBox.closeButton), Pick("Close", "Sluiten"));
    EXPECT_EQ(GadgetGetX(gAboutBox.closeButton), 490);
    EXPECT_EQ(GadgetGetY(gAboutBox.closeButton), 256);
    EXPECT_FALSE(GadgetGetText(gAboutBox.toolchainText).empty());
    ASSERT_GE(gAboutBox.imageControl, 0);
    EXPECT_EQ(GadgetGetType(gAboutBox.imageControl), kControlImage);

    // The picture on screen: every opaque pixel of the PNG (as Qt's reader
    // decodes it) appears unchanged at (16 + x, 16 + y) of the window.
    const QImage shot = about->grab().toImage().convertToFormat(QImage::Format_RGBA8888);
    about->grab().save(QString::fromStdString(std::string("about_box_") + (kLang == 0 ? "en" : "nl") + ".png"));
    ASSERT_EQ(shot.width(), 600);
    int compared = 0;
    int wrong = 0;
    for (int y = 0; y < 256; y += 3) {
      for (int x = 0; x < 256; x += 3) {
        const QColor want = reference.pixelColor(x, y);
        if (want.alpha() != 255) continue;
        ++compared;
        if (shot.pixelColor(16 + x, 16 + y) != want) ++wrong;
      }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(wrong, 0);

    QTest::mouseClick(ControlWidget(gAboutBox.closeButton), Qt::LeftButton);
  });
  EXPECT_TRUE(checked);
  ExpectClosedCleanly();
  // Everything the box held is gone: the picture and the bold font.
  EXPECT_TRUE(Platform().images.empty());
}

TEST_F(AboutBoxTest, TextsFollowTheLanguageNumberInEitherProgram) {
  struct Case {
    int64_t language;
    const char* title;
    const char* createdUsing;
    const char* close;
  };
  const Case cases[] = {{0, "About", "Created using:", "Close"},
                        {1, "Over", "Gemaakt met:", "Sluiten"},
                        {7, "Over", "Gemaakt met:", "Sluiten"}};
  for (const Case& c : cases) {
    RunAboutBox(c.language, PictureStart(), PictureEnd(), [&]() {
      EXPECT_EQ(WindowGetTitle(gAboutBox.window), c.title);
      EXPECT_EQ(GadgetGetText(gAboutBox.closeButton), c.close);
      // The label just above the toolchain line.
      bool found = false;
      for (const auto& [number, entry] : Platform().controls) {
        if (entry.window == gAboutBox.window && GadgetGetText(number) == c.createdUsing) {
          found = GadgetGetY(number) == 182;
        }
      }
      EXPECT_TRUE(found) << c.createdUsing;
      // Every text of the box fits its label in this language.
      for (const auto& [number, entry] : Platform().controls) {
        if (entry.window != gAboutBox.window || entry.kind != kControlText) continue;
        const auto* label = qobject_cast<const QLabel*>(entry.widget.data());
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
      }
      QTest::mouseClick(ControlWidget(gAboutBox.closeButton), Qt::LeftButton);
    });
    ExpectClosedCleanly();
  }
}

TEST_F(AboutBoxTest, EscapeReturnAndTheCloseBoxEachCloseIt) {
  struct Case {
    const char* what;
    std::function<void(QWidget*)> act;
  };
  const Case cases[] = {
      {"Escape", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
      {"Return", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }},
      {"keypad Enter", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Enter, Qt::KeypadModifier); }},
      {"close box", [](QWidget* w) { w->close(); }},
  };
  for (const Case& c : cases) {
    RunAboutBox(kLang, PictureStart(), PictureEnd(), [&]() {
      QWidget* about = AboutWidget();
      ASSERT_NE(about, nullptr);
      // The keys reach the box's shortcuts only once it is the active window.
      ASSERT_TRUE(ActivateAndWaitForFocus(about)) << c.what;
      c.act(about);
    });
    EXPECT_FALSE(watchdogFired_) << c.what;
    ExpectClosedCleanly();
  }
}

TEST_F(AboutBoxTest, F1InTheBoxDoesNothingAndOtherWindowsEventsAreDropped) {
  std::vector<std::string> opened;
  SetShellOpenHook([&](const std::string& path) {
    opened.push_back(path);
    return true;
  });
  // The animation runs before the box opens.
  GadgetSetState(kCheckRotate, 1);
  HandleControlEvent(kCheckRotate, kSubChanged);
  Pump();
  const double angleBefore = gAnimAngle;
  const int64_t modifiedBefore = gProjectModified;
  RunAboutBox(kLang, PictureStart(), PictureEnd(), [&]() {
    QWidget* about = AboutWidget();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(ActivateAndWaitForFocus(about));
    QTest::keyClick(about, Qt::Key_F1);
    // Events of the main window, queued while the box is open: an edit of a
    // field, a click on "Calculate modules" and the close box.
    PlatformEvent edit;
    edit.kind = kEventControl;
    edit.window = kWindowMain;
    edit.object = kFieldPairFaceWidth;
    edit.subtype = kSubChanged;
    PushEvent(edit);
    PlatformEvent close;
    close.kind = kEventCloseWindow;
    close.window = kWindowMain;
    PushEvent(close);
    // The box's loop takes several animation ticks before Escape closes it.
    WindowEntry* main = FindWindow(kWindowMain);
    ASSERT_TRUE(main != nullptr && main->timers.count(kTimerAnimation) == 1);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(main->timers.at(kTimerAnimation), &QTimer::timeout, about, [ticks]() { ++*ticks; });
    auto* closer = new QTimer(about);
    QObject::connect(closer, &QTimer::timeout, [closer, ticks, about]() {
      if (*ticks < 5) return;
      closer->stop();
      EXPECT_TRUE(ActivateAndWaitForFocus(about));
      QTest::keyClick(about, Qt::Key_Escape);
    });
    closer->start(10);
  });
  ExpectClosedCleanly();
  EXPECT_TRUE(opened.empty()) << "F1 in the About box opened the guide";
  EXPECT_EQ(gAnimAngle, angleBefore) << "the gears turned while the box was open";
  EXPECT_EQ(gProjectModified, modifiedBefore);
  EXPECT_EQ(gQuit, 0);
  // After the box the main loop runs again: the animation goes on.
  EXPECT_TRUE(QTest::qWaitFor([&]() {
    Pump();
    return gAnimAngle != angleBefore;
  }, 60000));
  GadgetSetState(kCheckRotate, 0);
  HandleControlEvent(kCheckRotate, kSubChanged);
}

TEST_F(AboutBoxTest, WhileOpenTheMainWindowIgnoresClicks) {
  const int64_t rowsBefore = GadgetCountItems(kListPairResults);
  GadgetClearItems(kListPairResults);
  RunAboutBox(kLang, PictureStart(), PictureEnd(), [&]() {
    QTest::mouseClick(ControlWidget(kButtonPairCalculate), Qt::LeftButton);
    QTest::mouseClick(ControlWidget(gAboutBox.closeButton), Qt::LeftButton);
  });
  ExpectClosedCleanly();
  Pump();
  EXPECT_EQ(GadgetCountItems(kListPairResults), 0) << "a click reached the disabled main window";
  EXPECT_GT(rowsBefore, 0);
}

TEST_F(AboutBoxTest, WithoutAUsablePictureTheBoxOpensWithoutTheImage) {
  const unsigned char garbage[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  struct Case {
    const char* what;
    const unsigned char* start;
    const unsigned char* end;
  };
  const Case cases[] = {{"no block", nullptr, nullptr},
                        {"end before start", PictureEnd(), PictureStart()},
                        {"empty block", PictureStart(), PictureStart()},
                        {"not a whole PNG", garbage, garbage + sizeof(garbage)}};
  for (const Case& c : cases) {
    RunAboutBox(kLang, c.start, c.end, [&]() {
      EXPECT_GE(gAboutBox.window, 0) << c.what;
      EXPECT_EQ(gAboutBox.picture, -1) << c.what;
      EXPECT_EQ(gAboutBox.imageControl, -1) << c.what;
      EXPECT_EQ(GadgetGetText(gAboutBox.versionText), "Norvale 1.00");
      QTest::mouseClick(ControlWidget(gAboutBox.closeButton), Qt::LeftButton);
    });
    ExpectClosedCleanly();
  }
}

TEST_F(AboutBoxTest, TheHelpMenuOpensItWithTheEmbeddedPicture) {
  bool sawPicture = false;
  WhenAboutBoxOpen([&]() {
    sawPicture = gAboutBox.imageControl >= 0 && ImageGetWidth(gAboutBox.picture) == 256;
    EXPECT_EQ(WindowGetTitle(gAboutBox.window), Pick("About", "Over"));
    QTest::mouseClick(ControlWidget(gAboutBox.closeButton), Qt::LeftButton);
  });
  SetPopupResponder([](int64_t, const std::vector<std::pair<int64_t, std::string>>&) { return kMenuItemAbout; });
  QTest::mouseClick(Widget(kButtonHelp), Qt::LeftButton);
  Pump();
  EXPECT_TRUE(sawPicture);
  EXPECT_EQ(gAboutBox.window, -1);
  EXPECT_FALSE(WindowIsDisabled(kWindowMain));
}

}  // namespace

// The platform layer's own services: start and end (the private text heap
// lives exactly as long as the layer), numbers read with "." whatever the
// locale, file sizes, the command line at start-up, and layer-chosen numbers.
#include <QApplication>
#include <QBuffer>
#include <QImage>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/control_ids.h"
#include "app_fixture.h"
#include "platform/registry.h"
#include "platform/text_heap.h"

namespace fs = std::filesystem;

namespace {

fs::path TempFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() / (std::string("norvale-platform-") + name + "-" +
                                                    std::to_string(NORVALE_TEST_LANG));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

}  // namespace

TEST_F(AppTest, TextHeapLivesAsLongAsThePlatformLayer) {
  EXPECT_TRUE(PlatformIsRunning());
  EXPECT_TRUE(TextHeapExists());
  const int64_t firstRow = gPairSelectedRow;
  const double firstZoom = gZoom;
  const std::string firstReport = GadgetGetText(kEditorReport);
  GadgetSetText(kEditorReport, std::string(10000, 'x'));  // an editor's shadow text lives in the heap
  gProjectModified = 1;
  EndProgram();
  EXPECT_FALSE(PlatformIsRunning());
  EXPECT_FALSE(TextHeapExists());
  EXPECT_FALSE(WindowExists(0));
  EXPECT_FALSE(GadgetExists(kEditorReport));
  // The program starts again in the same process, as a fresh one.
  static char name[] = "norvale_test";
  char* argv[] = {name, nullptr};
  ASSERT_TRUE(AppStartup(1, argv));
  EXPECT_TRUE(TextHeapExists());
  EXPECT_EQ(GadgetGetText(kEditorReport), firstReport);
  EXPECT_EQ(GadgetGetText(kFieldPairCentreDistance), "60");
  EXPECT_EQ(gProjectModified, 0);
  EXPECT_EQ(gPairSelectedRow, firstRow);
  EXPECT_EQ(gZoom, firstZoom);
}

TEST_F(AppTest, NumbersUseThePointWhateverTheLocale) {
  const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(numeric, nullptr);
  EXPECT_STREQ(numeric, "C");
  EXPECT_DOUBLE_EQ(std::strtod("2.5", nullptr), 2.5);
}

TEST(PlatformFiles, FileSizeOrKindTellsSizeMissingAndFolder) {
  const fs::path dir = TempFolder("files");
  std::ofstream(dir / "five.txt", std::ios::binary) << "12345";
  std::ofstream(dir / "empty.txt", std::ios::binary).close();
  EXPECT_EQ(FileSizeOrKind((dir / "five.txt").string()), 5);
  EXPECT_EQ(FileSizeOrKind((dir / "empty.txt").string()), 0);
  EXPECT_EQ(FileSizeOrKind((dir / "missing.txt").string()), -1);
  EXPECT_EQ(FileSizeOrKind(dir.string()), -2);
  EXPECT_EQ(FilePathFolder("/a/b/c.tdw"), "/a/b/");
  EXPECT_EQ(FilePathFolder("C:\\x\\y.tdw"), "C:\\x\\");
  EXPECT_EQ(FilePathFolder("plain.tdw"), "");
  fs::remove_all(dir);
}

TEST(PlatformCommandLine, QuotesAroundAnArgumentAreRemoved) {
  SetCommandLineParameters({"\"/tmp/with blank.tdw\"", "plain"});
  ASSERT_EQ(CommandLineParameterCount(), 2);
  EXPECT_EQ(CommandLineParameter(0), "/tmp/with blank.tdw");
  EXPECT_EQ(CommandLineParameter(1), "plain");
  EXPECT_EQ(CommandLineParameter(2), "");
  SetCommandLineParameters({});
}

// A folder or an empty file named on the command line is ignored without a
// message: the program opens as without arguments.
TEST_F(AppTest, StartsAsWithoutArgumentsForAFolderOrAnEmptyFile) {
  const fs::path dir = TempFolder("args");
  std::ofstream(dir / "empty.tdw", std::ios::binary).close();
  for (const fs::path& argument : {dir, dir / "empty.tdw", dir / "missing.tdw"}) {
    EndProgram();
    std::string arg = argument.string();
    static char name[] = "norvale_test";
    char* argv[] = {name, arg.data(), nullptr};
    ASSERT_TRUE(AppStartup(2, argv));
    Pump();
    EXPECT_TRUE(messages_.empty()) << arg;
    EXPECT_EQ(gProjectModified, 0) << arg;
    EXPECT_EQ(gProjectPath, "") << arg;
    EXPECT_EQ(GadgetGetText(kFieldPairCentreDistance), "60") << arg;
  }
  fs::remove_all(dir);
}

TEST_F(AppTest, NumbersChosenByTheLayerComeFromTheirOwnRange) {
  const int64_t a = ImageCreate(kAnyNumber, 4, 4);
  const int64_t b = FontLoad(kAnyNumber, "Segoe UI", 12, kFontBold);
  EXPECT_GE(a, 1000);
  EXPECT_GE(b, 1000);
  EXPECT_NE(a, b);
  EXPECT_TRUE(ImageExists(a));
  EXPECT_TRUE(FontExists(b));
  ImageFree(a);
  FontFree(b);
  EXPECT_FALSE(ImageExists(a));
  EXPECT_FALSE(FontExists(b));
}

TEST_F(AppTest, SecondaryWindowHidesOnItsCloseBoxThroughTheProgram) {
  // A window owned by the main window: its close box posts an event and the
  // window stays until the program hides it.
  ASSERT_EQ(WindowOpen(1500, 0, 0, 300, 200, "owned", kWindowTitleBar | kWindowSystemMenu | kWindowParentCentered,
                       kWindowMain),
            1500);
  EXPECT_TRUE(WindowIsVisible(1500));
  PumpEvents();
  WindowSetState(1500, kWindowStateHidden);
  EXPECT_FALSE(WindowIsVisible(1500));
  WindowSetState(1500, kWindowStateShown);
  EXPECT_TRUE(WindowIsVisible(1500));
  WindowClose(1500);
  EXPECT_FALSE(WindowExists(1500));
}

TEST_F(AppTest, PngDecodesFromMemoryAndRejectsOtherData) {
  // Write a small RGBA picture with Qt, then decode its bytes with libpng.
  QImage picture(5, 3, QImage::Format_RGBA8888);
  picture.fill(QColor(10, 20, 30, 255));
  picture.setPixelColor(4, 2, QColor(200, 100, 50, 128));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, "PNG"));
  const auto* start = reinterpret_cast<const unsigned char*>(bytes.constData());
  EXPECT_TRUE(PngDecoderRegister());
  const int64_t image = ImageCatch(kAnyNumber, start, start + bytes.size());
  ASSERT_GE(image, 0);
  EXPECT_EQ(ImageGetWidth(image), 5);
  EXPECT_EQ(ImageGetHeight(image), 3);
  EXPECT_NE(ImageGetHandle(image), 0u);
  const QImage& decoded = Platform().images.at(image);
  EXPECT_EQ(decoded.pixelColor(0, 0), QColor(10, 20, 30, 255));
  EXPECT_EQ(decoded.pixelColor(4, 2), QColor(200, 100, 50, 128));
  ImageFree(image);
  // Truncated data, other data and an empty block give no image.
  EXPECT_EQ(ImageCatch(kAnyNumber, start, start + bytes.size() / 2), -1);
  const unsigned char text[] = "not a picture at all";
  EXPECT_EQ(ImageCatch(kAnyNumber, text, text + sizeof text), -1);
  EXPECT_EQ(ImageCatch(kAnyNumber, start, start), -1);
}

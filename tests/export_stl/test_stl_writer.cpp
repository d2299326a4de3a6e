// The binary STL writer: header, byte layout, normals, oriented flat
// triangles, failures that leave no file, and the result message.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "app/globals.h"
#include "export/stl_file.h"
#include "geometry/gear_geometry.h"
#include "stl_test_support.h"
#include "tests/platform/file_size_limit.h"

namespace {

GearRecord SpurGear() {
  GearRecord rec;
  InitGearRecord(rec, 2.0, 17, 0.1, 20.0, 10.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

TEST(StlHeader, TextWithFourDecimalsPaddedToEightyBytes) {
  struct Case {
    double tolerance;
    const char* number;
  };
  const Case cases[] = {{0.01, "0.0100"}, {1.0, "1.0000"}, {0.00005, "0.0001"}, {0.123456, "0.1235"}};
  for (const Case& c : cases) {
    const std::string header = FormatStlHeader(c.tolerance);
    const std::string text = std::string("QZ Tandwiel STL, koordafwijking ") + c.number + " mm";
    ASSERT_EQ(header.size(), 80u);
    EXPECT_EQ(header.substr(0, text.size()), text);
    EXPECT_EQ(header.substr(text.size()), std::string(80 - text.size(), ' '));
  }
  // 41 characters of text and 39 blanks for 0.01.
  EXPECT_EQ(FormatStlHeader(0.01).find_last_not_of(' '), 40u);
  // A text longer than 80 characters is cut, never written beyond.
  EXPECT_EQ(FormatStlHeader(1e100).size(), 80u);
}

TEST(StlEncoding, LittleEndianFacetsWithRightHandNormals) {
  gTriangleList.clear();
  StlAddTriangle(0, 0, 0, 1, 0, 0, 0, 1, 0);     // counter-clockwise from +z
  StlAddTriangle(0, 0, 5, 0, 2, 5, 3, 0, 5);     // clockwise from +z
  StlAddTriangle(0, 0, 0, 1, 1, 1, 2, 2, 2);     // collinear
  StlAddTriangle(1, 2, 3, 1, 2, 3, 4, 5, 6);     // repeated vertex
  const std::string path = stltest::TempPath("encoding");
  ASSERT_EQ(StlWriteTriangleFile(path, 0.01), 4);
  EXPECT_TRUE(gTriangleList.empty());
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  ASSERT_EQ(bytes.size(), 84u + 50u * 4u);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  EXPECT_EQ(stltest::ReadU32(p + 80), 4u);
  // 1.0f is 0x3F800000: bytes 00 00 80 3F in file order.
  const unsigned char one[4] = {0x00, 0x00, 0x80, 0x3F};
  EXPECT_EQ(std::memcmp(p + 84 + 8, one, 4), 0);  // nz of facet 0

  const stltest::StlFile file = stltest::ReadStl(path);
  ASSERT_TRUE(file.ok);
  const stltest::Vec3 expectedNormals[] = {{0, 0, 1}, {0, 0, -1}, {0, 0, 0}, {0, 0, 0}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(file.facets[i].normal, expectedNormals[i]) << "facet " << i;
    EXPECT_EQ(file.facets[i].attribute, 0);
  }
  // Vertices are written as given, vertex after vertex.
  EXPECT_EQ(file.facets[2].v[1], (stltest::Vec3{1, 1, 1}));
  EXPECT_EQ(file.facets[3].v[2], (stltest::Vec3{4, 5, 6}));
  EXPECT_EQ(file.facets[1].v[2], (stltest::Vec3{3, 0, 5}));
  gTriangleList.clear();
}

TEST(StlAddTriangleOriented, FacesTheWantedSide) {
  struct Case {
    const char* name;
    double ax, ay, bx, by, cx, cy;
    int faceUp;
    size_t appended;
    bool swapped;  // appended as a, c, b
  };
  const Case cases[] = {
      {"ccw up", 0, 0, 1, 0, 0, 1, 1, 1, false},
      {"cw up", 0, 0, 0, 1, 1, 0, 1, 1, true},
      {"ccw down", 0, 0, 1, 0, 0, 1, 0, 1, true},
      {"cw down", 0, 0, 0, 1, 1, 0, 0, 1, false},
      {"faceUp 7 counts as up", 0, 0, 0, 1, 1, 0, 7, 1, true},
      {"collinear", 0, 0, 1, 1, 2, 2, 1, 0, false},
  };
  for (const Case& c : cases) {
    gTriangleList.clear();
    StlAddTriangleOriented(c.ax, c.ay, c.bx, c.by, c.cx, c.cy, 2.5, c.faceUp);
    ASSERT_EQ(gTriangleList.size(), c.appended) << c.name;
    if (c.appended == 0) continue;
    const StlTriangle& t = gTriangleList[0];
    EXPECT_EQ(t.x[0], c.ax) << c.name;
    EXPECT_EQ(t.x[1], c.swapped ? c.cx : c.bx) << c.name;
    EXPECT_EQ(t.y[2], c.swapped ? c.by : c.cy) << c.name;
    EXPECT_EQ(t.z[0], 2.5);
    EXPECT_EQ(t.z[2], 2.5);
    // The right-hand normal points to +z exactly when faceUp is set.
    const double nz = (t.x[1] - t.x[0]) * (t.y[2] - t.y[0]) - (t.y[1] - t.y[0]) * (t.x[2] - t.x[0]);
    EXPECT_EQ(nz > 0.0, c.faceUp != 0) << c.name;
  }
  gTriangleList.clear();
}

TEST(StlWriteFile, BadToleranceReturnsZeroBeforeTouchingAnything) {
  const GearRecord gear = SpurGear();
  ASSERT_EQ(gear.valid, 1);
  const std::string path = stltest::TempPath("bad_tolerance");
  for (double t : {0.0, -0.01, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    gTriangleList.assign(3, StlTriangle{});
    EXPECT_EQ(StlWriteFile(path, t, gear, 0.0, nullptr, 0, 0, 0), 0) << t;
    EXPECT_EQ(gTriangleList.size(), 3u) << t;
    EXPECT_FALSE(std::filesystem::exists(path)) << t;
  }
  gTriangleList.clear();
}

TEST(StlWriteFile, CountMatchesFileSizeAndListIsEmptiedAfterwards) {
  const GearRecord gear = SpurGear();
  const std::string path = stltest::TempPath("count");
  const int64_t n = StlWriteFile(path, 0.01, gear, 0.0, nullptr, 0, 0, 0);
  ASSERT_GT(n, 0);
  EXPECT_TRUE(gTriangleList.empty());
  const stltest::StlFile file = stltest::ReadStl(path);
  ASSERT_TRUE(file.ok);
  EXPECT_EQ(file.count, static_cast<uint32_t>(n));
  EXPECT_EQ(file.fileSize, 84u + 50u * static_cast<uint64_t>(n));
  EXPECT_EQ(file.header.substr(0, 41), "QZ Tandwiel STL, koordafwijking 0.0100 mm");
}

// A write that fails after the mesh was made must not report success, and
// must not leave a cut-off or replaced file behind.
TEST(StlWriteFile, UnwritablePathFailsAndExistingFileSurvivesAFailedBody) {
  const GearRecord gear = SpurGear();
  EXPECT_EQ(StlWriteFile("/nonexistent_folder_norvale/x.stl", 0.01, gear, 0.0, nullptr, 0, 0, 0), 0);

  const std::string path = stltest::TempPath("keep_old");
  {
    std::ofstream out(path);
    out << "old";
  }
  GearRecord broken = gear;
  broken.teeth = 2;  // cannot be rebuilt
  EXPECT_EQ(StlWriteFile(path, 0.01, gear, 0.0, &broken, 50.0, 0.0, 0.0), 0);
  std::ifstream in(path);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "old");
}

// A device that refuses every write (a full disk): the export must fail, not
// report the triangles as written.
TEST(StlWriteFile, FullDiskIsAFailure) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const GearRecord gear = SpurGear();
  EXPECT_EQ(StlWriteFile("/dev/full", 0.01, gear, 0.0, nullptr, 0, 0, 0), 0);
}

// The facets are streamed into the temporary file: a write failing part of
// the way leaves the old file as it was and no temporary beside it.
TEST(StlWriteFile, WriteFailingWhileStreamingLeavesOldFileAndNoTemporary) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("norvale_stl_stream_" + std::to_string(NORVALE_TEST_LANG));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "gear.stl").string();
  { std::ofstream(path) << "old"; }
  GearRecord gear;
  InitGearRecord(gear, 2.0, 60, 0.0, 20.0, 10.0, 0.0, 0.0, 0.0, 1);  // about 600 kB of facets
  BuildGearGeometry(gear, 1);
  int64_t written = -1;
  {
    const FileSizeLimit limit(150000);
    ASSERT_TRUE(limit.IsSet());
    written = StlWriteFile(path, 0.01, gear, 0.0, nullptr, 0, 0, 0);
  }
  EXPECT_EQ(written, 0);
  std::ifstream in(path);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  gTriangleList.clear();
}

// A placement that is not finite gives no file of NaN coordinates.
TEST(StlWriteFile, PlacementNotFiniteIsAFailure) {
  const GearRecord gear = SpurGear();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::string path = stltest::TempPath("nan_place");
  EXPECT_EQ(StlWriteFile(path, 0.01, gear, nan, nullptr, 0, 0, 0), 0);
  EXPECT_EQ(StlWriteFile(path, 0.01, gear, 0.0, &gear, 1e300 * 1e10, 0.0, 0.0), 0);
  EXPECT_EQ(StlWriteFile(path, 0.01, gear, 0.0, &gear, 80.0, 0.0, 1e39), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(StlResultMessage, CountSizeInRoundedKilobytesAndTolerance) {
  const std::string triangles = NORVALE_TEST_LANG == 1 ? " driehoeken, " : " triangles, ";
  const std::string written = NORVALE_TEST_LANG == 1 ? "STL geschreven: " : "STL written: ";
  const std::string chord = NORVALE_TEST_LANG == 1 ? " kB\r\nKoordafwijking max. " : " kB\r\nChord tolerance max. ";
  // 84 + 50 000 bytes = 48.91 kB, rounded to 49; 134 bytes round to 0.
  EXPECT_EQ(FormatStlResultMessage(1000, 0.01), written + "1000" + triangles + "49" + chord + "0.0100 mm");
  EXPECT_EQ(FormatStlResultMessage(1, 0.5), written + "1" + triangles + "0" + chord + "0.5000 mm");
}

}  // namespace

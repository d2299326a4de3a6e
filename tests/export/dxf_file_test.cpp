// The DXF writer: file frame, entities per kind of gear, placement of the
// vertices, the coordinate format and failed writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "export/dxf_file.h"
#include "geometry/bore_outline.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "tests/export/dxf_reader.h"

namespace {

using dxf_test::DxfDrawing;
using dxf_test::DxfEntity;
using dxf_test::ExpectedVertices;
using dxf_test::ReadDxf;

constexpr double kPi = std::numbers::pi;
// A written coordinate is the exact value rounded to 6 decimals.
constexpr double kWrittenTolerance = 5.1e-7;

const std::string kOutlineLayer = NORVALE_TEST_LANG == 1 ? "TANDWIEL" : "GEAR";
const std::string kHubLayer = NORVALE_TEST_LANG == 1 ? "NAAF" : "HUB";
const std::string kPitchLayer = NORVALE_TEST_LANG == 1 ? "STEEKCIRKEL" : "PITCH";

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// A spur or helical external gear built at the DXF density.
GearRecord MakeGear(double m, int64_t z, double x, double bore, double betaDeg) {
  GearRecord g;
  InitGearRecord(g, m, z, x, 20.0, 20.0, bore, 0.0, betaDeg, 1);
  EXPECT_EQ(BuildGearGeometry(g, 4), 1);
  return g;
}

std::size_t OutlinePointCount(const GearRecord& rec) {
  std::size_t n = 0;
  for (const OutlineCurve& c : rec.outline) n += c.points.size();
  return n;
}

class DxfFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/norvale_dxf_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Writes and reads back one drawing; fails the test when it is not well formed.
  DxfDrawing WriteAndRead(const GearRecord& a, double angleA, const GearRecord* b = nullptr, double xB = 0.0,
                          double angleB = 0.0, double yB = 0.0) {
    const std::string path = Path("out.dxf");
    EXPECT_EQ(DxfWriteFile(path, a, angleA, b, xB, angleB, yB), 1);
    bytes_ = Slurp(path);
    DxfDrawing d = ReadDxf(bytes_);
    EXPECT_EQ(d.error, "");
    return d;
  }

  // A closed polyline on the outline layer whose vertices are the expected points.
  static void ExpectPolyline(const DxfEntity& e, const std::vector<OutlinePoint>& expected) {
    ASSERT_EQ(e.type, "POLYLINE");
    EXPECT_EQ(e.Value(8), kOutlineLayer);
    EXPECT_EQ(e.Value(66), "1");
    EXPECT_EQ(e.Value(70), "1");  // closed
    EXPECT_EQ(e.Value(10), "0.0");
    EXPECT_EQ(e.Value(20), "0.0");
    EXPECT_EQ(e.Value(30), "0.0");
    EXPECT_EQ(e.seqendLayer, kOutlineLayer);
    ASSERT_EQ(e.vertices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const DxfEntity& v = e.vertices[i];
      ASSERT_EQ(v.Value(8), kOutlineLayer);
      ASSERT_NEAR(v.Number(10), expected[i].x, kWrittenTolerance) << "vertex " << i;
      ASSERT_NEAR(v.Number(20), expected[i].y, kWrittenTolerance) << "vertex " << i;
      ASSERT_EQ(v.Value(30), "0.0");
    }
  }

  static void ExpectCircle(const DxfEntity& e, const std::string& layer, const std::string& colour, double x,
                           double y, double radius) {
    ASSERT_EQ(e.type, "CIRCLE");
    EXPECT_EQ(e.Value(8), layer);
    EXPECT_EQ(e.Value(62), colour);
    EXPECT_EQ(e.Count(62), colour.empty() ? 0 : 1);
    EXPECT_NEAR(e.Number(10), x, kWrittenTolerance);
    EXPECT_NEAR(e.Number(20), y, kWrittenTolerance);
    EXPECT_EQ(e.Value(30), "0.0");
    EXPECT_NEAR(e.Number(40), radius, kWrittenTolerance);
  }

  std::string dir_;
  std::string bytes_;
};

TEST(FormatCoordinateTest, SixDecimalsAndNoNegativeZero) {
  const struct {
    double v;
    const char* text;
  } cases[] = {
      {12.5, "12.500000"},   {-kPi, "-3.141593"},    {0.0, "0.000000"},      {-0.0, "0.000000"},
      {1e-13, "0.000000"},   {-1e-13, "0.000000"},   {-4e-7, "0.000000"},    {6e-7, "0.000001"},
      {-6e-7, "-0.000001"},  {123456.789, "123456.789000"}, {-2.0, "-2.000000"}, {0.1234564, "0.123456"},
      {0.1234566, "0.123457"}, {1e6, "1000000.000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatCoordinate(c.v), c.text) << c.v;
}

TEST_F(DxfFileTest, SpurGearWithoutBoreIsOneClosedOutlineAndThePitchCircle) {
  const GearRecord g = MakeGear(2.0, 20, 0.0, 0.0, 0.0);
  const DxfDrawing d = WriteAndRead(g, 0.0);

  // Header: release 12, millimetres.
  ASSERT_EQ(d.header.size(), 4u);
  EXPECT_EQ(d.header[0].code, 9);
  EXPECT_EQ(d.header[0].value, "$ACADVER");
  EXPECT_EQ(d.header[1].code, 1);
  EXPECT_EQ(d.header[1].value, "AC1009");
  EXPECT_EQ(d.header[2].value, "$INSUNITS");
  EXPECT_EQ(d.header[3].code, 70);
  EXPECT_EQ(d.header[3].value, "4");
  EXPECT_EQ(bytes_.substr(0, 12), "0\r\nSECTION\r\n");
  EXPECT_EQ(bytes_.substr(bytes_.size() - 8), "0\r\nEOF\r\n");

  ASSERT_EQ(d.entities.size(), 2u);
  // One vertex per outline point: the junctions of the curves once, and the
  // closing point (the chain ends where it starts) left to the closed flag.
  const std::size_t expectedCount = OutlinePointCount(g) - (g.outline.size() - 1) - 1;
  EXPECT_EQ(d.entities[0].vertices.size(), expectedCount);
  ExpectPolyline(d.entities[0], ExpectedVertices(g, 0.0, 0.0, 0.0));
  // Pitch circle r = m z / 2 = 20 mm, blue (5), on the pitch layer.
  ExpectCircle(d.entities[1], kPitchLayer, "5", 0.0, 0.0, 20.0);
  EXPECT_EQ(d.entities[1].Value(40), "20.000000");

  // Every vertex lies between the root circle r - 1.25 m = 17.5 and the tip
  // circle r + m = 22 (x = 0), and the chain closes with no zero-length side.
  const auto& vs = d.entities[0].vertices;
  for (std::size_t i = 0; i < vs.size(); ++i) {
    const double r = std::hypot(vs[i].Number(10), vs[i].Number(20));
    ASSERT_GE(r, 17.5 - 1e-6) << i;
    ASSERT_LE(r, 22.0 + 1e-6) << i;
    const DxfEntity& next = vs[(i + 1) % vs.size()];
    ASSERT_GT(std::hypot(next.Number(10) - vs[i].Number(10), next.Number(20) - vs[i].Number(20)), 0.0) << i;
  }

  // Every number of a coordinate has exactly 6 decimals; z values are "0.0".
  const std::regex sixDecimals("-?[0-9]+\\.[0-9]{6}");
  for (const DxfEntity& e : d.entities) {
    for (const auto& grp : e.groups) {
      const bool coordinate = grp.code == 10 || grp.code == 20 || grp.code == 40;
      if (coordinate && e.type != "POLYLINE") {
        EXPECT_TRUE(std::regex_match(grp.value, sixDecimals)) << grp.value;
      }
    }
    for (const DxfEntity& v : e.vertices) {
      ASSERT_TRUE(std::regex_match(v.Value(10), sixDecimals)) << v.Value(10);
      ASSERT_TRUE(std::regex_match(v.Value(20), sixDecimals)) << v.Value(20);
    }
  }
}

TEST_F(DxfFileTest, VerticesAreTurnedAboutEachGearCentreAndPlaced) {
  // A helical pair: gear A turned at the origin, gear B turned at (xB, yB).
  const GearRecord a = MakeGear(3.0, 17, 0.3, 0.0, 15.0);
  const GearRecord b = MakeGear(3.0, 41, -0.1, 0.0, 15.0);
  const double angleA = 0.7;
  const double angleB = -2.4;
  const double xB = 93.25;
  const double yB = -4.5;
  const DxfDrawing d = WriteAndRead(a, angleA, &b, xB, angleB, yB);
  ASSERT_EQ(d.entities.size(), 4u);
  ExpectPolyline(d.entities[0], ExpectedVertices(a, 0.0, 0.0, angleA));
  // Pitch circle of a helical gear: r = mn z / (2 cos beta).
  ExpectCircle(d.entities[1], kPitchLayer, "5", 0.0, 0.0, 3.0 * 17 / (2.0 * std::cos(15.0 * kPi / 180.0)));
  ExpectPolyline(d.entities[2], ExpectedVertices(b, xB, yB, angleB));
  // Circles are placed at the centre and not turned.
  ExpectCircle(d.entities[3], kPitchLayer, "5", xB, yB, 3.0 * 41 / (2.0 * std::cos(15.0 * kPi / 180.0)));
}

TEST_F(DxfFileTest, KeywayBoreIsASecondClosedPolylineAndTheHubACircle) {
  GearRecord g = MakeGear(2.0, 30, 0.0, 12.0, 0.0);
  g.keyWidth = 4.0;
  g.hubKeywayDepth = 1.8;  // t2 beyond the bore radius
  g.hubSide = 3;
  g.hubDiameter = 30.0;
  g.hubLength = 10.0;
  const double angle = 1.0;
  const DxfDrawing d = WriteAndRead(g, angle, nullptr, 0.0, 0.0, 0.0);
  ASSERT_EQ(d.entities.size(), 4u);
  ExpectPolyline(d.entities[0], ExpectedVertices(g, 0.0, 0.0, angle));

  // The bore contour, turned with the gear; no bore circle.
  std::vector<OutlinePoint> bore;
  BuildBoreOutline(g, bore, 0.001);
  std::vector<OutlinePoint> placed;
  for (const OutlinePoint& p : bore) {
    placed.push_back({p.x * std::cos(angle) - p.y * std::sin(angle), p.x * std::sin(angle) + p.y * std::cos(angle)});
  }
  ExpectPolyline(d.entities[1], placed);
  // Independently: every vertex lies on the bore circle (r 6) or in the keyway,
  // which reaches r + t2 = 7.8 along the turned key axis, 2 mm to either side.
  double farthest = 0.0;
  for (const DxfEntity& v : d.entities[1].vertices) {
    const double x = v.Number(10), y = v.Number(20);
    const double r = std::hypot(x, y);
    const double along = x * std::cos(angle) + y * std::sin(angle);
    const double across = -x * std::sin(angle) + y * std::cos(angle);
    const bool onCircle = std::fabs(r - 6.0) < 1e-5;
    const bool inKeyway = std::fabs(across) <= 2.0 + 1e-5 && along <= 7.8 + 1e-5 && along > 0.0;
    ASSERT_TRUE(onCircle || inKeyway) << x << " " << y;
    farthest = std::max(farthest, r);
  }
  EXPECT_NEAR(farthest, std::hypot(7.8, 2.0), 1e-5);

  ExpectCircle(d.entities[2], kHubLayer, "8", 0.0, 0.0, 15.0);
  ExpectCircle(d.entities[3], kPitchLayer, "5", 0.0, 0.0, 30.0);
}

TEST_F(DxfFileTest, PlainBoreIsACircleOnTheOutlineLayer) {
  const GearRecord g = MakeGear(2.0, 30, 0.0, 12.0, 0.0);
  const DxfDrawing d = WriteAndRead(g, 0.4);
  ASSERT_EQ(d.entities.size(), 3u);
  EXPECT_EQ(d.entities[0].type, "POLYLINE");
  ExpectCircle(d.entities[1], kOutlineLayer, "", 0.0, 0.0, 6.0);
  ExpectCircle(d.entities[2], kPitchLayer, "5", 0.0, 0.0, 30.0);
}

TEST_F(DxfFileTest, RingGearHasItsRimAndPitchCircleButNoHub) {
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 60, 0.0, 20.0, 20.0, 5.0, 0.0, 0.0, 1, 4, 0.0), 0);
  ring.hubSide = 3;  // a hub on a ring gear is never drawn
  ring.hubDiameter = 200.0;
  ring.hubLength = 5.0;
  const double angle = 0.25;
  const DxfDrawing d = WriteAndRead(ring, angle);
  ASSERT_EQ(d.entities.size(), 3u);
  ExpectPolyline(d.entities[0], ExpectedVertices(ring, 0.0, 0.0, angle));
  // Rim: root radius (m z + 2 * 1.25 m) / 2 = 62.5 plus the rim of 5 mm.
  ExpectCircle(d.entities[1], kOutlineLayer, "", 0.0, 0.0, 67.5);
  ExpectCircle(d.entities[2], kPitchLayer, "5", 0.0, 0.0, 60.0);
}

TEST_F(DxfFileTest, RackHasItsOutlineAndAPitchLineAsLongAsTheRack) {
  const GearRecord pinion = MakeGear(2.0, 18, 0.0, 0.0, 0.0);
  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, 10, 15.0, 20.0, 0.0, 4), 0);
  const double xB = -7.5;
  const double yB = -18.0;  // -(r1 + x1 m)
  const DxfDrawing d = WriteAndRead(pinion, 0.0, &rack, xB, 0.0, yB);
  ASSERT_EQ(d.entities.size(), 4u);
  ExpectPolyline(d.entities[2], ExpectedVertices(rack, xB, yB, 0.0));
  const DxfEntity& line = d.entities[3];
  ASSERT_EQ(line.type, "LINE");
  EXPECT_EQ(line.Value(8), kPitchLayer);
  EXPECT_EQ(line.Value(62), "5");
  EXPECT_EQ(line.Value(10), "-7.500000");
  EXPECT_EQ(line.Value(20), "-18.000000");
  EXPECT_EQ(line.Value(30), "0.0");
  // Length n pi m = 10 pi 2.
  EXPECT_NEAR(line.Number(11), xB + 20.0 * kPi, kWrittenTolerance);
  EXPECT_EQ(line.Value(21), "-18.000000");
  EXPECT_EQ(line.Value(31), "0.0");
  // The rack's outline spans its length and reaches down to its back.
  double minX = 1e9, maxX = -1e9, minY = 1e9;
  for (const DxfEntity& v : d.entities[2].vertices) {
    minX = std::min(minX, v.Number(10));
    maxX = std::max(maxX, v.Number(10));
    minY = std::min(minY, v.Number(20));
  }
  EXPECT_NEAR(minX, xB, 1e-6);
  EXPECT_NEAR(maxX, xB + 20.0 * kPi, 1e-6);
  EXPECT_NEAR(minY, yB - 15.0, 1e-6);
}

TEST_F(DxfFileTest, AnExistingFileIsReplacedWhole) {
  const std::string path = Path("old.dxf");
  Put(path, std::string(2000000, 'x'));
  const GearRecord g = MakeGear(1.0, 12, 0.0, 0.0, 0.0);
  ASSERT_EQ(DxfWriteFile(path, g, 0.0, nullptr, 0.0, 0.0, 0.0), 1);
  const std::string bytes = Slurp(path);
  EXPECT_EQ(ReadDxf(bytes).error, "");
  EXPECT_EQ(bytes.find('x'), std::string::npos);
}

TEST_F(DxfFileTest, FailedWritesReturnZeroAndLeaveNoFileOrTheOldOne) {
  const GearRecord g = MakeGear(2.0, 20, 0.0, 0.0, 0.0);
  // A folder that is a regular file, and a path that is a folder (both fail
  // for every user, root included).
  Put(Path("plain"), "data");
  EXPECT_EQ(DxfWriteFile(Path("plain") + "/gear.dxf", g, 0.0, nullptr, 0.0, 0.0, 0.0), 0);
  EXPECT_EQ(DxfWriteFile(dir_, g, 0.0, nullptr, 0.0, 0.0, 0.0), 0);
  EXPECT_EQ(DxfWriteFile(Path("missing/gear.dxf"), g, 0.0, nullptr, 0.0, 0.0, 0.0), 0);

  // A record without an outline, or a coordinate that is not a number, gives
  // no drawing, and the file that was there stays as it was.
  const std::string old = Path("old.dxf");
  Put(old, "old content");
  GearRecord empty;
  EXPECT_EQ(DxfWriteFile(old, empty, 0.0, nullptr, 0.0, 0.0, 0.0), 0);
  EXPECT_EQ(DxfWriteFile(old, g, 0.0, &empty, 50.0, 0.0, 0.0), 0);
  EXPECT_EQ(DxfWriteFile(old, g, std::nan(""), nullptr, 0.0, 0.0, 0.0), 0);
  EXPECT_EQ(DxfWriteFile(old, g, 0.0, &g, INFINITY, 0.0, 0.0), 0);
  EXPECT_EQ(Slurp(old), "old content");
  EXPECT_EQ(DxfWriteFile(Path("new.dxf"), empty, 0.0, nullptr, 0.0, 0.0, 0.0), 0);
  EXPECT_FALSE(Exists(Path("new.dxf")));
}

}  // namespace

// The STEP file as a whole: header, fixed context entities, the entity
// numbering, names taken from the path, line ends, pairs, and refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "app/globals.h"
#include "export/step_entities.h"
#include "export/step_number.h"
#include "step_test_support.h"
#include "tests/platform/file_size_limit.h"

namespace {

using namespace step_test;

TEST(StepFile, HeaderAndContextEntitiesOfASingleGear) {
  const GearRecord gear = MakeGear(2.0, 20);
  const Written w = WriteAndRead("my.gear.stp", gear, 0.0);
  ASSERT_EQ(w.result, 1);
  EXPECT_TRUE(w.file.allLinesEndCrLf);
  ASSERT_GE(w.file.lines.size(), 10u);
  EXPECT_EQ(w.file.lines[0], "ISO-10303-21;");
  EXPECT_EQ(w.file.lines[1], "HEADER;");
  EXPECT_EQ(w.file.lines[2], NORVALE_TEST_LANG == 1 ? "FILE_DESCRIPTION(('Evolvent tandwiel'),'2;1');"
                                                     : "FILE_DESCRIPTION(('Involute gear'),'2;1');");
  EXPECT_EQ(w.file.lines[3], "FILE_NAME('my.gear.stp','2026-03-05T07:04:09',(''),(''),'Norvale','Norvale','');");
  EXPECT_EQ(w.file.lines[4], "FILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }'));");
  EXPECT_EQ(w.file.lines[5], "ENDSEC;");
  EXPECT_EQ(w.file.lines[6], "DATA;");
  EXPECT_EQ(w.file.lines[w.file.lines.size() - 2], "ENDSEC;");
  EXPECT_EQ(w.file.lines.back(), "END-ISO-10303-21;");
  for (const std::string& line : w.file.lines) EXPECT_FALSE(line.empty());
  // No byte outside printable ASCII: every reader takes it.
  for (char ch : w.bytes) {
    const unsigned char u = static_cast<unsigned char>(ch);
    ASSERT_TRUE(u == '\r' || u == '\n' || (u >= 0x20 && u < 0x7F));
  }

  const auto faults = step_checks::CheckFileWide(w.file);
  EXPECT_TRUE(faults.empty()) << faults.front();
  const auto& e = w.file.entities;
  EXPECT_EQ(e.at(4).raw, "PRODUCT('my.gear','my.gear','',(#3))");
  EXPECT_EQ(e.at(9).raw, "(LENGTH_UNIT()NAMED_UNIT(*)SI_UNIT(.MILLI.,.METRE.))");
  EXPECT_EQ(e.at(12).raw,
            "UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(1.E-06),#9,'distance_accuracy_value','confusion accuracy')");
  EXPECT_EQ(e.at(16).raw, "CARTESIAN_POINT('',(0.000000,0.000000,0.000000))");
  EXPECT_EQ(e.at(17).raw, "AXIS2_PLACEMENT_3D('',#16,#14,#15)");
  // The solid's entities start at 18 with its own pair of directions.
  EXPECT_EQ(e.at(18).raw, "DIRECTION('',(0.,0.,1.))");
  EXPECT_EQ(e.at(19).raw, "DIRECTION('',(1.,0.,0.))");
  const int64_t last = w.file.order.back();
  const std::vector<int64_t> solids = IdsOf(w.file, "MANIFOLD_SOLID_BREP");
  ASSERT_EQ(solids.size(), 1u);
  EXPECT_EQ(e.at(last - 1).raw,
            "ADVANCED_BREP_SHAPE_REPRESENTATION('my.gear',(#17,#" + std::to_string(solids[0]) + "),#13)");
  EXPECT_EQ(e.at(last).raw, "SHAPE_DEFINITION_REPRESENTATION(#8,#" + std::to_string(last - 1) + ")");
}

// Gear 1 at the origin turned by its angle and gear 2 at (a, 0) in mesh: two
// closed solids, listed gear A first; gear B's vertices lie about (a, 0).
TEST(StepFile, PairWrittenTogetherListsBothSolids) {
  const GearRecord g1 = MakeGear(2.0, 20, 8.0, 15.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 15.0, -1);
  const double a = 2.0 * (20 + 40) / (2.0 * std::cos(Rad(15.0)));
  const Written w = WriteAndRead("pair.stp", g1, 0.4, &g2, a, -0.2, 0.0);
  ASSERT_EQ(w.result, 1);
  const auto faults = step_checks::CheckFileWide(w.file);
  EXPECT_TRUE(faults.empty()) << faults.front();
  const std::vector<int64_t> solids = IdsOf(w.file, "MANIFOLD_SOLID_BREP");
  ASSERT_EQ(solids.size(), 2u);
  const int64_t last = w.file.order.back();
  EXPECT_EQ(w.file.entities.at(last - 1).raw, "ADVANCED_BREP_SHAPE_REPRESENTATION('pair',(#17,#" +
                                                  std::to_string(solids[0]) + ",#" + std::to_string(solids[1]) +
                                                  "),#13)");
  const auto s1 = step_checks::CheckSolid(w.file, solids[0]);
  const auto s2 = step_checks::CheckSolid(w.file, solids[1]);
  EXPECT_TRUE(s1.faults.empty() && s2.faults.empty());
  EXPECT_EQ(s1.genus, 1);
  EXPECT_EQ(s2.genus, 0);
  EXPECT_EQ(s2.name, NORVALE_TEST_LANG == 1 ? "Tandwiel z=40" : "Gear z=40");
  for (const auto& p : s2.vertexPoints) {
    EXPECT_LE(std::hypot(p.x - a, p.y), g2.tipRadius + 1e-6);
  }
}

struct NameCase {
  const char* path;
  const char* fileName;
  const char* modelName;
};

TEST(StepFile, NamesTakenFromThePath) {
  const NameCase cases[] = {
      {"D:\\dir\\my.gear.stp", "my.gear.stp", "my.gear"},
      {"/home/u/pair_m2_z20-40.step", "pair_m2_z20-40.step", "pair_m2_z20-40"},
      {"/tmp/noext", "noext", "noext"},
      {"/tmp/ends.", "ends.", "ends."},
      {"/tmp/.hidden", ".hidden", ".hidden"},
      {"/tmp/a. b", "a. b", "a. b"},
      {"plain.stp", "plain.stp", "plain"},
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(StepFileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(StepModelNameOf(c.path), c.modelName) << c.path;
  }
}

// An apostrophe ends a STEP string: it is written doubled, and a character
// outside ASCII as an ISO 10303-21 escape, so the file stays readable.
TEST(StepFile, NameWithApostropheAndAccentIsEncoded) {
  const GearRecord gear = MakeGear(1.0, 12);
  const Written w = WriteAndRead("Bob's \xC3\xA9t\xC3\xA9.stp", gear, 0.0);
  ASSERT_EQ(w.result, 1);
  const auto faults = step_checks::CheckFileWide(w.file);
  EXPECT_TRUE(faults.empty()) << faults.front();
  EXPECT_EQ(w.file.entities.at(4).raw, "PRODUCT('Bob''s \\X\\E9t\\X\\E9','Bob''s \\X\\E9t\\X\\E9','',(#3))");
  EXPECT_EQ(w.file.lines[3].rfind("FILE_NAME('Bob''s \\X\\E9t\\X\\E9.stp',", 0), 0u);
  EXPECT_EQ(StepEncodeString("a\\b"), "a\\\\b");
  EXPECT_EQ(StepEncodeString("\xE2\x82\xAC"), "\\X2\\20AC\\X0\\");  // euro sign
  EXPECT_EQ(StepEncodeString("\xE9"), "\\X\\E9");                    // a lone Latin-1 byte
}

TEST(StepFile, ExistingFileIsReplaced) {
  const std::string path = (TempDir() / "replace.stp").string();
  { std::ofstream(path) << "old contents that are much longer than nothing"; }
  const GearRecord gear = MakeGear(1.0, 12);
  ASSERT_EQ(StepWriteFileStamped(path, gear, 0.0, nullptr, 0, 0, 0, kStamp), 1);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes.rfind("ISO-10303-21;\r\n", 0), 0u);
}

// A body that cannot be a solid is refused (0, no file): writing it would
// report success for a file that a CAD program rejects.
TEST(StepFile, RefusesWhatCannotBeWritten) {
  const GearRecord good = MakeGear(2.0, 20);
  GearRecord invalid = good;
  invalid.valid = 0;
  GearRecord flat = good;
  flat.faceWidth = 0.0;
  GearRecord inverted = good;
  inverted.faceWidth = -5.0;
  GearRecord empty = good;
  empty.outline.clear();
  GearRecord hugeBore = good;  // root radius 17.5
  hugeBore.boreDiameter = 36.0;
  GearRecord deepKeyway = good;
  deepKeyway.boreDiameter = 20.0;
  deepKeyway.keyWidth = 6.0;
  deepKeyway.hubKeywayDepth = 7.3;  // corner at hypot(17.3, 3) = 17.56
  GearRecord hugeHub = good;
  hugeHub.hubSide = 1;
  hugeHub.hubDiameter = 35.2;
  hugeHub.hubLength = 10.0;
  GearRecord thinHub = hugeHub;
  thinHub.boreDiameter = 20.0;
  thinHub.hubDiameter = 20.0;
  GearRecord ring = MakeRing(2.0, 40);
  GearRecord rimInside = ring;
  rimInside.rimRadius = ring.tipRadius;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Refusal {
    const char* name;
    const GearRecord* a;
    const GearRecord* b;
    double xB;
  } cases[] = {{"invalid", &invalid, nullptr, 0.0}, {"flat", &flat, nullptr, 0.0},
               {"inverted", &inverted, nullptr, 0.0}, {"empty", &empty, nullptr, 0.0},
               {"invalid_b", &good, &invalid, 50.0}, {"nan_place", &good, &good, nan},
               {"bore_past_root", &hugeBore, nullptr, 0.0}, {"keyway_past_root", &deepKeyway, nullptr, 0.0},
               {"hub_past_root", &hugeHub, nullptr, 0.0}, {"hub_within_bore", &thinHub, nullptr, 0.0},
               {"rim_inside_teeth", &rimInside, nullptr, 0.0}};
  ASSERT_NEAR(good.rootRadius, 17.5, 1e-9);  // 2 (20 / 2 - 1.25)
  for (const Refusal& c : cases) {
    const std::string path = (TempDir() / (std::string("refused_") + c.name + ".stp")).string();
    std::filesystem::remove(path);
    EXPECT_EQ(StepWriteFileStamped(path, *c.a, 0.0, c.b, c.xB, 0.0, 0.0, kStamp), 0) << c.name;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
  }
  // Just inside the outline: written.
  GearRecord snugBore = good;
  snugBore.boreDiameter = 34.0;
  EXPECT_EQ(WriteAndRead("snug_bore.stp", snugBore, 0.0).result, 1);
  // A folder that does not exist: 0, nothing created.
  const std::string missing = (TempDir() / "no_such_dir" / "x.stp").string();
  EXPECT_EQ(StepWriteFile(missing, good, 0.0, nullptr, 0, 0, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// The lines go into the temporary file as they are made. A write that fails
// part of the way, and a model found broken after much of it was written
// (gear B not finite, after the whole of gear A), must both leave the old
// file as it was, no temporary beside it, and the entity writers working on
// the list again.
TEST(StepFile, FailureWhileStreamingLeavesOldFileAndNoTemporary) {
  const std::filesystem::path dir = TempDir() / "stream_failure";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "gear.stp").string();
  { std::ofstream(path) << "old"; }
  const auto entries = [&] {
    return std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator());
  };
  const GearRecord helical = MakeGear(2.0, 20, 12.0, 20.0);  // a file of nearly 1 MB
  {
    const FileSizeLimit limit(200000);
    ASSERT_TRUE(limit.IsSet());
    EXPECT_EQ(StepWriteFileStamped(path, helical, 0.0, nullptr, 0, 0, 0, kStamp), 0);
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(StepWriteFileStamped(path, helical, 0.0, &helical, nan, 0.0, 0.0, kStamp), 0);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "old");
  EXPECT_EQ(entries(), 1);

  StepResetEntities();
  StepWriteCartesianPoint(1.0, 2.0, 3.0);
  ASSERT_EQ(gStepEntityList.size(), 1u);
  EXPECT_EQ(gStepEntityList[0], "#1=CARTESIAN_POINT('',(1.000000,2.000000,3.000000));");
  StepResetEntities();

  // And the same export without the limit is written whole.
  EXPECT_EQ(StepWriteFileStamped(path, helical, 0.0, nullptr, 0, 0, 0, kStamp), 1);
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_GT(bytes.size(), 200000u);  // well beyond the limit above
  EXPECT_EQ(bytes.substr(bytes.size() - 19), "END-ISO-10303-21;\r\n");
  EXPECT_EQ(entries(), 1);
}

TEST(StepFile, TimeStampHasTheFixedForm) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 2;
  t.tm_mday = 5;
  t.tm_hour = 7;
  t.tm_min = 4;
  t.tm_sec = 9;
  EXPECT_EQ(StepFormatTimeStamp(t), "2026-03-05T07:04:09");
  t.tm_hour = 23;
  t.tm_mon = 11;
  t.tm_mday = 31;
  EXPECT_EQ(StepFormatTimeStamp(t), "2026-12-31T23:04:09");
  // The real clock gives the same form.
  const GearRecord gear = MakeGear(1.0, 12);
  const std::string path = (TempDir() / "clock.stp").string();
  ASSERT_EQ(StepWriteFile(path, gear, 0.0, nullptr, 0, 0, 0), 1);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  const step_reader::File f = step_reader::ReadFile(bytes);
  const std::string& line = f.lines.at(3);
  const std::size_t at = line.find("','") + 3;
  const std::string stamp = line.substr(at, 19);
  const char* shape = "dddd-dd-ddTdd:dd:dd";
  for (std::size_t i = 0; i < 19; ++i) {
    EXPECT_TRUE(shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(stamp[i])) != 0 : stamp[i] == shape[i])
        << stamp;
  }
}

TEST(StepNumbers, CoordinatesHaveSixDecimalsAndNoNegativeZero) {
  const struct {
    double v;
    const char* text;
  } cases[] = {{0.0, "0.000000"},       {1e-13, "0.000000"},     {-1e-13, "0.000000"},
               {-1e-9, "0.000000"},     {12.5, "12.500000"},     {-3.0, "-3.000000"},
               {-0.5, "-0.500000"},     {0.0000024, "0.000002"}, {123456.1234564, "123456.123456"}};
  gStepNumberFault = 0;
  for (const auto& c : cases) EXPECT_EQ(StepFormatCoordinate(c.v), c.text) << c.v;
  EXPECT_EQ(gStepNumberFault, 0);
  StepFormatCoordinate(std::numeric_limits<double>::infinity());
  EXPECT_EQ(gStepNumberFault, 1);
  gStepNumberFault = 0;
}

}  // namespace

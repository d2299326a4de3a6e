// The export command driven as a user: proposed names in the save dialog, the
// chord-tolerance and design checks, the extension, the placement of the
// written gears, the shown outlines afterwards and failed writes.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/search_inputs.h"
#include "app/tab_compute.h"
#include "design/search_result.h"
#include "export/export_command.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "project_test_support.h"
#include "tests/export/dxf_reader.h"

namespace {

using dxf_test::DxfDrawing;
using dxf_test::DxfEntity;
using dxf_test::ExpectedVertices;
using dxf_test::MaxVertexDeviation;
using project_test::ByLanguage;
using project_test::Slurp;

constexpr double kPi = std::numbers::pi;
constexpr double kDegPerRad = 180.0 / kPi;
// A written coordinate is the exact one rounded to 6 decimals: a vertex lies
// within 0.5e-6 sqrt(2) of its exact place.
constexpr double kWritten = 7.1e-7;

// A module as the file names show it: 3 decimals, trailing zeros and point cut.
std::string Trimmed(double m) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", m);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// A copy of a shown record rebuilt at the DXF density 4, straight from the geometry.
GearRecord AtDensity4(const GearRecord& shown) {
  GearRecord c = shown;
  if (shown.isRack) {
    BuildRackGeometry(c, shown.normalModule, shown.pressureAngle * kDegPerRad, shown.helixAngle * kDegPerRad,
                      shown.hand, shown.teeth, shown.rackHeight, shown.faceWidth, shown.thicknessAllowance, 4);
  } else if (shown.isInternal) {
    BuildRingGearGeometry(c, shown.normalModule, shown.teeth, shown.profileShift, shown.pressureAngle * kDegPerRad,
                          shown.faceWidth, shown.rimThickness, shown.thicknessAllowance,
                          shown.helixAngle * kDegPerRad, shown.hand, 4, shown.requestedTipRadius);
  } else {
    BuildGearGeometry(c, 4);
  }
  EXPECT_EQ(c.valid, 1);
  return c;
}

std::size_t PointCount(const GearRecord& rec) {
  std::size_t n = 0;
  for (const OutlineCurve& c : rec.outline) n += c.points.size();
  return n;
}

std::vector<const DxfEntity*> Polylines(const DxfDrawing& d) {
  std::vector<const DxfEntity*> out;
  for (const DxfEntity& e : d.entities) {
    if (e.type == "POLYLINE") out.push_back(&e);
  }
  return out;
}

// The pitch circles (pitch layer), in file order.
std::vector<const DxfEntity*> PitchCircles(const DxfDrawing& d) {
  std::vector<const DxfEntity*> out;
  for (const DxfEntity& e : d.entities) {
    if (e.type == "CIRCLE" && e.Value(62) == "5") out.push_back(&e);
  }
  return out;
}

// A polyline's vertices as numbers.
std::vector<OutlinePoint> VertexPoints(const DxfEntity& polyline) {
  std::vector<OutlinePoint> points;
  for (const DxfEntity& v : polyline.vertices) points.push_back({v.Number(10), v.Number(20)});
  return points;
}

// Whether p lies inside the polygon (even-odd rule).
bool InsidePolygon(const std::vector<OutlinePoint>& polygon, const OutlinePoint& p) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const OutlinePoint& a = polygon[i];
    const OutlinePoint& b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// How many vertices of polyline b lie inside (or, with inside false, outside)
// the polygon of polyline a. Only the vertices of b within reach of a are
// tested, so the count stays quick.
int CountVertices(const DxfEntity& a, const DxfEntity& b, bool inside) {
  const std::vector<OutlinePoint> polygon = VertexPoints(a);
  double minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
  for (const OutlinePoint& p : polygon) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  int n = 0;
  for (const OutlinePoint& p : VertexPoints(b)) {
    const bool inBox = p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
    const bool in = inBox && InsidePolygon(polygon, p);
    n += in == inside ? 1 : 0;
  }
  return n;
}

class ExportCommandTest : public project_test::ProjectFixture {
 protected:
  void SwitchTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    HandleControlEvent(kPanelTabs, kSubChanged);
    PumpEvents();
  }

  // Exports a DXF to the given file name with the given choice, and reads it back.
  DxfDrawing ExportDxf(int64_t choice, const std::string& name) {
    GadgetSetState(kComboExportWhat, choice);
    std::remove(Path(name).c_str());  // a new file: no overwrite question
    dialogAnswer_ = Path(name);
    messages_.clear();
    ExportToFile(kExportDxf);
    EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
    DxfDrawing d = dxf_test::ReadDxf(Slurp(Path(name)));
    EXPECT_EQ(d.error, "");
    return d;
  }

  // The internal pair of the worked example E4: m 3, z 16 / 24, x 0 / +0.5.
  void ShowInternalPair() {
    SearchResultRow row;
    row.module = 3.0;
    row.teeth1 = 16;
    row.teeth2 = 24;
    row.helixAngleDeg = 0.0;
    row.shiftSum = 0.5;
    gInternalSearchResults = {row};
    gInternalSelectedRow = 0;
    GadgetSetText(kFieldIntCentreDistance, "13.1683");
    gInternalSearchedFor = ReadSearchedFor(kTabInternal);  // the row as a search at these values gives it
    SwitchTab(kTabInternal);
    ASSERT_EQ(gViewMode, kViewInternal);
  }
};

TEST_F(ExportCommandTest, TheSaveDialogProposesTheDesignsNameWithTheKindsFilter) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  dialogAnswer_ = "";  // the user cancels: no message, no file
  const std::string pair = ByLanguage("pair_m", "paar_m") + Trimmed(gGear1.normalModule) + "_z" +
                           std::to_string(gGear1.teeth) + "-" + std::to_string(gGear2.teeth);
  const struct {
    int64_t kind;
    const char* extension;
    const char* filter;
  } kinds[] = {
      {kExportDxf, ".dxf", "DXF (*.dxf)|*.dxf"},
      {kExportStep, ".stp", "STEP (*.stp;*.step)|*.stp;*.step"},
      {kExportStl, ".stl", "STL (*.stl)|*.stl"},
  };
  for (const auto& k : kinds) {
    dialogs_.clear();
    ExportToFile(k.kind);
    ASSERT_EQ(dialogs_.size(), 1u) << k.extension;
    EXPECT_TRUE(dialogs_[0].save);
    EXPECT_EQ(dialogs_[0].title, ByLanguage("Export", "Exporteren"));
    EXPECT_EQ(dialogs_[0].defaultPath, pair + k.extension);
    EXPECT_EQ(dialogs_[0].filter, k.filter);
  }
  EXPECT_TRUE(messages_.empty());

  // Gear 2 alone; then the single gear, whatever the choice says.
  dialogs_.clear();
  GadgetSetState(kComboExportWhat, 2);
  ExportToFile(kExportDxf);
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].defaultPath, ByLanguage("gear2_m", "wiel2_m") + Trimmed(gGear2.normalModule) + "_z" +
                                         std::to_string(gGear2.teeth) + ".dxf");
  SwitchTab(kTabSingle);
  ASSERT_EQ(gViewMode, kViewSingle);
  dialogs_.clear();
  ExportToFile(kExportDxf);
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].defaultPath, ByLanguage("gear_m", "tandwiel_m") + Trimmed(gGear1.normalModule) + "_z" +
                                         std::to_string(gGear1.teeth) + ".dxf");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ExportCommandTest, StlChordToleranceIsCheckedBeforeTheDesign) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  const std::string toleranceText = ByLanguage("Enter an STL chord tolerance between 0.0001 and 1 mm.",
                                               "Geef een STL-koordafwijking tussen 0,0001 en 1 mm.");
  const std::string noDesignText = ByLanguage("There is no (valid) gear to export yet.",
                                              "Er is nog geen (geldig) tandwiel om te exporteren.");
  const struct {
    const char* field;
    bool accepted;
  } cases[] = {
      {"0.0001", true}, {"1", true},        {"0,5", true},  {" 0.01 ", true}, {"0.00009", false},
      {"1.0001", false}, {"0", false},      {"-0.01", false}, {"abc", false},  {"", false},
  };
  dialogAnswer_ = "";
  for (const auto& c : cases) {
    GadgetSetText(kFieldChordTolerance, c.field);
    messages_.clear();
    dialogs_.clear();
    ExportToFile(kExportStl);
    if (c.accepted) {
      EXPECT_TRUE(messages_.empty()) << c.field;
      EXPECT_EQ(dialogs_.size(), 1u) << c.field;
    } else {
      ASSERT_EQ(messages_.size(), 1u) << c.field;
      EXPECT_EQ(messages_[0].title, "Norvale");
      EXPECT_EQ(messages_[0].text, toleranceText);
      EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconWarning);
      EXPECT_TRUE(dialogs_.empty()) << c.field;
    }
  }

  // With no design: a bad tolerance is reported first for STL; DXF and STEP
  // never look at the tolerance.
  ShowNoDesign();
  ASSERT_EQ(gViewMode, kViewNone);
  const struct {
    int64_t kind;
    const char* field;
    const std::string& message;
  } noDesign[] = {
      {kExportStl, "5", toleranceText},   {kExportStl, "0.01", noDesignText},
      {kExportDxf, "5", noDesignText},    {kExportStep, "abc", noDesignText},
  };
  for (const auto& c : noDesign) {
    GadgetSetText(kFieldChordTolerance, c.field);
    messages_.clear();
    dialogs_.clear();
    ExportToFile(c.kind);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, c.message) << c.kind << " " << c.field;
    EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconWarning);
    EXPECT_TRUE(dialogs_.empty());
  }
}

// An invalid record of the mode is nothing to export, and the message names
// it: "no (valid) gear" is said only where no design is shown at all.
TEST_F(ExportCommandTest, AnInvalidRecordOfTheModeIsNothingToExport) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  gGear2.valid = 0;
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            ByLanguage("Nothing was exported: gear 2 cannot be made from these inputs (the report says why).",
                       "Er is niets geëxporteerd: wiel 2 kan met deze invoer niet worden gemaakt (het rapport zegt "
                       "waarom)."));
  EXPECT_TRUE(dialogs_.empty());

  messages_.clear();
  gViewMode = kViewNone;
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, ByLanguage("There is no (valid) gear to export yet.",
                                          "Er is nog geen (geldig) tandwiel om te exporteren."));
  EXPECT_TRUE(dialogs_.empty());
}

TEST_F(ExportCommandTest, ANameWithoutExtensionGetsTheKindsOne) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  GadgetSetState(kComboExportWhat, 0);
  dialogAnswer_ = Path("drawing");
  ExportToFile(kExportDxf);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(dxf_test::ReadDxf(Slurp(Path("drawing.dxf"))).error, "");
  EXPECT_EQ(FileSizeOrKind(Path("drawing")), -1);

  GadgetSetState(kComboExportWhat, 0);
  dialogAnswer_ = Path("drawing.txt");
  ExportToFile(kExportDxf);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(dxf_test::ReadDxf(Slurp(Path("drawing.txt"))).error, "");
  EXPECT_EQ(FileSizeOrKind(Path("drawing.txt.dxf")), -1);
}

TEST_F(ExportCommandTest, OneGearAloneIsWrittenUnturnedAtTheOrigin) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  gAnimAngle = 0.9;  // the animation has turned the gears
  const struct {
    int64_t choice;
    const GearRecord* shown;
  } cases[] = {{1, &gGear1}, {2, &gGear2}};
  for (const auto& c : cases) {
    const DxfDrawing d = ExportDxf(c.choice, "alone.dxf");
    const auto polylines = Polylines(d);
    ASSERT_EQ(polylines.size(), 1u) << c.choice;
    EXPECT_LT(MaxVertexDeviation(*polylines[0], ExpectedVertices(AtDensity4(*c.shown), 0.0, 0.0, 0.0)), kWritten);
    const auto pitch = PitchCircles(d);
    ASSERT_EQ(pitch.size(), 1u);
    EXPECT_EQ(pitch[0]->Value(10), "0.000000");
    EXPECT_EQ(pitch[0]->Value(20), "0.000000");
    // r = mn z / (2 cos beta)
    EXPECT_NEAR(pitch[0]->Number(40),
                c.shown->normalModule * c.shown->teeth / (2.0 * std::cos(c.shown->helixAngle)), kWritten);
  }
}

TEST_F(ExportCommandTest, BothTogetherAreWrittenInTheShownMeshPosition) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  const double theta = 0.9;
  // With backlash, the teeth of a correctly placed pair never overlap.
  EditText(kFieldPairBacklash, "0.1");
  gAnimAngle = theta;

  // External pair: gear 1 turned by theta at the origin; gear 2 at (a, 0)
  // turned by pi / z2 - theta z1 / z2 + pi, so a tooth meets a space.
  {
    const DxfDrawing d = ExportDxf(0, "pair.dxf");
    const auto polylines = Polylines(d);
    ASSERT_EQ(polylines.size(), 2u);
    const double z1 = static_cast<double>(gGear1.teeth);
    const double z2 = static_cast<double>(gGear2.teeth);
    const double angle2 = kPi / z2 - theta * z1 / z2 + kPi;
    EXPECT_LT(MaxVertexDeviation(*polylines[0], ExpectedVertices(AtDensity4(gGear1), 0.0, 0.0, theta)), kWritten);
    EXPECT_LT(MaxVertexDeviation(*polylines[1],
                                 ExpectedVertices(AtDensity4(gGear2), gPairCentreDistance, 0.0, angle2)),
              1e-6);
    EXPECT_EQ(CountVertices(*polylines[0], *polylines[1], /*inside=*/true), 0);
    EXPECT_EQ(CountVertices(*polylines[1], *polylines[0], /*inside=*/true), 0);
    const auto pitch = PitchCircles(d);
    ASSERT_EQ(pitch.size(), 2u);
    EXPECT_NEAR(pitch[1]->Number(10), gPairCentreDistance, kWritten);
    EXPECT_EQ(pitch[1]->Value(20), "0.000000");
  }

  // Pinion and rack: the rack shifted as the view shows it, its pitch line
  // at y = -(r1 + x1 m) below the pinion centre.
  SwitchTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  EditText(kFieldRackBacklash, "0.1");
  gAnimAngle = theta;
  {
    const DxfDrawing d = ExportDxf(0, "rack.dxf");
    const auto polylines = Polylines(d);
    ASSERT_EQ(polylines.size(), 2u);
    const double s = ComputeRackOffset(gGear1, gRack, theta);
    const double yRack = -(gGear1.pitchRadius + gGear1.profileShift * gGear1.normalModule);
    EXPECT_LT(MaxVertexDeviation(*polylines[0], ExpectedVertices(AtDensity4(gGear1), 0.0, 0.0, theta)), kWritten);
    EXPECT_LT(MaxVertexDeviation(*polylines[1], ExpectedVertices(AtDensity4(gRack), s, yRack, 0.0)), kWritten);
    EXPECT_EQ(CountVertices(*polylines[0], *polylines[1], /*inside=*/true), 0);
    EXPECT_EQ(CountVertices(*polylines[1], *polylines[0], /*inside=*/true), 0);
    const DxfEntity& line = d.entities.back();
    ASSERT_EQ(line.type, "LINE");
    EXPECT_NEAR(line.Number(10), s, kWritten);
    EXPECT_NEAR(line.Number(20), yRack, kWritten);
    EXPECT_NEAR(line.Number(11) - line.Number(10), gRack.teeth * kPi * gRack.normalModule / std::cos(gRack.helixAngle),
                2e-6);
  }

  // Internal pair: the ring at the origin turned by theta z1 / z2, the pinion
  // at (a, 0) turned by theta.
  ShowInternalPair();
  EditText(kFieldIntBacklash, "0.1");
  gAnimAngle = theta;
  {
    const DxfDrawing d = ExportDxf(0, "internal.dxf");
    const auto polylines = Polylines(d);
    ASSERT_EQ(polylines.size(), 2u);
    const double ringAngle = theta * 16.0 / 24.0;
    EXPECT_LT(MaxVertexDeviation(*polylines[0], ExpectedVertices(AtDensity4(gRing), 0.0, 0.0, ringAngle)),
              kWritten);
    EXPECT_LT(MaxVertexDeviation(*polylines[1],
                                 ExpectedVertices(AtDensity4(gGear1), gInternalCentreDistance, 0.0, theta)),
              1e-6);
    // The pinion lies wholly in the ring's opening: inside its tooth outline.
    EXPECT_EQ(CountVertices(*polylines[0], *polylines[1], /*inside=*/false), 0);
    // Rim circle of the ring and the two pitch circles: r2 = 36 at the origin,
    // r1 = 24 at (a, 0).
    const auto pitch = PitchCircles(d);
    ASSERT_EQ(pitch.size(), 2u);
    EXPECT_NEAR(pitch[0]->Number(40), 36.0, kWritten);
    EXPECT_NEAR(pitch[1]->Number(40), 24.0, kWritten);
    EXPECT_NEAR(pitch[1]->Number(10), 13.1683, kWritten);
  }
}

TEST_F(ExportCommandTest, TheShownOutlinesKeepTheViewDensityAfterEveryDxfExport) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  const std::size_t n1 = PointCount(gGear1);
  const std::size_t n2 = PointCount(gGear2);
  GearRecord view1 = gGear1;
  BuildGearGeometry(view1, 1);
  ASSERT_EQ(n1, PointCount(view1));  // the view shows density 1

  // Written, then failed: a file as the folder of the chosen name.
  const DxfDrawing d = ExportDxf(0, "pair.dxf");
  EXPECT_GT(Polylines(d)[0]->vertices.size(), n1);  // the drawing is finer than the view
  EXPECT_EQ(PointCount(gGear1), n1);
  EXPECT_EQ(PointCount(gGear2), n2);

  project_test::Put(Path("plain"), "data");
  dialogAnswer_ = Path("plain") + "/pair";
  messages_.clear();
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  const std::string path = Path("plain") + "/pair.dxf";
  EXPECT_EQ(messages_[0].text, ByLanguage("File '" + path + "' could not be written.", "Kan '" + path + "' niet schrijven."));
  EXPECT_EQ(messages_[0].title, "Norvale");
  EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconError);
  EXPECT_EQ(PointCount(gGear1), n1);
  EXPECT_EQ(PointCount(gGear2), n2);
  EXPECT_EQ(gGear1.valid, 1);
  EXPECT_EQ(gGear2.valid, 1);
}

// Regression: the rack (and ring) of the drawing were rebuilt from the tab's
// fields, so a value the tab had rejected was written in place of the shown
// rack, and the rebuild at the view density then replaced the shown rack.
// Such a value now refuses the export, and the shown rack stays as it was.
TEST_F(ExportCommandTest, ARackFieldTheTabRejectedChangesNeitherTheDrawingNorTheShownRack) {
  Start();
  SwitchTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  const int64_t teeth = gRack.teeth;
  const std::size_t shownPoints = PointCount(gRack);
  GadgetSetText(kFieldRackTeeth, "0");  // rejected by the rack tab: the shown rack stays
  HandleControlEvent(kFieldRackTeeth, kSubChanged);
  PumpEvents();
  ASSERT_EQ(gRack.teeth, teeth);

  GadgetSetState(kComboExportWhat, 2);
  dialogAnswer_ = Path("rack.dxf");
  messages_.clear();
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].text.find(ByLanguage("Rack teeth n = 0", "Heugeltanden n = 0")), std::string::npos)
      << messages_[0].text;
  EXPECT_FALSE(std::filesystem::exists(Path("rack.dxf")));
  EXPECT_EQ(gRack.valid, 1);
  EXPECT_EQ(gRack.teeth, teeth);
  EXPECT_EQ(PointCount(gRack), shownPoints);
}

// Regression: the save dialog asks nothing when the file exists, so an
// export silently replaced any file the user happened to pick.
TEST_F(ExportCommandTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  const std::string path = Path("kept.dxf");
  project_test::Put(path, "precious");
  const std::string question =
      ByLanguage("'kept.dxf' already exists. Overwrite?", "'kept.dxf' bestaat al. Overschrijven?");
  GadgetSetState(kComboExportWhat, 0);
  dialogAnswer_ = Path("kept");  // the extension is added before the question
  answers_ = {kResultNo};
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, question);
  EXPECT_EQ(messages_[0].flags & 3, kMessageYesNo);
  EXPECT_EQ(Slurp(path), "precious");

  messages_.clear();
  answers_ = {kResultYes};
  ExportToFile(kExportDxf);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, question);
  EXPECT_EQ(dxf_test::ReadDxf(Slurp(path)).error, "");
}

TEST_F(ExportCommandTest, CancellingTheDialogWritesNothingAndSaysNothing) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  dialogAnswer_ = "";
  for (int64_t kind : {kExportDxf, kExportStep, kExportStl}) ExportToFile(kind);
  EXPECT_EQ(dialogs_.size(), 3u);
  EXPECT_TRUE(messages_.empty());
}

}  // namespace

// The whole road from the button to the file, for the two solid formats: the
// shown pair is written, and the STL message counts what the file holds.
TEST_F(ExportCommandTest, StepAndStlOfTheShownPairAreWrittenAndTheStlCounted) {
  Start();
  ASSERT_EQ(gViewMode, kViewPair);
  GadgetSetState(kComboExportWhat, 0);

  std::remove(Path("pair.stp").c_str());
  dialogAnswer_ = Path("pair.stp");
  messages_.clear();
  ExportToFile(kExportStep);
  EXPECT_TRUE(messages_.empty()) << (messages_.empty() ? "" : messages_[0].text);
  const std::string step = Slurp(Path("pair.stp"));
  EXPECT_EQ(step.rfind("ISO-10303-21;\r\n", 0), 0u);
  ASSERT_GE(step.size(), 20u);
  EXPECT_EQ(step.substr(step.size() - 19), "END-ISO-10303-21;\r\n");
  // Two bodies: one closed shell each.
  std::size_t shells = 0;
  for (std::size_t at = step.find("CLOSED_SHELL("); at != std::string::npos; at = step.find("CLOSED_SHELL(", at + 1)) {
    ++shells;
  }
  EXPECT_EQ(shells, 2u);

  std::remove(Path("pair.stl").c_str());
  GadgetSetText(kFieldChordTolerance, "0,01");  // a decimal comma is accepted
  dialogAnswer_ = Path("pair.stl");
  messages_.clear();
  ExportToFile(kExportStl);
  const std::string stl = Slurp(Path("pair.stl"));
  ASSERT_GE(stl.size(), 84u);
  // Binary STL: 80 header bytes, a little-endian count, 50 bytes a triangle.
  const std::size_t n = std::size_t(static_cast<unsigned char>(stl[80])) |
                        std::size_t(static_cast<unsigned char>(stl[81])) << 8 |
                        std::size_t(static_cast<unsigned char>(stl[82])) << 16 |
                        std::size_t(static_cast<unsigned char>(stl[83])) << 24;
  EXPECT_EQ(stl.size(), 84 + 50 * n);
  ASSERT_GT(n, 0u);
  const long kb = std::lround((50.0 * double(n) + 84.0) / 1024.0);
  const std::string expected =
      ByLanguage("STL written: ", "STL geschreven: ") + std::to_string(n) +
      ByLanguage(" triangles, ", " driehoeken, ") + std::to_string(kb) +
      ByLanguage(" kB\r\nChord tolerance max. ", " kB\r\nKoordafwijking max. ") + "0.0100 mm";
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, expected);
}

// The tab compute drivers driven through the dispatch as a user edits: the
// records against the geometry called directly, silent stops on bad input, the
// mode, and when the view is fitted.
#include <cmath>
#include <numbers>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/search_inputs.h"
#include "app/tab_compute.h"
#include "app/view_transform.h"
#include "app_fixture.h"
#include "design/search_result.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

class TabComputeTest : public AppTest {
 protected:
  void SwitchTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    HandleControlEvent(kPanelTabs, kSubChanged);
    Pump();
  }
  // The user types a new text into a field (or picks a combo row).
  void Edit(int64_t control, const std::string& text) {
    GadgetSetText(control, text);
    HandleControlEvent(control, kSubChanged);
    Pump();
  }
  void Pick(int64_t combo, int64_t row) {
    GadgetSetState(combo, row);
    HandleControlEvent(combo, kSubChanged);
    Pump();
  }
  static SearchResultRow Row(double m, int64_t z1, int64_t z2, double beta, double shiftSum) {
    SearchResultRow row;
    row.module = m;
    row.teeth1 = z1;
    row.teeth2 = z2;
    row.helixAngleDeg = beta;
    row.shiftSum = shiftSum;
    return row;
  }
  // The fit zoom of a design of the given model extent on the canvas.
  static double FitZoom(double width, double height) {
    const double w = GadgetGetWidth(kCanvasView);
    const double h = GadgetGetHeight(kCanvasView);
    return std::min((w - 40.0) / width, (h - 60.0) / height);
  }
};

// --- Single tab ---------------------------------------------------------

TEST_F(TabComputeTest, SingleTabBuildsTheGearOfItsFields) {
  SwitchTab(kTabSingle);
  Edit(kComboSingleModule, "2,5");  // decimal comma
  Edit(kFieldSingleTeeth, "27");
  Edit(kFieldSingleShift, "0.2");
  Edit(kFieldSingleHelixAngle, "15");
  Pick(kComboSingleHand, 1);
  Edit(kFieldSingleThicknessAllowance, "0.04");
  Edit(kFieldSingleBore, "10");
  ASSERT_EQ(gViewMode, kViewSingle);

  GearRecord expected;
  InitGearRecord(expected, 2.5, 27, 0.2, 20.0, 10.0, 10.0, 0.0, 15.0, -1);
  expected.thicknessAllowance = 0.04;  // taken as it stands, no backlash conversion
  BuildGearGeometry(expected, 1);
  ASSERT_EQ(expected.valid, 1);
  EXPECT_EQ(gGear1.valid, 1);
  EXPECT_EQ(gGear1.hand, -1);
  EXPECT_DOUBLE_EQ(gGear1.thicknessAllowance, 0.04);
  EXPECT_DOUBLE_EQ(gGear1.tipRadius, expected.tipRadius);
  EXPECT_DOUBLE_EQ(gGear1.rootRadius, expected.rootRadius);
  EXPECT_DOUBLE_EQ(gGear1.pitchThickness, expected.pitchThickness);
  EXPECT_EQ(gGear1.outline.size(), expected.outline.size());
  // Textbook: d = z mn / cos beta, da = d + 2 mn (1 + x).
  EXPECT_NEAR(gGear1.tipRadius, 27 * 2.5 / std::cos(15 * kDeg) / 2 + 2.5 * 1.2, 1e-9);
}

TEST_F(TabComputeTest, SingleTabRejectsInputsOutsideItsRangesSilently) {
  SwitchTab(kTabSingle);
  struct Case {
    int64_t control;
    const char* text;
  };
  const Case rejected[] = {
      {kFieldSingleTeeth, "2"},           {kFieldSingleTeeth, "1001"},
      {kFieldSingleTeeth, ""},            {kFieldSinglePressureAngle, "9.99"},
      {kFieldSinglePressureAngle, "35.01"}, {kFieldSingleHelixAngle, "-0.1"},
      {kFieldSingleHelixAngle, "45.01"},  {kComboSingleModule, "0"},
      {kComboSingleModule, "abc"},        {kComboSingleModule, "NaN"},
      {kFieldSinglePressureAngle, "NaN"}, {kFieldSingleHelixAngle, "Infinity"},
  };
  const Case defaults[] = {{kFieldSingleTeeth, "20"}, {kFieldSinglePressureAngle, "20"},
                           {kFieldSingleHelixAngle, "0"}, {kComboSingleModule, "2"}};
  for (const Case& c : rejected) {
    SCOPED_TRACE(std::string("field ") + std::to_string(c.control) + " = '" + c.text + "'");
    for (const Case& d : defaults) GadgetSetText(d.control, d.text);
    gViewMode = kViewNone;
    gGear1.tipRadius = -7.0;  // a marker the driver would overwrite
    Edit(c.control, c.text);
    EXPECT_EQ(gViewMode, kViewNone);
    EXPECT_EQ(gGear1.tipRadius, -7.0);
  }
  // The bounds themselves are accepted.
  const Case accepted[] = {{kFieldSingleTeeth, "3"},         {kFieldSingleTeeth, "1000"},
                           {kFieldSingleTeeth, "20.7"},      {kFieldSinglePressureAngle, "10"},
                           {kFieldSinglePressureAngle, "35"}, {kFieldSingleHelixAngle, "0"},
                           {kFieldSingleHelixAngle, "45"}};
  for (const Case& c : accepted) {
    SCOPED_TRACE(std::string("field ") + std::to_string(c.control) + " = '" + c.text + "'");
    for (const Case& d : defaults) GadgetSetText(d.control, d.text);
    gViewMode = kViewNone;
    Edit(c.control, c.text);
    EXPECT_EQ(gViewMode, kViewSingle);
  }
  // "20.7" is read as 20 teeth.
  EXPECT_EQ(gGear1.teeth, 20);
}

TEST_F(TabComputeTest, SingleTabFitsOnSizeEditsOnly) {
  SwitchTab(kTabSingle);
  // The tab switch fitted the default gear (tip radius 22 mm).
  EXPECT_NEAR(gZoom, FitZoom(44.0, 44.0), 1e-12);
  EXPECT_EQ(gViewCentreX, 0.0);
  EXPECT_EQ(gViewCentreY, 0.0);

  // Profile shift, face width, allowance, bore: the view stays.
  gZoom = 3.0;
  gViewCentreX = 5.0;
  Edit(kFieldSingleShift, "0.3");
  Edit(kFieldSingleFaceWidth, "12");
  Edit(kFieldSingleThicknessAllowance, "0.01");
  Edit(kFieldSingleBore, "6");
  EXPECT_EQ(gZoom, 3.0);
  EXPECT_EQ(gViewCentreX, 5.0);
  EXPECT_NEAR(gGear1.profileShift, 0.3, 1e-15);

  // Teeth: refit to the new tip circle, ra = z m / 2 + m (1 + x) = 30 + 2.6.
  Edit(kFieldSingleTeeth, "30");
  EXPECT_NEAR(gZoom, FitZoom(65.2, 65.2), 1e-9);
  EXPECT_EQ(gViewCentreX, 0.0);
}

TEST_F(TabComputeTest, SingleOrRackDriverFitsWhenTheModeWasAnother) {
  SwitchTab(kTabSingle);
  gZoom = 3.0;
  gViewMode = kViewPair;  // as if another design was shown
  ComputeSingleTab(0);
  EXPECT_EQ(gViewMode, kViewSingle);
  EXPECT_NEAR(gZoom, FitZoom(44.0, 44.0), 1e-12);
}

// --- Rack tab -----------------------------------------------------------

TEST_F(TabComputeTest, RackTabBuildsPinionAndRack) {
  SwitchTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  Edit(kFieldRackBacklash, "0.1");
  // As = jn / (2 cos alpha) = 0.1 / (2 cos 20°) = 0.053209 mm, in both.
  const double as = 0.1 / (2.0 * std::cos(20.0 * kDeg));
  EXPECT_NEAR(gGear1.thicknessAllowance, as, 1e-12);
  EXPECT_NEAR(gRack.thicknessAllowance, as, 1e-12);
  EXPECT_NEAR(as, 0.05321, 1e-5);

  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, 20, 15.0, 20.0, as, 1), 0);
  EXPECT_EQ(gRack.valid, 1);
  EXPECT_EQ(gRack.outline.size(), rack.outline.size());
  EXPECT_DOUBLE_EQ(gRack.pitchThickness, rack.pitchThickness);
  EXPECT_NEAR(gRack.rackLength, 20 * std::numbers::pi * 2.0, 1e-9);  // n pi m

  // The rack has the pinion's hand.
  Edit(kFieldRackHelixAngle, "10");
  Pick(kComboRackHand, 1);
  EXPECT_EQ(gGear1.hand, -1);
  EXPECT_EQ(gRack.hand, -1);
}

TEST_F(TabComputeTest, RackTeethOutsideOneToTwoThousandChangeNothing) {
  SwitchTab(kTabRack);
  const char* rejected[] = {"0", "2001", "-3"};
  for (const char* text : rejected) {
    GadgetSetText(kFieldRackTeeth, "20");
    gViewMode = kViewNone;
    gRack.rackLength = -1.0;
    Edit(kFieldRackTeeth, text);
    EXPECT_EQ(gViewMode, kViewNone) << text;
    EXPECT_EQ(gRack.rackLength, -1.0) << text;
  }
  const char* accepted[] = {"1", "2000"};
  for (const char* text : accepted) {
    gViewMode = kViewNone;
    Edit(kFieldRackTeeth, text);
    EXPECT_EQ(gViewMode, kViewRack) << text;
    EXPECT_NEAR(gRack.rackLength, std::atof(text) * std::numbers::pi * 2.0, 1e-9) << text;
  }
}

TEST_F(TabComputeTest, RackTabFitsOnSizeEditsOnly) {
  SwitchTab(kTabRack);
  // Extents: x ±(L/2 + pi m) = ±(20 pi + 2 pi), y from -(r1 + Hp) = -35 to ra1 = 22.
  EXPECT_NEAR(gZoom, FitZoom(2 * 22 * std::numbers::pi, 57.0), 1e-9);
  EXPECT_NEAR(gViewCentreY, (22.0 - 35.0) / 2, 1e-12);
  gZoom = 3.0;
  Edit(kFieldRackShift, "0.1");
  Edit(kFieldRackFaceWidth, "25");
  EXPECT_EQ(gZoom, 3.0);
  Edit(kFieldRackHeight, "20");
  // y now from -(20 + 0.2 + 20) to 22 + 0.2.
  EXPECT_NEAR(gZoom, FitZoom(2 * 22 * std::numbers::pi, 62.4), 1e-9);
}

// --- Pair tab -----------------------------------------------------------

TEST_F(TabComputeTest, PairTabTakesTheChosenRowAndSplitsTheShiftSum) {
  gPairSearchResults = {Row(2.0, 20, 40, 0.0, 0.5)};
  gPairSelectedRow = 0;
  GadgetSetText(kFieldPairCentreDistance, "60.5");
  gPairSearchedFor = ReadSearchedFor(kTabPair);  // the row as a search at these values gives it
  Edit(kFieldPairShiftX1, "0.3");
  ASSERT_EQ(gViewMode, kViewPair);
  EXPECT_EQ(GadgetGetText(kTextPairX2), "x2 = 0.2000");
  EXPECT_NEAR(gGear1.profileShift, 0.3, 1e-15);
  EXPECT_NEAR(gGear2.profileShift, 0.2, 1e-15);
  EXPECT_EQ(gPairCentreDistance, 60.5);
  // DIN 3960 tip shortening k = (z1 + z2) / 2 + Σx - a / m = 30 + 0.5 - 30.25.
  EXPECT_NEAR(gGear1.tipShortening, 0.25, 1e-12);
  EXPECT_NEAR(gGear2.tipShortening, 0.25, 1e-12);
  // ra1 = r1 + m (1 + x1 - k) = 20 + 2 (1.05); ra2 = 40 + 2 (0.95).
  EXPECT_NEAR(gGear1.tipRadius, 22.1, 1e-9);
  EXPECT_NEAR(gGear2.tipRadius, 41.9, 1e-9);
  // Bores of the two gears, face width shared.
  EXPECT_EQ(gGear1.boreDiameter, 8.0);
  EXPECT_EQ(gGear2.boreDiameter, 12.0);

  GearRecord expected;
  InitGearRecord(expected, 2.0, 40, 0.2, 20.0, 10.0, 12.0, 0.25, 0.0, -1);
  BuildGearGeometry(expected, 1);
  EXPECT_DOUBLE_EQ(gGear2.rootRadius, expected.rootRadius);
  EXPECT_EQ(gGear2.outline.size(), expected.outline.size());
}

TEST_F(TabComputeTest, PairTabNeverShortensForAWideCentreDistance) {
  gPairSearchResults = {Row(2.0, 20, 40, 0.0, 0.5)};
  gPairSelectedRow = 0;
  // Beyond the reference distance plus Σx m (61 mm): k would be negative.
  GadgetSetText(kFieldPairCentreDistance, "62");
  gPairSearchedFor = ReadSearchedFor(kTabPair);  // the row as a search at these values gives it
  Edit(kFieldPairShiftX1, "0.25");
  EXPECT_EQ(gGear1.tipShortening, 0.0);
  EXPECT_NEAR(gGear1.tipRadius, 20 + 2 * 1.25, 1e-9);
  // A centre distance typed as NaN shortens nothing either.
  GadgetSetText(kFieldPairCentreDistance, "NaN");
  Edit(kFieldPairShiftX1, "0.25");
  EXPECT_EQ(gGear1.tipShortening, 0.0);
}

TEST_F(TabComputeTest, PairTabHandAndBacklash) {
  gPairSearchResults = {Row(2.0, 20, 40, 12.0, 0.0)};
  gPairSelectedRow = 0;
  GadgetSetText(kFieldPairCentreDistance, "61.34");
  // A β search up to 30°: the row's 12° is the largest helix angle field 4 allows.
  GadgetSetText(kFieldPairHelixAngle, "30");
  GadgetSetState(kCheckPairHelixSearch, 1);
  gPairSearchedFor = ReadSearchedFor(kTabPair);  // the row as a search at these values gives it
  Edit(kFieldPairBacklash, "0.1");
  Pick(kComboPairHand, 1);
  EXPECT_EQ(gGear1.hand, -1);
  EXPECT_EQ(gGear2.hand, 1);
  EXPECT_NEAR(gGear1.thicknessAllowance, 0.1 / (2 * std::cos(20 * kDeg)), 1e-12);
  EXPECT_NEAR(gGear2.thicknessAllowance, 0.1 / (2 * std::cos(20 * kDeg)), 1e-12);
  // The helix angle is always the row's, not the limit field 4 gives.
  Edit(kFieldPairFaceWidth, "14");
  EXPECT_NEAR(gGear1.helixAngle, 12 * kDeg, 1e-15);
  EXPECT_EQ(gGear2.faceWidth, 14.0);
}

TEST_F(TabComputeTest, PairTabWithoutAChosenRowChangesNothing) {
  gPairSearchResults = {Row(2.0, 20, 40, 0.0, 0.0)};
  const int64_t unchosen[] = {-1, 1, 7};
  for (int64_t chosen : unchosen) {
    gPairSelectedRow = chosen;
    gViewMode = kViewSingle;
    gGear2.tipRadius = -7.0;
    Edit(kFieldPairShiftX1, "0.1");
    EXPECT_EQ(gViewMode, kViewSingle) << chosen;
    EXPECT_EQ(gGear2.tipRadius, -7.0) << chosen;
  }
}

TEST_F(TabComputeTest, PairTabFitsOnlyWhenAsked) {
  gPairSearchResults = {Row(2.0, 20, 40, 0.0, 0.0)};
  gPairSelectedRow = 0;
  GadgetSetText(kFieldPairCentreDistance, "60");
  SwitchTab(kTabSingle);
  SwitchTab(kTabPair);  // a tab switch fits
  ASSERT_EQ(gViewMode, kViewPair);
  // x from -22 to 60 + 42, y ±42.
  EXPECT_NEAR(gZoom, FitZoom(124.0, 84.0), 1e-9);
  EXPECT_NEAR(gViewCentreX, 40.0, 1e-12);
  gZoom = 3.0;
  Edit(kFieldPairShiftX1, "0.1");
  Edit(kFieldPairBore1, "6");
  EXPECT_EQ(gZoom, 3.0);
}

// --- Internal tab -------------------------------------------------------

// The internal pair of the worked example E4: m 3, z 16 / 24, x 0 / +0.5,
// a 13.1683; ring tip diameter 69.000 (d - 2 ha with x2 = 0.5).
class InternalTabTest : public TabComputeTest {
 protected:
  void SetUp() override {
    TabComputeTest::SetUp();
    gInternalSearchResults = {Row(3.0, 16, 24, 0.0, 0.5)};
    gInternalSelectedRow = 0;
    GadgetSetText(kFieldIntCentreDistance, "13.1683");
    gInternalSearchedFor = ReadSearchedFor(kTabInternal);  // the row as a search at these values gives it
  }
};

TEST_F(InternalTabTest, RingWithoutTipShorteningIsTheStandardRing) {
  GadgetSetState(kCheckIntShortenTip, 0);
  SwitchTab(kTabInternal);
  ASSERT_EQ(gViewMode, kViewInternal);
  EXPECT_EQ(GadgetGetText(kTextIntX2), "x2 = 0.5000");
  EXPECT_EQ(gRing.valid, 1);
  EXPECT_NEAR(2 * gRing.tipRadius, 69.0, 1e-9);
  EXPECT_NEAR(2 * gGear1.tipRadius, 54.0, 1e-9);
  EXPECT_EQ(gInternalCentreDistance, 13.1683);
  // The interference test ran on both valid records.
  EXPECT_NE(gInternalPenetration, -1.0);
  // The view fitted the rim: R = root radius + rim (6).
  EXPECT_NEAR(gZoom, FitZoom(2 * gRing.rimRadius, 2 * gRing.rimRadius), 1e-9);
}

TEST_F(InternalTabTest, ShortenedRingTipClearsThePinion) {
  GadgetSetState(kCheckIntShortenTip, 1);
  SwitchTab(kTabInternal);
  ASSERT_EQ(gRing.valid, 1);
  const double mate = ComputeInternalMateRadius(gGear1, gRing, 13.1683);
  EXPECT_GE(gRing.tipRadius, std::min(mate, gRing.rootRadius - 0.1 * 3.0) - 1e-9);
  EXPECT_GE(gRing.tipRadius, 34.5);

  // Editing the shift of the pinion keeps the view and follows Δx.
  gZoom = 3.0;
  Edit(kFieldIntShiftX1, "0.1");
  EXPECT_EQ(GadgetGetText(kTextIntX2), "x2 = 0.6000");
  EXPECT_NEAR(gRing.profileShift, 0.6, 1e-12);
  EXPECT_EQ(gZoom, 3.0);
}

TEST_F(InternalTabTest, InvalidRingLeavesThePenetrationUncomputed) {
  SwitchTab(kTabInternal);
  Edit(kFieldIntRingRim, "0");  // no rim: the ring is rejected
  EXPECT_EQ(gRing.valid, 0);
  EXPECT_EQ(gInternalPenetration, -1.0);
  EXPECT_EQ(gViewMode, kViewInternal);
}

TEST_F(TabComputeTest, ActiveTabRecomputesTheShownTab) {
  SwitchTab(kTabSingle);
  GadgetSetText(kFieldSingleTeeth, "25");
  gZoom = 3.0;
  ComputeActiveTab();
  EXPECT_EQ(gGear1.teeth, 25);
  EXPECT_EQ(gZoom, 3.0);  // fit 0
}

}  // namespace

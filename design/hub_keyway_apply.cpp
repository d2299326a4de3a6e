// Setting and checking the hub and keyway of an external gear from the
// choices of the hub-and-keyway window.
#include "design/hub_keyway_apply.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "design/field_reading.h"
#include "design/shaft_key_check.h"
#include "geometry/bore_outline.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"
#include "platform/gui.h"
#include "texts/hub_texts.h"

namespace {

// Controls of gear 1 in the hub-and-keyway window; gear 2's are 7 higher.
constexpr int64_t kKeywayCombo = 114;
constexpr int64_t kKeyWidthField = 115;
constexpr int64_t kKeyDepthField = 116;
constexpr int64_t kHubCombo = 117;
constexpr int64_t kHubDiameterField = 118;
constexpr int64_t kHubLengthField = 119;
constexpr int64_t kGearControlStep = 7;

// Automatic hub diameter: 1.8 d, but at least a wall of max(3 mm, mn) round
// the bore or keyway, and at most 2 rf - 2 mn; 1.2 rf without a bore. On a
// large gear 2 rf - 2 mn comes close to the teeth, so the automatic hub also
// keeps a band of material under them (kStlMaxInnerRadiusOfRoot of the root
// radius, less 0.25 mn).
constexpr double kAutoHubBoreFactor = 1.8;
constexpr double kAutoHubMinWall = 3.0;
constexpr double kAutoHubNoBoreFactor = 1.2;
// The hub stays 0.25 mn inside the root circle and keeps 0.5 mm of wall over
// the bore or keyway.
constexpr double kHubRootMarginModules = 0.25;
constexpr double kHubMinWall = 0.5;

// A field that holds no finite number counts as empty (0): an "inf" typed as a
// hub length must not give an endless hub.
double FiniteOrZero(double v) { return std::isfinite(v) ? v : 0.0; }

void ClearHubKeyway(GearRecord& rec) {
  rec.keyWidth = 0.0;
  rec.hubKeywayDepth = 0.0;
  rec.keyHeight = 0.0;
  rec.keyBearingHeight = 0.0;
  rec.hubDiameter = 0.0;
  rec.hubLength = 0.0;
  rec.keyFromDin = 0;
  rec.hubSide = 0;
  rec.warnings.clear();
}

void ApplyKeyway(GearRecord& rec, const HubKeywayInputs& in) {
  const double d = rec.boreDiameter;
  if (in.keywayKind == kKeywayDin6885) {
    double b = 0.0, h = 0.0, t2 = 0.0, t1 = 0.0;
    if (d > 0.0 && LookupDin6885Key(d, b, h, t2, &t1) == 1) {
      rec.keyWidth = b;
      rec.hubKeywayDepth = t2;
      rec.keyHeight = h;
      rec.keyFromDin = 1;
      rec.keyBearingHeight = h - t1;  // the key stands h - t1 out of the shaft
    } else {
      rec.warnings += texts::kHubWarnNoDinSize;
    }
  } else if (in.keywayKind == kKeywayCustom) {
    rec.keyWidth = FiniteOrZero(in.keyWidth);
    rec.hubKeywayDepth = FiniteOrZero(in.keyDepth);
    rec.keyBearingHeight = kCustomKeyBearingFactor * rec.hubKeywayDepth;
    // A bore typed as "inf" is no bore a key can sit in.
    if (!(d > 0.0) || !std::isfinite(d)) {
      rec.warnings += texts::kHubWarnKeywayNoBore;
      rec.keyWidth = 0.0;
    } else if (!(rec.keyWidth > 0.0)) {
      // A width or depth typed as 0, below 0 or as no number cuts no keyway;
      // the report says which, so the hub sized without it is no surprise.
      rec.warnings += texts::kHubWarnKeyWidthNotPositive;
      rec.keyWidth = 0.0;
    } else if (!(rec.hubKeywayDepth > 0.0)) {
      rec.warnings += texts::kHubWarnKeyDepthNotPositive;
      rec.keyWidth = 0.0;
    } else if (rec.keyWidth >= d) {
      rec.warnings += texts::kHubWarnKeywayTooWide;
      rec.keyWidth = 0.0;
    }
  }
}

void ApplyHub(GearRecord& rec, const HubKeywayInputs& in) {
  if (in.hubSide < 1 || in.hubSide > 3) return;
  const double d = rec.boreDiameter;
  const double mn = rec.normalModule;
  const double rf = rec.rootRadius;
  // The keyway is settled first, so the outer radius includes it.
  const double ro = ComputeBoreOuterRadius(rec);

  const double length = FiniteOrZero(in.hubLength);
  double diameter = FiniteOrZero(in.hubDiameter);
  bool automatic = false;
  if (!(diameter > 0.0)) {
    const double largest =
        std::min(2.0 * rf - 2.0 * mn, 2.0 * (kStlMaxInnerRadiusOfRoot * rf - kHubRootMarginModules * mn));
    diameter = d > 0.0 ? std::min(std::max(kAutoHubBoreFactor * d, 2.0 * ro + 2.0 * std::max(kAutoHubMinWall, mn)),
                                  largest)
                       : kAutoHubNoBoreFactor * rf;
    automatic = true;
  }

  if (!(length > 0.0)) {
    rec.warnings += texts::kHubWarnLengthZero;
    return;
  }
  if (!(diameter / 2.0 < rf - kHubRootMarginModules * mn)) {
    rec.warnings += std::string(texts::kHubWarnTooLarge) +
                    FormatNumber(2.0 * rf - 2.0 * kHubRootMarginModules * mn, 1) +
                    std::string(texts::kHubWarnTooLargeEnd);
    return;
  }
  // An automatic hub, held down by the limit above, must also clear the
  // corners of a keyway, which lie beyond ro; the STEP and STL writers refuse
  // a hub circle that cuts them.
  const double clear = automatic && GearHasKeyway(rec) != 0 ? std::hypot(ro, rec.keyWidth / 2.0) : ro;
  if (!(diameter / 2.0 > clear + kHubMinWall)) {
    rec.warnings += texts::kHubWarnTooSmall;
    return;
  }
  rec.hubSide = in.hubSide;
  rec.hubDiameter = diameter;
  rec.hubLength = length;
}

}  // namespace

void ApplyHubKeywayInputs(GearRecord& record, const HubKeywayInputs& inputs) {
  ClearHubKeyway(record);
  if (record.valid == 0 || record.isInternal != 0 || record.isRack != 0) return;
  ApplyKeyway(record, inputs);
  ApplyHub(record, inputs);
}

void ApplyHubAndKeyway(GearRecord& record, int64_t k) {
  const int64_t offset = kGearControlStep * (k == 1 ? 1 : 0);
  HubKeywayInputs in;
  in.keywayKind = GadgetGetState(kKeywayCombo + offset);
  in.hubSide = GadgetGetState(kHubCombo + offset);

  // Width and depth are inputs only for a custom keyway. They follow the
  // choice also while the design is not valid, so that the fields never lag
  // behind the choice the user just made.
  if (record.isInternal == 0 && record.isRack == 0) {
    const bool custom = in.keywayKind == kKeywayCustom;
    GadgetDisable(kKeyWidthField + offset, !custom);
    GadgetDisable(kKeyDepthField + offset, !custom);
  }
  if (in.keywayKind == kKeywayCustom) {
    in.keyWidth = ReadNumberField(kKeyWidthField + offset);
    in.keyDepth = ReadNumberField(kKeyDepthField + offset);
  }
  if (in.hubSide >= 1) {
    in.hubDiameter = ReadNumberField(kHubDiameterField + offset);
    in.hubLength = ReadNumberField(kHubLengthField + offset);
  }

  ApplyHubKeywayInputs(record, in);

  // A standard keyway shows its sizes; an unchanged text is not rewritten, so
  // no change event and no recompute follows.
  if (record.keyFromDin == 1) {
    SetGadgetTextIfChanged(kKeyWidthField + offset, FormatNumber(record.keyWidth, 0));
    SetGadgetTextIfChanged(kKeyDepthField + offset, FormatNumber(record.hubKeywayDepth, 1));
  }
}

// Building an external gear: the record half (transverse values, circles,
// thicknesses, undercut and pointed-tooth checks) around the outline steps.
#include "geometry/gear_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/gauge_dimensions.h"
#include "geometry/involute.h"
#include "geometry/outline_builder.h"
#include "geometry/tolerances.h"
#include "geometry/tool_rounding.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

// True when every input of the build is usable. Each test is written so that
// NaN fails it.
bool HasBuildableInputs(const GearRecord& rec, int pointDensity) {
  const double m = rec.normalModule;
  const double alphaN = rec.pressureAngle;
  if (!(m > 0.0) || !std::isfinite(m)) return false;
  if (rec.teeth < 3 || rec.teeth > kMaxGearTeeth) return false;
  if (!(std::cos(rec.helixAngle) >= kMinHelixCosine)) return false;
  if (!(alphaN > 0.0 && alphaN < std::numbers::pi / 2.0)) return false;
  if (pointDensity < kMinPointDensity || pointDensity > kMaxPointDensity) return false;
  // Per tooth at most two arcs of 4 n + 1 and four curves of 14 n + 1 points.
  const double points = static_cast<double>(rec.teeth) * (64.0 * pointDensity + 6.0);
  if (points > kMaxOutlinePoints) return false;
  if (!std::isfinite(rec.profileShift) || !std::isfinite(rec.tipShortening) ||
      !std::isfinite(rec.thicknessAllowance) || !std::isfinite(rec.addendumFactor) ||
      !std::isfinite(rec.dedendumFactor)) {
    return false;
  }
  if (!(rec.toolTipRadiusFactor >= 0.0) || !std::isfinite(rec.toolTipRadiusFactor)) return false;
  return true;
}

}  // namespace

int InitGearRecord(GearRecord& rec, double m, int64_t z, double x, double alphaDeg, double b,
                   double bore, double k, double betaDeg, int64_t hand) {
  rec.normalModule = m;
  rec.teeth = z;
  rec.profileShift = x;
  rec.pressureAngle = alphaDeg * kDegToRad;
  rec.helixAngle = std::fabs(betaDeg) * kDegToRad;
  rec.hand = hand == 0 ? 1 : hand;
  rec.faceWidth = b;
  rec.boreDiameter = bore;
  rec.tipShortening = k;
  rec.thicknessAllowance = 0.0;
  rec.hubSide = 0;
  rec.hubDiameter = 0.0;
  rec.hubLength = 0.0;
  rec.keyWidth = 0.0;
  rec.hubKeywayDepth = 0.0;
  rec.keyHeight = 0.0;
  rec.keyFromDin = 0;
  rec.addendumFactor = 1.0;
  rec.dedendumFactor = 1.25;
  rec.toolTipRadiusFactor = kToolTipRoundingFactor;
  return 0;
}

namespace {

// BuildGearGeometry, with the outline of all teeth or of tooth 0 alone.
int BuildGearTeeth(GearRecord& rec, int pointDensity, bool allTeeth) {
  rec.outline.clear();
  rec.valid = 0;
  if (!HasBuildableInputs(rec, pointDensity)) return 0;

  const double m = rec.normalModule;
  const double z = static_cast<double>(rec.teeth);
  const double alphaN = rec.pressureAngle;
  const double beta = rec.helixAngle;
  const double cosBeta = std::cos(beta);
  const double tanAlphaN = std::tan(alphaN);

  // Transverse section (DIN 3960): mt = mn / cos beta,
  // tan alpha_t = tan alpha_n / cos beta, sin beta_b = sin beta cos alpha_n.
  rec.transverseModule = m / cosBeta;
  rec.transversePressureAngle = std::atan(tanAlphaN / cosBeta);
  rec.baseHelixAngle = std::asin(std::sin(beta) * std::cos(alphaN));
  rec.pitchRadius = rec.transverseModule * z / 2.0;
  rec.baseRadius = rec.pitchRadius * std::cos(rec.transversePressureAngle);

  // The allowance As thins the tooth by moving the cutter towards the centre:
  // the tool cuts at xE = x - As / (2 mn tan alpha_n). Only the tip circle
  // keeps the nominal x.
  rec.toolShift = rec.profileShift - rec.thicknessAllowance / (2.0 * m * tanAlphaN);
  const double xE = rec.toolShift;
  rec.pitchThickness = rec.transverseModule * (std::numbers::pi / 2.0 + 2.0 * xE * tanAlphaN);

  const double datumRadius = rec.pitchRadius + xE * m;
  rec.rootRadius = datumRadius - rec.dedendumFactor * m;
  if (!(rec.rootRadius > 0.0) || !std::isfinite(rec.rootRadius)) return 0;

  // The tool's tip roundings: 0.38 m where they fit the tool tooth, else the
  // largest that fit (pressure angles above about 23.2 deg). The undercut
  // limit, the fillet and the form radius all follow from that tool.
  rec.toolTipRadiusFactor =
      FitGearToolTipRoundingFactor(rec.toolTipRadiusFactor, rec.dedendumFactor, alphaN);

  const double sinAlphaT = std::sin(rec.transversePressureAngle);
  rec.minProfileShift = rec.dedendumFactor - rec.toolTipRadiusFactor * (1.0 - std::sin(alphaN)) -
                        z * sinAlphaT * sinAlphaT / (2.0 * cosBeta);
  rec.undercut = xE < rec.minProfileShift - kUndercutShiftTolerance ? 1 : 0;

  std::vector<PolarPoint> fillet;
  double rootArcHalfAngle = 0.0;
  double leastFilletAngle = 0.0;
  BuildRootFillet(rec, pointDensity, fillet, rootArcHalfAngle, leastFilletAngle);
  if (fillet.empty()) return 0;
  const PolarPoint flankStart = fillet.back();
  const double rs = flankStart.radius;
  const double rb = rec.baseRadius;
  rec.formRadius = std::max(rs, rb);

  // A thinning so strong that the two flanks meet at or below the start of
  // the involute leaves no flank at all; a fillet that reaches the tooth
  // centre line means the cuts of both sides overlap and sever the tooth.
  // An undercut fillet ends where it crosses the involute, so neither test
  // sees the part of the trochoid above that crossing, which cuts nothing.
  if (!(ComputeInvolutePolarAngle(rec, rec.formRadius) > 0.0)) return 0;
  if (!(leastFilletAngle > 0.0)) return 0;
  for (const PolarPoint& pt : fillet) {
    if (!(pt.angle > 0.0)) return 0;
  }

  // Tip circle from the nominal profile shift, lowered by the tip shortening,
  // and kept just above the start of the involute. That start is the form
  // radius, not the fillet end alone: a fillet may end inside the base circle,
  // where a tip circle would leave no involute and no pressure angle.
  double ra = rec.pitchRadius + m * (rec.addendumFactor + rec.profileShift - rec.tipShortening);
  const double lowestTip = rec.formRadius + kMinFlankLengthModules * m;
  if (ra < lowestTip) ra = lowestTip;

  // Pointed tooth: psi falls with the radius; where it reaches 0 the flanks
  // meet. Bisect for that radius and take it as the tip circle.
  rec.pointed = 0;
  if (ComputeInvolutePolarAngle(rec, ra) < 0.0) {
    double lo = std::max(rs, rb);
    double hi = ra;
    for (int i = 0; i < kPointedTipBisections; ++i) {
      const double mid = 0.5 * (lo + hi);
      if (ComputeInvolutePolarAngle(rec, mid) <= 0.0) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    ra = lo;
    rec.pointed = 1;
  }
  double tipHalfAngle = ComputeInvolutePolarAngle(rec, ra);
  if (tipHalfAngle < 0.0) tipHalfAngle = 0.0;
  rec.tipRadius = ra;
  rec.tipThickness = 2.0 * ra * tipHalfAngle;
  if (!std::isfinite(rec.tipRadius) || !std::isfinite(rec.tipThickness)) return 0;

  std::vector<PolarPoint> flank;
  BuildInvoluteFlank(rec, pointDensity, flankStart, ra, tipHalfAngle, flank);
  AppendGearTeeth(rec, pointDensity, fillet, flank, rootArcHalfAngle, tipHalfAngle, allTeeth ? rec.teeth : 1);

  rec.valid = 1;
  ComputeInspectionDimensions(rec);
  return rec.valid;
}

}  // namespace

int BuildGearGeometry(GearRecord& rec, int pointDensity) { return BuildGearTeeth(rec, pointDensity, true); }

int BuildGearGeometryFirstTooth(GearRecord& rec, int pointDensity) {
  return BuildGearTeeth(rec, pointDensity, false);
}

int GearHasHub(const GearRecord& rec) {
  return rec.hubSide > 0 && rec.hubDiameter > 0.0 && rec.hubLength > 0.0 ? 1 : 0;
}

int GearHasKeyway(const GearRecord& rec) {
  return rec.boreDiameter > 0.0 && rec.keyWidth > 0.0 && rec.hubKeywayDepth > 0.0 &&
                 rec.boreDiameter > rec.keyWidth
             ? 1
             : 0;
}

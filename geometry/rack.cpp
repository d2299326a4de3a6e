// Rack geometry: the record, its outline from the basic rack profile, and its
// placement against the pinion.
#include "geometry/rack.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/outline_builder.h"
#include "geometry/tolerances.h"
#include "geometry/tool_rounding.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;

// Basic rack profile factors (ISO 53 profile A with the 0.38 m tip rounding).
constexpr double kRackAddendumFactor = 1.0;

}  // namespace

int BuildRackGeometry(GearRecord& rec, double m, double alphaDeg, double betaDeg,
                      int64_t hand, int64_t n, double Hp, double b, double As,
                      int pointDensity) {
  rec.outline.clear();
  rec.valid = 0;
  rec.isRack = 1;

  rec.normalModule = m;
  rec.pressureAngle = alphaDeg * kDegToRad;
  rec.helixAngle = std::fabs(betaDeg) * kDegToRad;
  rec.hand = hand == 0 ? 1 : hand;
  rec.teeth = n;
  rec.faceWidth = b;
  rec.boreDiameter = 0.0;
  rec.thicknessAllowance = As;
  rec.rackHeight = Hp;
  rec.pitchRadius = 0.0;
  rec.addendumFactor = kRackAddendumFactor;
  rec.dedendumFactor = kRackDedendumFactor;
  rec.toolTipRadiusFactor = kRackToolTipRoundingFactor;

  if (FindRackRejection(rec) != RackRejection::kNone) return 1;
  if (pointDensity < kMinPointDensity || pointDensity > kMaxPointDensity) return 1;

  const double alphaN = rec.pressureAngle;
  const double beta = rec.helixAngle;
  const double cosBeta = std::cos(beta);
  rec.transverseModule = m / cosBeta;
  rec.transversePressureAngle = std::atan(std::tan(alphaN) / cosBeta);
  const double pn = kPi * m;         // normal pitch
  const double pt = pn / cosBeta;    // transverse pitch
  const double ha = rec.addendumFactor * m;
  const double hf = rec.dedendumFactor * m;
  // Half tooth thickness on the pitch line (normal section); the allowance As
  // thins the tooth by As in all.
  const double s2 = (pn / 2.0 - As) / 2.0;

  // The rack has the cutter's shape. Where the gap is too narrow for two
  // roundings of 0.38 m (pressure angles above about 23.2 deg), the tool's
  // roundings are as large as the gap allows: they meet in its middle on the
  // root line.
  rec.toolTipRadiusFactor =
      FitToolTipRoundingFactor(rec.toolTipRadiusFactor, ComputeRackHalfGapAtRoot(rec), alphaN, m);
  const double rho = rec.toolTipRadiusFactor * m;

  // Centre of the root rounding (radius rho) that touches the root line and
  // the straight flank x = s2 - y tan alpha_n.
  const double yc = rho - hf;
  const double xc = s2 + (hf - rho) * std::tan(alphaN) + rho / std::cos(alphaN);

  // Tip: half thickness sa2 at height yt = ha; a pointed tooth ends where the
  // flanks meet, at y = s2 / tan alpha_n.
  double sa2 = s2 - ha * std::tan(alphaN);
  double yt = ha;
  rec.pointed = 0;
  if (sa2 <= 0.0) {
    rec.pointed = 1;
    sa2 = 0.0;
    yt = s2 / std::tan(alphaN);
  }
  rec.pitchThickness = 2.0 * s2 / cosBeta;
  rec.tipThickness = 2.0 * sa2 / cosBeta;

  // Fillet from the root line (i = 0) to the straight flank (i = N); the
  // transverse x is the normal x stretched by 1 / cos beta.
  const int N = 6 * pointDensity;
  std::vector<double> X(N + 1), Y(N + 1);
  for (int i = 0; i <= N; ++i) {
    const double J = 3.0 * kPi / 2.0 - (kPi / 2.0 - alphaN) * i / N;
    X[i] = (xc + rho * std::cos(J)) / cosBeta;
    Y[i] = yc + rho * std::sin(J);
  }
  // The two roundings of one gap meet at most in its middle; rounding may put
  // the root point a hair beyond it.
  if (X[0] > pt / 2.0) X[0] = pt / 2.0;

  const double L = static_cast<double>(n) * pt;
  rec.rackLength = L;
  const double xTip = sa2 / cosBeta;

  // Outline, counter-clockwise: back, right end, the teeth from right to left,
  // left end.
  OutlineAddSegment(rec, 0.0, -Hp, L, -Hp);
  OutlineAddSegment(rec, L, -Hp, L, -hf);
  for (int64_t k = n - 1; k >= 0; --k) {
    const double c = pt * (static_cast<double>(k) + 0.5);
    const double rootStart = k == n - 1 ? L : c + pt - X[0];
    OutlineAddSegment(rec, rootStart, -hf, c + X[0], -hf);

    OutlineCurve rightFillet;
    for (int i = 0; i <= N; ++i) PointListAdd(rightFillet, c + X[i], Y[i]);
    rec.outline.push_back(std::move(rightFillet));

    OutlineAddSegment(rec, c + X[N], Y[N], c + xTip, yt);
    OutlineAddSegment(rec, c + xTip, yt, c - xTip, yt);  // dropped when pointed
    OutlineAddSegment(rec, c - xTip, yt, c - X[N], Y[N]);

    OutlineCurve leftFillet;
    for (int i = N; i >= 0; --i) PointListAdd(leftFillet, c - X[i], Y[i]);
    rec.outline.push_back(std::move(leftFillet));
  }
  OutlineAddSegment(rec, pt / 2.0 - X[0], -hf, 0.0, -hf);
  OutlineAddSegment(rec, 0.0, -hf, 0.0, -Hp);

  rec.rootRadius = hf;
  rec.tipRadius = yt;
  rec.topShift = std::tan(beta) * static_cast<double>(rec.hand) * b;
  rec.valid = 1;
  return 0;
}

double ComputeRackHalfGapAtRoot(const GearRecord& rec) {
  const double m = rec.normalModule;
  const double pn = kPi * m;
  const double s2 = (pn / 2.0 - rec.thicknessAllowance) / 2.0;
  return pn / 2.0 - s2 - rec.dedendumFactor * m * std::tan(rec.pressureAngle);
}

RackRejection FindRackRejection(const GearRecord& rec) {
  const double m = rec.normalModule;
  const double alphaN = rec.pressureAngle;
  if (!(m > 0.0) || !std::isfinite(m) || rec.teeth < 1 || rec.teeth > kMaxGearTeeth) {
    return RackRejection::kInputs;
  }
  if (!(std::cos(rec.helixAngle) >= kMinHelixCosine)) return RackRejection::kInputs;
  // Straight flanks need 0 < alpha_n < 90 deg.
  if (!(alphaN > 0.0 && alphaN < kPi / 2.0)) return RackRejection::kInputs;
  if (!std::isfinite(rec.faceWidth)) return RackRejection::kInputs;
  // The back must lie below the root line.
  const double hf = rec.dedendumFactor * m;
  if (!(hf < rec.rackHeight) || !std::isfinite(rec.rackHeight)) return RackRejection::kBackAboveRoot;
  // With As >= pn / 2 no tooth is left.
  if (!((kPi * m / 2.0 - rec.thicknessAllowance) / 2.0 > 0.0)) return RackRejection::kNoTooth;
  if (!(ComputeRackHalfGapAtRoot(rec) > 0.0)) return RackRejection::kGapClosed;
  return RackRejection::kNone;
}

double ComputeRackPitchLineOffset(const GearRecord& pinion) {
  return -(pinion.pitchRadius + pinion.profileShift * pinion.normalModule);
}

double ComputeRackOffset(const GearRecord& pinion, const GearRecord& rack, double theta) {
  const double pt = kPi * rack.normalModule / std::cos(rack.helixAngle);
  const int64_t n = rack.teeth;
  const int64_t periodTeeth = n / 4 >= 1 ? n / 4 : 1;
  const double P = static_cast<double>(periodTeeth) * pt;
  if (!(P > 0.0) || !std::isfinite(P)) return 0.0;  // not a built rack

  // Travel of the pitch line, r1 theta, counted from the pinion angle -pi/2
  // (a tooth pointing straight down), then wrapped to within P / 2 of 0.
  double s = pinion.pitchRadius * (theta + kPi / 2.0);
  s -= P * std::floor((s + P / 2.0) / P);

  // Centre the rack on the pinion so that a tooth space lies at x = 0. Tooth
  // centres sit at pt (k + 0.5); shifting by whole pitches keeps that for an
  // odd number of teeth as well (half a pitch more would put a rack tooth
  // into the pinion tooth).
  return s - static_cast<double>(n / 2) * pt;
}

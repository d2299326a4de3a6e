// STEP solids of helical gears and helical ring gears: every outline curve
// swept along the helix becomes one interpolating B-spline flank surface.
//
// Twist: at height z the outline is turned by phi + k z about the gear axis,
// k = tan(beta) hand / r (rad per mm, r the pitch radius), so a right-hand
// gear (hand +1) turns counter-clockwise going up, as a right-hand screw.
// The surface of curve i is the tensor-product interpolation (The NURBS
// Book, 9.2.5) of its outline points at D axial sections: it passes through
// every outline point at every section, its v = 0 and v = 1 boundaries are
// the bottom and top profile curves, its u = 0 and u = 1 boundaries the helix
// curves through the first points of curves i and i + 1.
#include <algorithm>
#include <cmath>

#include "export/body_fault.h"
#include "export/step_bspline.h"
#include "export/step_helical_sweep.h"
#include "export/step_number.h"
#include "export/step_profile_fit.h"
#include "export/step_solids.h"
#include "geometry/tolerances.h"

int64_t StepWriteHelicalSolid(const GearRecord& gear, double x0, double y0, double phi) {
  const double b = gear.faceWidth;
  const double k = std::tan(gear.helixAngle) * static_cast<double>(gear.hand) / gear.pitchRadius;
  const double twist = k * b;  // total twist over the face width
  // A twist of several turns would need thousands of sections (a matrix of
  // D x D and a file of gigabytes); such a body is refused, not approximated.
  if (!std::isfinite(twist) || !(std::fabs(twist) <= kStepTwistPerSection * (kStepMaxAxialSections - 1))) {
    return RefuseBody(BodyFault::kTwistTooLarge);
  }
  const int64_t sections =
      std::max<int64_t>(4, static_cast<int64_t>(std::ceil(std::fabs(twist) / kStepTwistPerSection)) + 1);
  const std::size_t d = static_cast<std::size_t>(sections);

  std::vector<double> v(d), heights(d), angles(d);
  for (std::size_t j = 0; j < d; ++j) {
    v[j] = static_cast<double>(j) / static_cast<double>(d - 1);
    heights[j] = b * v[j];
    angles[j] = phi + twist * v[j];
  }
  v[d - 1] = 1.0;
  std::vector<double> axialKnots;
  std::vector<double> axialInverse;
  const int axialDegree = InterpolateBspline(sections, v, axialKnots, axialInverse);
  StepFormatKnotLists(axialKnots, sections + axialDegree + 1);
  const std::string axialMults = gStepKnotMults;
  const std::string axialKnotValues = gStepKnots;
  std::vector<double> cosines(d), sines(d);
  for (std::size_t j = 0; j < d; ++j) {
    cosines[j] = std::cos(angles[j]);
    sines[j] = std::sin(angles[j]);
  }

  // The interpolated sweep of a point (px, py) of the gear's own frame: the
  // D control points of the curve through it at every section. The first and
  // last are the section points themselves (clamped interpolation), set
  // exactly so that they match the vertices digit for digit.
  const HelicalSweep helicalSweep(axialInverse, cosines, sines, heights, x0, y0);
  const auto sweep = [&](double px, double py) { return helicalSweep.Controls(px, py); };

  StepAddEntity(kStepDirectionZ);
  StepAddEntity(kStepDirectionX);

  const std::size_t n = gear.outline.size();
  std::vector<std::vector<OutlinePoint>> curves(n);
  for (std::size_t i = 0; i < n; ++i) curves[i] = StepDistinctPoints(gear.outline[i]);

  std::vector<int64_t> bottomVertices(n + 1), topVertices(n + 1), helixEdges(n + 1);
  std::vector<int64_t> bottomEdges(n), topEdges(n);
  for (std::size_t i = 0; i < n; ++i) {
    const OutlinePoint q = curves[i].front();
    // Placed with the same products as the sweep's end sections.
    bottomVertices[i] = StepWriteVertexPoint(x0 + cosines[0] * q.x - sines[0] * q.y,
                                             y0 + sines[0] * q.x + cosines[0] * q.y, heights[0]);
    topVertices[i] = StepWriteVertexPoint(x0 + cosines[d - 1] * q.x - sines[d - 1] * q.y,
                                          y0 + sines[d - 1] * q.x + cosines[d - 1] * q.y, heights[d - 1]);
    const int64_t helix = StepWriteBsplineCurve(axialDegree, sweep(q.x, q.y), axialMults, axialKnotValues);
    helixEdges[i] = StepWriteEdgeCurve(bottomVertices[i], topVertices[i], helix);
  }
  bottomVertices[n] = bottomVertices[0];
  topVertices[n] = topVertices[0];
  helixEdges[n] = helixEdges[0];

  std::string faceList;
  for (std::size_t i = 0; i < n; ++i) {
    const std::vector<OutlinePoint>& pts = curves[i];
    const std::size_t m = pts.size();
    const StepProfileFit fit = StepFitProfile(pts);
    if (fit.degree < 0) {
      gStepNumberFault = 1;  // cannot happen with distinct points; never write a broken face
      continue;
    }
    const int profileDegree = fit.degree;
    const std::vector<OutlinePoint>& profile = fit.controls;

    // The net, row a = the sweep of profile control point a.
    std::vector<std::vector<StepPoint3>> net(m);
    std::vector<std::vector<int64_t>> rows(m);
    for (std::size_t a = 0; a < m; ++a) {
      net[a] = sweep(profile[a].x, profile[a].y);
      rows[a].reserve(d);
      for (const StepPoint3& p : net[a]) rows[a].push_back(StepWriteCartesianPoint(p[0], p[1], p[2]));
    }
    const int64_t surface = StepWriteBsplineSurface(profileDegree, axialDegree, rows, fit.mults,
                                                    fit.knotValues, axialMults, axialKnotValues);
    std::vector<StepPoint3> bottom(m), top(m);
    for (std::size_t a = 0; a < m; ++a) {
      bottom[a] = net[a].front();
      top[a] = net[a].back();
    }
    const int64_t bottomCurve = StepWriteBsplineCurve(profileDegree, bottom, fit.mults, fit.knotValues);
    const int64_t topCurve = StepWriteBsplineCurve(profileDegree, top, fit.mults, fit.knotValues);
    bottomEdges[i] = StepWriteEdgeCurve(bottomVertices[i], bottomVertices[i + 1], bottomCurve);
    topEdges[i] = StepWriteEdgeCurve(topVertices[i], topVertices[i + 1], topCurve);
    const int64_t face =
        StepWriteSideFace(bottomEdges[i], helixEdges[i + 1], topEdges[i], helixEdges[i], surface);
    StepAppendFace(faceList, face);
  }
  return StepFinishSolid(gear, x0, y0, phi, bottomEdges, topEdges, static_cast<int64_t>(n),
                         std::move(faceList));
}

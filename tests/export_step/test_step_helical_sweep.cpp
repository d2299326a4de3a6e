// The helical sweep's control points in linear work are the ones the sum
// over every section gives, as the file writes them: for points spread over
// the gear and for points whose control coordinates lie on a rounding
// boundary of the sixth decimal, where the two groupings of the sum round
// the last bits differently.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "export/step_bspline.h"
#include "export/step_helical_sweep.h"
#include "export/step_number.h"

namespace {

struct SweepCase {
  int sections;
  double twist;  // rad over the face width
  double faceWidth;
  double x0, y0;
};

struct Sections {
  std::vector<double> inverse, cosines, sines, heights;
};

Sections MakeSections(const SweepCase& c) {
  const std::size_t d = static_cast<std::size_t>(c.sections);
  Sections s;
  std::vector<double> v(d);
  for (std::size_t j = 0; j < d; ++j) v[j] = static_cast<double>(j) / static_cast<double>(d - 1);
  std::vector<double> knots;
  EXPECT_GT(InterpolateBspline(c.sections, v, knots, s.inverse), 0);
  for (std::size_t j = 0; j < d; ++j) {
    s.cosines.push_back(std::cos(0.3 + c.twist * v[j]));
    s.sines.push_back(std::sin(0.3 + c.twist * v[j]));
    s.heights.push_back(c.faceWidth * v[j]);
  }
  return s;
}

std::string Written(const std::vector<StepPoint3>& points) {
  std::string text;
  for (const StepPoint3& p : points) {
    for (double v : p) text += StepFormatCoordinate(v) + ",";
    text += "\n";
  }
  return text;
}

constexpr SweepCase kCases[] = {
    {4, 0.03, 30.0, 0.0, 0.0},
    {12, 1.0, 84.0, 141.5, -3.25},
    {60, 5.9, 200.0, -1234.5, 987.0},
    {200, 19.9, 84.0, 0.0, 0.0},
};

TEST(HelicalSweep, ControlPointsAreWrittenAsTheSumOverTheSectionsGivesThem) {
  for (const SweepCase& c : kCases) {
    const Sections s = MakeSections(c);
    const HelicalSweep sweep(s.inverse, s.cosines, s.sines, s.heights, c.x0, c.y0);
    for (int i = 0; i < 400; ++i) {
      const double angle = 0.0157 * i;
      const double radius = 0.5 + 0.37 * i;
      const double px = radius * std::cos(angle);
      const double py = radius * std::sin(angle);
      ASSERT_EQ(Written(sweep.Controls(px, py)), Written(sweep.ControlsBySum(px, py)))
          << c.sections << " sections, point " << i;
    }
  }
}

// Points whose control coordinates fall on a rounding boundary (half a unit
// of the sixth decimal): the two groupings differ in the last bits there,
// which would show in the file without the sum over the sections.
TEST(HelicalSweep, CoordinatesOnARoundingBoundaryAreWrittenAsTheSumGivesThem) {
  int onBoundary = 0;
  for (const SweepCase& c : kCases) {
    const Sections s = MakeSections(c);
    const std::size_t d = s.heights.size();
    const HelicalSweep sweep(s.inverse, s.cosines, s.sines, s.heights, 0.0, 0.0);
    for (std::size_t l = 1; l + 1 < d; ++l) {
      // x of control point l for a point (px, 0) is px times sum_j w(l, j) cos_j.
      double cosineSum = 0.0;
      for (std::size_t j = 0; j < d; ++j) cosineSum += s.inverse[l * d + j] * s.cosines[j];
      if (std::fabs(cosineSum) < 1e-3) continue;
      for (int k = 0; k < 50; ++k) {
        const double boundary = 3.0 + 0.731 * k + 0.0000005;  // ...5 in the seventh decimal
        const double px = boundary / cosineSum;
        const std::string fast = Written(sweep.Controls(px, 0.0));
        ASSERT_EQ(fast, Written(sweep.ControlsBySum(px, 0.0))) << c.sections << " sections, l " << l << ", k " << k;
        ++onBoundary;
      }
    }
  }
  EXPECT_GT(onBoundary, 1000);
}

}  // namespace

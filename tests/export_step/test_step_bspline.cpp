// B-spline interpolation, basis and knot lists of the STEP export, and the
// helical flank surfaces read back from the file and evaluated here by de
// Boor's algorithm against the outline turned by the textbook twist
// tan(beta) z / r, r = mn z / (2 cos beta).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "export/step_bspline.h"
#include "export/step_entities.h"
#include "step_test_support.h"

namespace {

using namespace step_test;
using step_reader::Point3;

// de Boor's algorithm (The NURBS Book, A3.1 in its triangular form): the
// point at t of the degree-p B-spline on the full knot vector U.
Point3 DeBoor(int p, const std::vector<double>& U, const std::vector<Point3>& P, double t) {
  const int n = static_cast<int>(P.size());
  int k = p;
  for (int i = p; i < n; ++i) {
    if (U[static_cast<std::size_t>(i)] <= t) k = i;
  }
  std::vector<Point3> d(static_cast<std::size_t>(p + 1));
  for (int j = 0; j <= p; ++j) d[static_cast<std::size_t>(j)] = P[static_cast<std::size_t>(j + k - p)];
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const double lo = U[static_cast<std::size_t>(j + k - p)];
      const double hi = U[static_cast<std::size_t>(j + 1 + k - r)];
      const double alpha = hi > lo ? (t - lo) / (hi - lo) : 0.0;
      Point3& a = d[static_cast<std::size_t>(j)];
      const Point3& b = d[static_cast<std::size_t>(j - 1)];
      a = {(1 - alpha) * b.x + alpha * a.x, (1 - alpha) * b.y + alpha * a.y, (1 - alpha) * b.z + alpha * a.z};
    }
  }
  return d[static_cast<std::size_t>(p)];
}

std::vector<double> ExpandKnots(const step_reader::Param& mults, const step_reader::Param& values) {
  std::vector<double> U;
  for (std::size_t i = 0; i < mults.items.size(); ++i) {
    for (int r = 0; r < static_cast<int>(mults.items[i].number); ++r) U.push_back(values.items[i].number);
  }
  return U;
}

std::vector<Point3> Interpolate(const std::vector<Point3>& q, const std::vector<double>& t, int& p,
                                std::vector<double>& knots) {
  std::vector<double> inverse;
  p = InterpolateBspline(static_cast<int64_t>(q.size()), t, knots, inverse);
  const std::size_t n = q.size();
  std::vector<Point3> c(n);
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t i = 0; i < n; ++i) {
      const double w = inverse[a * n + i];
      c[a].x += w * q[i].x;
      c[a].y += w * q[i].y;
      c[a].z += w * q[i].z;
    }
  }
  return c;
}

std::vector<double> ChordParameters(const std::vector<Point3>& q) {
  std::vector<double> t(q.size(), 0.0);
  for (std::size_t i = 1; i < q.size(); ++i) t[i] = t[i - 1] + step_reader::Distance(q[i], q[i - 1]);
  for (double& v : t) v /= t.back();
  t.back() = 1.0;
  return t;
}

TEST(StepBspline, DegreeAndClampedKnotsFollowThePointCount) {
  const struct {
    int n;
    int degree;
  } cases[] = {{2, 1}, {3, 2}, {4, 3}, {5, 3}, {9, 3}};
  for (const auto& c : cases) {
    std::vector<double> t(static_cast<std::size_t>(c.n));
    for (int i = 0; i < c.n; ++i) t[static_cast<std::size_t>(i)] = static_cast<double>(i * i) / ((c.n - 1.0) * (c.n - 1.0));
    std::vector<double> knots, inverse;
    EXPECT_EQ(InterpolateBspline(c.n, t, knots, inverse), c.degree) << c.n;
    ASSERT_EQ(knots.size(), static_cast<std::size_t>(c.n + c.degree + 1));
    for (int j = 0; j <= c.degree; ++j) {
      EXPECT_EQ(knots[static_cast<std::size_t>(j)], 0.0);
      EXPECT_EQ(knots[knots.size() - 1 - static_cast<std::size_t>(j)], 1.0);
    }
    // Inner knots average p consecutive parameters (The NURBS Book, eq. 9.8).
    for (int j = 1; j <= c.n - c.degree - 1; ++j) {
      double sum = 0.0;
      for (int i = j; i < j + c.degree; ++i) sum += t[static_cast<std::size_t>(i)];
      EXPECT_NEAR(knots[static_cast<std::size_t>(j + c.degree)], sum / c.degree, 1e-15);
    }
  }
}

TEST(StepBspline, BasisIsAPartitionOfUnityWithClampedEnds) {
  const std::vector<double> knots = {0, 0, 0, 0, 0.3, 0.55, 1, 1, 1, 1};
  std::vector<double> values;
  EvalBsplineBasis(3, knots, 6, 0.0, values);
  EXPECT_EQ(values, (std::vector<double>{1, 0, 0, 0, 0, 0}));
  EvalBsplineBasis(3, knots, 6, 1.0, values);
  EXPECT_EQ(values, (std::vector<double>{0, 0, 0, 0, 0, 1}));
  for (double t : {0.01, 0.3, 0.42, 0.55, 0.999}) {
    EvalBsplineBasis(3, knots, 6, t, values);
    double sum = 0.0;
    for (double v : values) {
      EXPECT_GE(v, 0.0);
      sum += v;
    }
    EXPECT_NEAR(sum, 1.0, 1e-14) << t;
  }
}

// The interpolating curve passes through every data point at its parameter
// (checked by de Boor's algorithm), and points on a line give a curve on it.
TEST(StepBspline, InterpolationPassesThroughItsPoints) {
  const std::vector<Point3> all = {{0, 0, 0}, {3, 1, 0.5}, {4, 4, 1}, {2, 6, 1.2}, {-1, 7, 2}, {-3, 5, 2.5},
                                   {-4, 2, 3}, {-2, -1, 3.1}, {1, -2, 4}};
  for (std::size_t n : {2u, 3u, 4u, 5u, 9u}) {
    const std::vector<Point3> q(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(n));
    const std::vector<double> t = ChordParameters(q);
    int p = 0;
    std::vector<double> knots;
    const std::vector<Point3> c = Interpolate(q, t, p, knots);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_LT(step_reader::Distance(DeBoor(p, knots, c, t[i]), q[i]), 1e-10) << n << " points, #" << i;
    }
  }
  // On the line (1, 2, 3) + s (2, -1, 0.5) at uneven spacing.
  std::vector<Point3> line;
  for (double s : {0.0, 0.1, 0.5, 0.6, 1.4, 2.0}) line.push_back({1 + 2 * s, 2 - s, 3 + 0.5 * s});
  int p = 0;
  std::vector<double> knots;
  for (const Point3& c : Interpolate(line, ChordParameters(line), p, knots)) {
    const double s = (c.x - 1) / 2;
    EXPECT_NEAR(c.y, 2 - s, 1e-12);
    EXPECT_NEAR(c.z, 3 + 0.5 * s, 1e-12);
  }
}

TEST(StepBspline, EqualParametersAreReportedNotInverted) {
  std::vector<double> knots, inverse;
  EXPECT_EQ(InterpolateBspline(5, {0.0, 0.4, 0.4, 0.8, 1.0}, knots, inverse), -1);
  EXPECT_TRUE(inverse.empty());
}

// The banded solve gives the control points of the interpolation itself:
// its curve passes through every point (de Boor), and it agrees with the
// control points of the full inverse, on curves of 2 to 41 points with
// uneven spacing, as the tooth outlines have them.
TEST(StepBspline, BandedSolveInterpolatesAndAgreesWithTheFullInverse) {
  for (std::size_t n : {2u, 3u, 4u, 5u, 9u, 29u, 41u}) {
    std::vector<Point3> q;
    for (std::size_t i = 0; i < n; ++i) {
      const double s = static_cast<double>(i) / static_cast<double>(n - 1);
      const double u = s * s * (3 - 2 * s);  // dense at both ends
      q.push_back({20 * std::cos(1.3 * u) + 0.3 * std::sin(17 * u), 20 * std::sin(1.3 * u), 0});
    }
    const std::vector<double> t = ChordParameters(q);
    int p = 0;
    std::vector<double> knots;
    const std::vector<Point3> full = Interpolate(q, t, p, knots);
    std::vector<std::array<double, 2>> solved;
    for (const Point3& a : q) solved.push_back({a.x, a.y});
    std::vector<double> bandKnots;
    ASSERT_EQ(SolveBsplineInterpolation(t, bandKnots, solved), p) << n;
    EXPECT_EQ(bandKnots, knots) << n;
    std::vector<Point3> controls;
    for (std::size_t a = 0; a < n; ++a) {
      controls.push_back({solved[a][0], solved[a][1], 0});
      EXPECT_NEAR(solved[a][0], full[a].x, 1e-11) << n << " points, control " << a;
      EXPECT_NEAR(solved[a][1], full[a].y, 1e-11) << n << " points, control " << a;
    }
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_LT(step_reader::Distance(DeBoor(p, knots, controls, t[i]), q[i]), 1e-11) << n << " points, #" << i;
    }
  }
}

TEST(StepBspline, BandedSolveReportsEqualParameters) {
  std::vector<std::array<double, 2>> points = {{0, 0}, {1, 0}, {1, 0}, {2, 1}, {3, 1}};
  std::vector<double> knots;
  EXPECT_EQ(SolveBsplineInterpolation({0.0, 0.4, 0.4, 0.8, 1.0}, knots, points), -1);
}

TEST(StepBspline, KnotListsMergeEqualKnots) {
  StepFormatKnotLists({0, 0, 0, 0, 0.375, 1, 1, 1, 1}, 9);
  EXPECT_EQ(gStepKnotMults, "4,1,4");
  EXPECT_EQ(gStepKnots, "0.0000000000,0.3750000000,1.0000000000");
  StepFormatKnotLists({0, 0, 0.5, 0.5 + 1e-13, 1, 1}, 6);
  EXPECT_EQ(gStepKnotMults, "2,2,2");
  EXPECT_EQ(gStepKnots, "0.0000000000,0.5000000000,1.0000000000");
  StepFormatKnotLists({0, 0, 1, 1}, 4);
  EXPECT_EQ(gStepKnotMults, "2,2");
}

// Helical gear of total twist Theta = tan(beta) b / r: face width chosen here
// for a wanted twist.
GearRecord HelicalWithTwist(double twist, int64_t hand = 1) {
  const double m = 2.0, beta = 20.0;
  const int64_t z = 23;
  const double r = m * static_cast<double>(z) / (2.0 * std::cos(Rad(beta)));
  return MakeGear(m, z, 0.0, beta, hand, twist * r / std::tan(Rad(beta)));
}

// One axial section per started 0.1 rad of twist plus one, at least four.
TEST(StepHelical, AxialSectionsFollowTheTwist) {
  const struct {
    double twist;
    std::size_t sections;
  } cases[] = {{0.05, 4}, {0.2, 4}, {0.25, 4}, {0.31, 5}, {0.45, 6}, {1.05, 12}};
  for (const auto& c : cases) {
    const Written w = WriteAndRead("sections.stp", HelicalWithTwist(c.twist), 0.0);
    ASSERT_EQ(w.result, 1);
    const std::vector<int64_t> surfaces = IdsOf(w.file, "B_SPLINE_SURFACE_WITH_KNOTS");
    ASSERT_FALSE(surfaces.empty());
    const auto& rows = w.file.entities.at(surfaces[0]).args.at(3).items;
    EXPECT_EQ(rows.at(0).items.size(), c.sections) << c.twist;
  }
}

// Each flank surface passes through the outline points at every axial
// section, turned by phi + Theta v at height b v; between the sections the
// helix edges stay on the true helix.
TEST(StepHelical, FlankSurfacesFollowTheTwistedOutline) {
  for (int64_t hand : {1, -1}) {
    const GearRecord gear = HelicalWithTwist(0.45, hand);
    const double phi = 0.3;
    const Written w = WriteAndRead("flanks.stp", gear, phi);
    ASSERT_EQ(w.result, 1);
    const double b = gear.faceWidth;
    const double twist = 0.45 * static_cast<double>(hand);
    const auto& shell =
        w.file.entities.at(w.file.entities.at(IdsOf(w.file, "MANIFOLD_SOLID_BREP").at(0)).args.at(1).ref);
    const auto& faces = shell.args.at(1).items;
    step_reader::Model m(w.file);
    double worst = 0.0;
    double worstHelix = 0.0;
    for (std::size_t i = 0; i < gear.outline.size(); i += 7) {
      const auto& surface = w.file.entities.at(w.file.entities.at(faces.at(i).ref).args.at(2).ref);
      ASSERT_EQ(surface.name, "B_SPLINE_SURFACE_WITH_KNOTS");
      const int pu = static_cast<int>(surface.args[1].number);
      const int pv = static_cast<int>(surface.args[2].number);
      const std::vector<double> U = ExpandKnots(surface.args[8], surface.args[10]);
      const std::vector<double> V = ExpandKnots(surface.args[9], surface.args[11]);
      std::vector<std::vector<Point3>> net;
      for (const auto& row : surface.args[3].items) {
        net.emplace_back();
        for (const auto& ref : row.items) net.back().push_back(m.PointOf(ref.ref));
      }
      const std::size_t sections = net[0].size();
      std::vector<Point3> profile;
      for (const OutlinePoint& q : gear.outline[i].points) profile.push_back({q.x, q.y, 0.0});
      const std::vector<double> s = ChordParameters(profile);
      for (std::size_t j = 0; j < sections; ++j) {
        const double v = static_cast<double>(j) / static_cast<double>(sections - 1);
        // Surface point at (s_q, v): de Boor along v for every row, then along u.
        std::vector<Point3> column;
        for (const auto& row : net) column.push_back(DeBoor(pv, V, row, v));
        const double angle = phi + twist * v;
        for (std::size_t q = 0; q < profile.size(); ++q) {
          const Point3 want{std::cos(angle) * profile[q].x - std::sin(angle) * profile[q].y,
                            std::sin(angle) * profile[q].x + std::cos(angle) * profile[q].y, b * v};
          worst = std::max(worst, step_reader::Distance(DeBoor(pu, U, column, s[q]), want));
        }
      }
      // The u = 0 boundary between the sections: on the helix of the first point.
      const Point3 q0 = profile[0];
      for (double v = 0.05; v < 1.0; v += 0.1) {
        const Point3 p = DeBoor(pv, V, net[0], v);
        const double angle = phi + twist * p.z / b;
        const Point3 want{std::cos(angle) * q0.x - std::sin(angle) * q0.y,
                          std::sin(angle) * q0.x + std::cos(angle) * q0.y, p.z};
        worstHelix = std::max(worstHelix, step_reader::Distance(p, want));
      }
    }
    EXPECT_LT(worst, 5e-6) << "hand " << hand;
    EXPECT_LT(worstHelix, 1e-4) << "hand " << hand;
  }
}

// A repeated outline point would give two equal chord parameters and a
// singular interpolation (NaN in the file); it is dropped and the solid stays
// closed.
TEST(StepHelical, RepeatedOutlinePointIsDropped) {
  GearRecord gear = HelicalWithTwist(0.3);
  auto& pts = gear.outline[3].points;
  ASSERT_GE(pts.size(), 4u);
  pts.insert(pts.begin() + 2, pts[2]);
  const Written w = WriteAndRead("repeated.stp", gear, 0.0);
  ASSERT_EQ(w.result, 1);
  const auto faults = step_checks::CheckFileWide(w.file);
  EXPECT_TRUE(faults.empty()) << faults.front();
  const auto s = step_checks::CheckSolid(w.file, IdsOf(w.file, "MANIFOLD_SOLID_BREP").at(0));
  EXPECT_TRUE(s.faults.empty());
  EXPECT_EQ(s.genus, 0);
  EXPECT_EQ(w.bytes.find("NaN"), std::string::npos);
}

// A twist of several turns would need thousands of sections and a file of
// gigabytes: refused (0, no file) instead of hanging the program.
TEST(StepHelical, ExcessiveTwistIsRefused) {
  const GearRecord gear = HelicalWithTwist(25.0);
  ASSERT_EQ(gear.valid, 1);
  EXPECT_EQ(WriteAndRead("twisted.stp", gear, 0.0).result, 0);
  EXPECT_EQ(WriteAndRead("twisted_ok.stp", HelicalWithTwist(19.0), 0.0).result, 1);
}

// Curves of 3 and 2 points give flank surfaces of degrees (2, 3) and (1, 3);
// the first and last rows of every flank's net are the control points of
// the helix edges through its curve's first point and the next curve's.
TEST(StepHelical, ShortCurvesAndSharedHelixRows) {
  GearRecord gear = HelicalWithTwist(0.3);
  auto& three = gear.outline[1].points;
  ASSERT_GE(three.size(), 5u);
  three = {three.front(), three[three.size() / 2], three.back()};
  auto& two = gear.outline[2].points;
  two = {two.front(), two.back()};
  const Written w = WriteAndRead("short_curves.stp", gear, 0.2);
  ASSERT_EQ(w.result, 1);
  const auto solid = IdsOf(w.file, "MANIFOLD_SOLID_BREP").at(0);
  const auto summary = step_checks::CheckSolid(w.file, solid);
  EXPECT_TRUE(summary.faults.empty());
  const auto& faces = w.file.entities.at(w.file.entities.at(solid).args.at(1).ref).args.at(1).items;
  const auto surfaceOf = [&](std::size_t i) -> const step_reader::Entity& {
    return w.file.entities.at(w.file.entities.at(faces.at(i).ref).args.at(2).ref);
  };
  EXPECT_EQ(surfaceOf(1).args[1].number, 2);
  EXPECT_EQ(surfaceOf(1).args[2].number, 3);
  EXPECT_EQ(surfaceOf(1).args[8].items.size(), 2u);  // u multiplicities 3,3
  EXPECT_EQ(surfaceOf(1).args[8].items[0].number, 3);
  EXPECT_EQ(surfaceOf(2).args[1].number, 1);
  EXPECT_EQ(surfaceOf(2).args[8].items[0].number, 2);

  // Face i's loop: bottom edge, helix i+1 (.T.), top edge, helix i (.F.).
  step_reader::Model m(w.file);
  for (std::size_t i = 0; i < gear.outline.size(); i += 5) {
    const auto& face = w.file.entities.at(faces.at(i).ref);
    const auto& loop = m.Get(m.GetAny(face.args.at(1).items.at(0).ref).args.at(1).ref, "EDGE_LOOP");
    const auto helixControl = [&](std::size_t k) {
      const auto& edge = m.Get(m.GetAny(loop.args.at(1).items.at(k).ref).args.at(3).ref, "EDGE_CURVE");
      return m.Get(edge.args.at(3).ref, "B_SPLINE_CURVE_WITH_KNOTS").args.at(2).items;
    };
    const auto& rows = surfaceOf(i).args.at(3).items;
    const auto next = helixControl(1);
    const auto own = helixControl(3);
    ASSERT_EQ(rows.front().items.size(), own.size());
    for (std::size_t l = 0; l < own.size(); ++l) {
      EXPECT_LT(step_reader::Distance(m.PointOf(rows.front().items[l].ref), m.PointOf(own[l].ref)), 1e-9);
      EXPECT_LT(step_reader::Distance(m.PointOf(rows.back().items[l].ref), m.PointOf(next[l].ref)), 1e-9);
    }
  }
}

}  // namespace

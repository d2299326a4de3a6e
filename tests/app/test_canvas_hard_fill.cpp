// The hard-edged fill that writes the gear bodies straight into the canvas
// image: a small case worked by hand, and pixel for pixel the same as Qt's own
// aliased even-odd fill of the same polygons (an independent rasteriser) for
// random polygons, with holes and overlaps, across the image's borders, at
// device scale 1 and 2.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "platform/canvas_hard_fill.h"

namespace {

constexpr std::uint32_t kPaper = 0xfffafafcu;
constexpr std::uint32_t kInk = 0xff8cafdcu;

FillTarget TargetOf(QImage& image) {
  FillTarget t;
  t.pixels = reinterpret_cast<std::uint32_t*>(image.bits());
  t.width = image.width();
  t.height = image.height();
  t.stride = image.bytesPerLine() / 4;
  return t;
}

QImage Paper(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(kPaper);
  return image;
}

// A pixel is filled when its centre lies inside: a square from 1.2 to 4.2
// holds the centres 1.5, 2.5 and 3.5; the square from 2.2 to 3.2 inside it is
// a hole (even-odd) over the centre 2.5 alone. A centre exactly on an edge
// counts as inside on the right and bottom edges, outside on the left and top
// ones, so that two polygons sharing an edge never both fill a pixel.
TEST(CanvasHardFill, FillsThePixelsWhoseCentresLieInside) {
  QImage image = Paper(8, 8);
  const std::vector<PathPoint> points = {{1.2, 1.2}, {4.2, 1.2}, {4.2, 4.2}, {1.2, 4.2},
                                         {2.2, 2.2}, {3.2, 2.2}, {3.2, 3.2}, {2.2, 3.2}};
  const std::vector<FillRing> rings = {{0, 4}, {4, 4}};
  ASSERT_TRUE(FillRingsHard(TargetOf(image), points, rings, 1.0, kInk));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inOuter = x >= 1 && x <= 3 && y >= 1 && y <= 3;
      const bool inHole = x == 2 && y == 2;
      EXPECT_EQ(image.pixel(x, y), (inOuter && !inHole) ? kInk : kPaper) << x << "," << y;
    }
  }
  // At device scale 2: the square from 2.4 to 8.4 holds the centres 2.5 to
  // 7.5, its hole from 4.4 to 6.4 those of 4.5 and 5.5.
  QImage doubled = Paper(16, 16);
  ASSERT_TRUE(FillRingsHard(TargetOf(doubled), points, rings, 2.0, kInk));
  for (int d = 0; d < 10; ++d) {
    const bool inside = d >= 2 && d <= 7 && !(d == 4 || d == 5);
    EXPECT_EQ(doubled.pixel(d, d), inside ? kInk : kPaper) << "diagonal pixel " << d;
  }
  // Centres on the edges of a square from 1.5 to 4.5: those of 2.5, 3.5, 4.5.
  QImage edges = Paper(8, 8);
  ASSERT_TRUE(FillRingsHard(TargetOf(edges), {{1.5, 1.5}, {4.5, 1.5}, {4.5, 4.5}, {1.5, 4.5}}, {{0, 4}}, 1.0, kInk));
  for (int d = 0; d < 8; ++d) EXPECT_EQ(edges.pixel(d, 3), d >= 2 && d <= 4 ? kInk : kPaper) << "row 3 pixel " << d;
  for (int d = 0; d < 8; ++d) EXPECT_EQ(edges.pixel(3, d), d >= 2 && d <= 4 ? kInk : kPaper) << "column 3 pixel " << d;
}

TEST(CanvasHardFill, FarOutOrNotFinitePointsAreLeftToTheCaller) {
  QImage image = Paper(4, 4);
  const std::vector<FillRing> ring = {{0, 3}};
  EXPECT_FALSE(FillRingsHard(TargetOf(image), {{0, 0}, {3e6, 0}, {0, 3}}, ring, 1.0, kInk));
  EXPECT_FALSE(FillRingsHard(TargetOf(image), {{0, 0}, {NAN, 0}, {0, 3}}, ring, 1.0, kInk));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.pixel(x, y), kPaper);
  }
}

TEST(CanvasHardFill, MatchesQtsAliasedFillPixelForPixel) {
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int round = 0; round < 120; ++round) {
    const double scale = round % 2 == 0 ? 1.0 : 2.0;
    const int w = static_cast<int>(90 * scale);
    const int h = static_cast<int>(70 * scale);
    std::vector<PathPoint> points;
    std::vector<FillRing> rings;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (int r = 0; r < 1 + round % 3; ++r) {
      // A star-shaped ring about a centre that may lie outside the image.
      const int n = 3 + static_cast<int>(rng() % 60);
      const double cx = unit(rng) * 110.0 - 10.0;
      const double cy = unit(rng) * 90.0 - 10.0;
      const double radius = 4.0 + unit(rng) * 50.0;
      FillRing ring{points.size(), static_cast<std::size_t>(n)};
      QPolygonF polygon;
      for (int i = 0; i < n; ++i) {
        const double a = 2.0 * std::numbers::pi * i / n;
        const double rr = radius * (0.5 + 0.5 * unit(rng));
        double x = cx + rr * std::cos(a);
        double y = cy + rr * std::sin(a);
        if (round % 5 == 0) {  // corners on half pixels: edges through pixel centres
          x = std::round(2.0 * x) / 2.0;
          y = std::round(2.0 * y) / 2.0;
        }
        points.push_back({x, y});
        polygon << QPointF(x, y);
      }
      rings.push_back(ring);
      path.addPolygon(polygon);
      path.closeSubpath();
    }
    QImage expected = Paper(w, h);
    {
      QPainter painter(&expected);
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.scale(scale, scale);
      painter.fillPath(path, QColor::fromRgba(kInk));
    }
    QImage got = Paper(w, h);
    ASSERT_TRUE(FillRingsHard(TargetOf(got), points, rings, scale, kInk));
    int differing = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) differing += got.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0) << "round " << round;
  }
}

}  // namespace

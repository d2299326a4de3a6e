// Even-odd scanline fill sampled at pixel centres, in 26.6 and 16.16 fixed
// point (see the header).
#include "platform/canvas_hard_fill.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "platform/canvas_bands.h"

namespace {

std::vector<FillEdgeLine> gSorted;
std::vector<std::size_t> gRowStarts;
HardFillPlan gPlan;
std::array<HardFillScratch, kMaxRowBands> gBandScratch;

// Rows per band at least: below that, handing out the bands costs more than
// the rows.
constexpr int kMinBandRows = 64;

constexpr double kCoordinateLimit = 1.0e6;

// A coordinate in 1/64 pixel, rounded to the nearest.
std::int64_t ToGrid(double v) { return std::llround(v * 64.0); }

// Adds the edge from a to b (1/64 pixel) when it crosses a row centre within
// rows [0, height).
void AddEdge(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, int height,
             std::vector<FillEdgeLine>* edges) {
  if (ay > by) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  // Rows whose centre line y + 1/2 lies in [ay, by): (ay + 32) >> 6 to (by - 32) >> 6.
  const std::int64_t top = std::max<std::int64_t>(0, (ay + 32) >> 6);
  const std::int64_t bottom = std::min<std::int64_t>(height - 1, (by - 32) >> 6);
  if (top > bottom) return;
  FillEdgeLine e;
  e.top = static_cast<int>(top);
  e.bottom = static_cast<int>(bottom);
  const std::int64_t start = 32768 + ax * 1024;  // x + 1/2 pixel in 16.16
  if (bx == ax) {
    e.x = start;
    e.step = 0;
  } else {
    const double slope = static_cast<double>(bx - ax) / static_cast<double>(by - ay);
    e.step = static_cast<std::int64_t>(slope * 65536.0);
    e.x = start + ((e.step * (top * 65536 + 32768 - ay * 1024)) >> 16);
  }
  edges->push_back(e);
}

// Writes the colour into pixels [from, to) of a row, 16 bytes at a time
// (a plain loop stores one pixel a cycle, and a gear body is millions of
// pixels at device scale 2).
void FillSpan(std::uint32_t* row, std::int64_t from, std::int64_t to, int width, std::uint32_t colour) {
  from = std::max<std::int64_t>(from, 0);
  to = std::min<std::int64_t>(to, width);
  std::uint32_t* p = row + from;
  std::uint32_t* const end = row + std::max(from, to);
  const std::uint32_t quad[4] = {colour, colour, colour, colour};
  for (; end - p >= 8; p += 8) {
    std::memcpy(p, quad, sizeof quad);
    std::memcpy(p + 4, quad, sizeof quad);
  }
  for (; end - p >= 4; p += 4) std::memcpy(p, quad, sizeof quad);
  for (; p < end; ++p) *p = colour;
}

}  // namespace

bool PrepareHardFill(int height, const std::vector<PathPoint>& points, const std::vector<FillRing>& rings,
                     double scale, HardFillPlan* plan) {
  std::vector<FillEdgeLine>& edges = plan->edges;
  edges.clear();
  if (height <= 0) return true;
  for (const FillRing& ring : rings) {
    for (std::size_t i = ring.first; i < ring.first + ring.count; ++i) {
      const double x = points[i].x * scale;
      const double y = points[i].y * scale;
      if (!(std::abs(x) <= kCoordinateLimit) || !(std::abs(y) <= kCoordinateLimit)) return false;
    }
  }
  for (const FillRing& ring : rings) {
    if (ring.count < 2) continue;
    const PathPoint* p = points.data() + ring.first;
    std::int64_t lastX = ToGrid(p[ring.count - 1].x * scale);
    std::int64_t lastY = ToGrid(p[ring.count - 1].y * scale);
    for (std::size_t i = 0; i < ring.count; ++i) {
      const std::int64_t x = ToGrid(p[i].x * scale);
      const std::int64_t y = ToGrid(p[i].y * scale);
      AddEdge(lastX, lastY, x, y, height, &edges);
      lastX = x;
      lastY = y;
    }
  }
  if (edges.empty()) return true;
  // The edges in the order of their first row (a counting sort: there are
  // thousands of edges and at most a few thousand rows).
  gRowStarts.assign(static_cast<std::size_t>(height) + 1, 0);
  for (const FillEdgeLine& e : edges) ++gRowStarts[static_cast<std::size_t>(e.top) + 1];
  for (std::size_t r = 1; r < gRowStarts.size(); ++r) gRowStarts[r] += gRowStarts[r - 1];
  gSorted.resize(edges.size());
  for (const FillEdgeLine& e : edges) gSorted[gRowStarts[static_cast<std::size_t>(e.top)]++] = e;
  edges.swap(gSorted);
  return true;
}

void FillHardRows(const FillTarget& target, const HardFillPlan& plan, int top, int bottom, std::uint32_t colour,
                  HardFillScratch* scratch) {
  const std::vector<FillEdgeLine>& edges = plan.edges;
  if (target.pixels == nullptr || edges.empty()) return;
  top = std::max({top, edges.front().top, target.firstRow});
  bottom = std::min(bottom, target.height);
  std::vector<const FillEdgeLine*>& active = scratch->active;
  std::vector<std::int64_t>& crossings = scratch->crossings;
  active.clear();
  // The edges begun above these rows that reach into them.
  std::size_t next = static_cast<std::size_t>(
      std::lower_bound(edges.begin(), edges.end(), top, [](const FillEdgeLine& e, int row) { return e.top < row; }) -
      edges.begin());
  for (std::size_t i = 0; i < next; ++i) {
    if (edges[i].bottom >= top) active.push_back(&edges[i]);
  }
  // Each crossing lies within [0, width] pixels: an edge left of the buffer
  // counts from its left end, one right of it from its right end.
  const std::int64_t right = static_cast<std::int64_t>(target.width) << 16;
  for (int y = top; y < bottom; ++y) {
    while (next < edges.size() && edges[next].top == y) active.push_back(&edges[next++]);
    if (active.empty()) {
      if (next == edges.size()) break;
      continue;
    }
    crossings.clear();
    for (const FillEdgeLine* e : active) {
      const std::int64_t x = std::clamp<std::int64_t>(e->x + e->step * (y - e->top), 0, right);
      crossings.push_back(x >> 16);
    }
    // A row crosses few edges, mostly in the order of the row before.
    for (std::size_t i = 1; i < crossings.size(); ++i) {
      const std::int64_t x = crossings[i];
      std::size_t j = i;
      for (; j > 0 && crossings[j - 1] > x; --j) crossings[j] = crossings[j - 1];
      crossings[j] = x;
    }
    std::uint32_t* row = target.pixels + static_cast<std::ptrdiff_t>(y - target.firstRow) * target.stride;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      FillSpan(row, crossings[i], crossings[i + 1], target.width, colour);
    }
    active.erase(std::remove_if(active.begin(), active.end(), [y](const FillEdgeLine* e) { return e->bottom == y; }),
                 active.end());
  }
}

bool FillRingsHard(const FillTarget& target, const std::vector<PathPoint>& points,
                   const std::vector<FillRing>& rings, double scale, std::uint32_t colour) {
  if (target.pixels == nullptr || target.width <= 0 || target.height <= 0) return true;
  if (!PrepareHardFill(target.height, points, rings, scale, &gPlan)) return false;
  FillHardRows(target, gPlan, 0, target.height, colour, &gBandScratch[0]);
  return true;
}

void FillHardInBands(const FillTarget& target, const HardFillPlan& plan, std::uint32_t colour) {
  if (target.pixels == nullptr || plan.edges.empty()) return;
  const int firstRow = std::max(plan.edges.front().top, target.firstRow);
  RunInRowBands(target.height - firstRow, kMinBandRows, [&](int band, int top, int bottom) {
    FillHardRows(target, plan, firstRow + top, firstRow + bottom, colour, &gBandScratch[static_cast<std::size_t>(band)]);
  });
}

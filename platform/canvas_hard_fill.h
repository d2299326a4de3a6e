// Hard-edged (not antialiased) even-odd fill of polygons straight into a
// 32-bit pixel buffer. Plain data, no Qt.
//
// A pixel is filled when its centre lies inside, sampled as the raster paint
// engine samples an aliased fill: the corners on a 1/64 pixel grid, each edge
// crossing a pixel row at its centre line, the crossing found in 16.16 fixed
// point, and the pixels from the one whose centre a crossing passes on. The
// frame's gear bodies are filled this way many times faster than through a
// painter path (they are polygons of thousands of corners).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/canvas_path.h"

// A pixel buffer of rows [0, height), `stride` pixels from one row to the
// next, of which rows [firstRow, height) are held from `pixels` on (a band's
// buffer holds only some of them).
struct FillTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
  int firstRow = 0;
};

// One closed polygon: points [first, first + count) of the point list, the
// last joined back to the first.
struct FillRing {
  std::size_t first = 0;
  std::size_t count = 0;
};

// An edge crossing the pixel rows [top, bottom]: its crossing of row `top`'s
// centre line at x (16.16, plus half a pixel) and the change per row.
struct FillEdgeLine {
  std::int64_t x = 0;
  std::int64_t step = 0;
  int top = 0;
  int bottom = 0;
};

// A fill made ready for its rows: the edges in the order of their first row.
struct HardFillPlan {
  std::vector<FillEdgeLine> edges;
};

// Working lists of a fill of some rows, kept from fill to fill.
struct HardFillScratch {
  std::vector<const FillEdgeLine*> active;
  std::vector<std::int64_t> crossings;
};

// Makes the fill of the rings ready for a buffer `height` rows high (see
// FillRingsHard); false as FillRingsHard gives false.
bool PrepareHardFill(int height, const std::vector<PathPoint>& points, const std::vector<FillRing>& rings,
                     double scale, HardFillPlan* plan);
// Fills rows [top, bottom) of the target (rows the target holds) as the
// whole fill would.
void FillHardRows(const FillTarget& target, const HardFillPlan& plan, int top, int bottom, std::uint32_t colour,
                  HardFillScratch* scratch);

// Fills every row of the target as the whole fill would, in row bands side
// by side (platform/canvas_bands.h). Not from inside a band's work.
void FillHardInBands(const FillTarget& target, const HardFillPlan& plan, std::uint32_t colour);

// Fills the rings (device pixels; x right, y down) with the even-odd rule in
// the colour 0xAARRGGBB, written as it stands. Points that are not finite, or
// lie more than a million pixels out, leave the buffer untouched and give
// false (the caller then fills another way).
bool FillRingsHard(const FillTarget& target, const std::vector<PathPoint>& points,
                   const std::vector<FillRing>& rings, double scale, std::uint32_t colour);

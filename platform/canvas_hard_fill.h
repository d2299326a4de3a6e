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

// A pixel buffer: `stride` pixels from one row to the next.
struct FillTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;
};

// One closed polygon: points [first, first + count) of the point list, the
// last joined back to the first.
struct FillRing {
  std::size_t first = 0;
  std::size_t count = 0;
};

// Fills the rings (device pixels; x right, y down) with the even-odd rule in
// the colour 0xAARRGGBB, written as it stands. Points that are not finite, or
// lie more than a million pixels out, leave the buffer untouched and give
// false (the caller then fills another way).
bool FillRingsHard(const FillTarget& target, const std::vector<PathPoint>& points,
                   const std::vector<FillRing>& rings, double scale, std::uint32_t colour);

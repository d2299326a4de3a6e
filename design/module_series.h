// The DIN 780 module series (mm), each ended by the mark -1.
#pragma once

#include <array>

// Series 1 (preferred) and series 2 (non-preferred), 34 modules each. A reader
// walks from the first value and stops at the first negative one.
extern const std::array<double, 35> ModuleSeries1;
extern const std::array<double, 35> ModuleSeries2;

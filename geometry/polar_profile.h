// A gear's outline as radius over the angle folded to the nearest tooth
// centre line, for the interference test of the internal pair.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/gear_record.h"

struct PolarTableEntry {
  double angle = 0.0;   // folded angle, 0 .. pitchAngle / 2
  double radius = 0.0;
};

struct PolarProfileTable {
  int64_t count = 0;
  double pitchAngle = 0.0;  // 2 pi / z
  std::vector<PolarTableEntry> entries;  // sorted by ascending angle
};

// Fills table from rec.outline (all points of all curves). Returns 0.
int BuildPolarProfileTable(const GearRecord& rec, PolarProfileTable& table);

// The profile radius at a folded angle by linear interpolation; writes
// d radius / d angle to slopeOut. Outside the table: the end radius, slope 0.
// An empty table gives 0 with slope 0.
double InterpolatePolarTable(const PolarProfileTable& table, double angle, double& slopeOut);

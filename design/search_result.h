// One row of a module search result (pair or internal pair).
#pragma once

#include <cstdint>

struct SearchResultRow {
  double module = 0.0;          // normal module m in mm (DIN 780 series 1 or 2)
  int64_t teeth1 = 0;           // z1, gear 1 / pinion
  int64_t teeth2 = 0;           // z2, gear 2 / ring gear
  double helixAngleDeg = 0.0;   // helix angle beta of the row, degrees
  double ratio = 0.0;           // actual ratio z2 / z1
  double ratioDeviation = 0.0;  // (ratio - wanted i) / wanted i * 100, signed, %
  double shiftSum = 0.0;        // pair: x1 + x2; internal pair: x2 - x1
  double sortKey = 0.0;         // |shiftSum| + 10000 m + 0.001 beta; lists sort ascending on it
};

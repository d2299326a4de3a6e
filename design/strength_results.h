// The result of the indicative strength calculation (filled while the strength
// window is shown). The calculation adds its factors and per-gear values here.
#pragma once

#include <cstdint>
#include <string>

struct StrengthResults {
  int64_t valid = 0;    // 1 after a successful calculation
  std::string message;  // why the calculation stopped, when valid is 0
};

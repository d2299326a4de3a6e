// One binding of a control to a group and key of the project file.
#pragma once

#include <cstdint>
#include <string>

struct ProjectField {
  std::string section;  // group name, e.g. "Paar"
  std::string key;      // key name, e.g. "hartafstand"
  int64_t gadget = 0;   // control number
  int64_t kind = 0;     // 0 = the control's text, 1 = its integer state
};

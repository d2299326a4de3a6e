// Setting and checking the hub and keyway of an external gear from the
// choices of the hub-and-keyway window.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"

// Keyway choice (combo 114 + 7k).
enum KeywayKind : int64_t {
  kKeywayNone = 0,
  kKeywayDin6885 = 1,  // standard parallel-key keyway, sized from the bore
  kKeywayCustom = 2,   // width and depth as entered
};

// The window's inputs of one gear, as read from its controls. Lengths in mm;
// a diameter of 0 asks for an automatic hub diameter.
struct HubKeywayInputs {
  int64_t keywayKind = kKeywayNone;
  double keyWidth = 0.0;     // custom keyway width b
  double keyDepth = 0.0;     // custom keyway depth t2 in the hub, from the bore
  int64_t hubSide = 0;       // 0 none, 1 left, 2 right, 3 both sides
  double hubDiameter = 0.0;  // D; 0 = automatic
  double hubLength = 0.0;    // L outside the gear, per side
};

// Rewrites every hub and keyway field of record (and its warnings) from the
// inputs and checks them. A record that is not valid, a ring gear or a rack
// gets no hub and no keyway. Reads no control.
void ApplyHubKeywayInputs(GearRecord& record, const HubKeywayInputs& inputs);

// Reads the hub-and-keyway controls of gear k (0: gear 1 / pinion, 1: gear 2),
// enables the custom width and depth fields only for a custom keyway, applies
// them to record, and shows the sizes of a standard keyway in the width and
// depth fields. Called by the tab compute drivers right after the gear is built.
void ApplyHubAndKeyway(GearRecord& record, int64_t k);

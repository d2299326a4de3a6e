// The rack of the pinion-and-rack mesh: its record, outline and placement.
//
// Rack frame (model mm, y up): x runs along the rack from 0 (left end) to the
// length L = n pt; y = 0 is the pitch line, the teeth point towards +y and the
// back lies at y = -Hp. Tooth k (0 .. n-1) is centred at x = pt (k + 0.5).
// In the pinion's frame the rack is drawn shifted by
// (ComputeRackOffset, ComputeRackPitchLineOffset), without rotation.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"
#include "geometry/tool_rounding.h"

// Tip rounding of the basic rack's cutter, in modules (ISO 53 profile A). A
// rack whose tooth gap is too narrow for it is built with the largest rounding
// that fits, and its toolTipRadiusFactor then holds that smaller factor.
inline constexpr double kRackToolTipRoundingFactor = kToolTipRoundingFactor;
// Dedendum of the basic rack, in modules: the rack's root line lies this far
// below its pitch line, so its height Hp must exceed it.
inline constexpr double kRackDedendumFactor = 1.25;

// Why BuildRackGeometry rejects a rack, found from the inputs it stored.
enum class RackRejection {
  kNone,          // the inputs describe a rack
  kInputs,        // module, teeth, pressure or helix angle or face width out of range
  kBackAboveRoot, // Hp does not exceed the dedendum hf
  kNoTooth,       // the thickness allowance removes the whole tooth
  kGapClosed,     // the flanks of a gap meet above the root line: no rounding fits
};

// The reason a rack with these stored inputs (normalModule, teeth,
// pressureAngle, helixAngle, faceWidth, rackHeight, thicknessAllowance and
// the basic rack factors) cannot be built; kNone when it can.
RackRejection FindRackRejection(const GearRecord& rec);

// Half the width of a tooth gap on the root line between the straight flanks
// (normal section): pn / 2 - s2 - hf tan alpha_n, with the half tooth
// thickness s2 = (pn / 2 - As) / 2 on the pitch line.
double ComputeRackHalfGapAtRoot(const GearRecord& rec);

// Fills rec as a rack (isRack = 1) of n teeth, module m, normal pressure angle
// alphaDeg, helix angle |betaDeg|, hand (0 = +1), height Hp from the back to
// the pitch line, face width b and thickness allowance As (the tooth is As
// thinner on the pitch line), and builds its closed counter-clockwise outline
// at pointDensity (1 display, 4 DXF, 16 STL). Returns 0 when built, 1 when
// rejected (valid = 0, empty outline).
int BuildRackGeometry(GearRecord& rec, double m, double alphaDeg, double betaDeg,
                      int64_t hand, int64_t n, double Hp, double b, double As,
                      int pointDensity);

// y of the rack's pitch line in the pinion's frame: -(r1 + x1 m1), with the
// pinion's nominal profile shift (the rack lies below the pinion).
double ComputeRackPitchLineOffset(const GearRecord& pinion);

// x by which the rack is shifted in the pinion's frame when the pinion is
// turned by theta (rad): the rack travels r1 theta and steps back by whole
// multiples of max(1, n div 4) pitches so that it stays in view. At theta =
// -pi/2 a tooth space of the rack is centred on x = 0 (under a pinion tooth
// pointing down), for odd and even n alike.
double ComputeRackOffset(const GearRecord& pinion, const GearRecord& rack, double theta);

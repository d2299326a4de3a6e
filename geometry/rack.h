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

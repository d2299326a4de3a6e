// Setting up and building an external gear (spur or helical): transverse
// values, circles, thicknesses, undercut and pointed-tooth checks, outline and
// inspection dimensions.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"

// Fills the input fields of rec (angles given in degrees). Touches neither the
// outline, the valid flag, the rack and ring flags nor the warnings. Returns 0.
int InitGearRecord(GearRecord& rec, double m, int64_t z, double x, double alphaDeg, double b,
                   double bore, double k, double betaDeg, int64_t hand);

// Computes the derived fields and the closed tooth outline at the given point
// density (1 display, 3 interference copies, 4 DXF, 8 strength, 16 STL), then
// the inspection dimensions. A rejected input leaves valid = 0 and an empty
// outline. Returns valid.
int BuildGearGeometry(GearRecord& rec, int pointDensity);

// As BuildGearGeometry, but rec.outline holds the curves of tooth 0 alone:
// for a reader that walks the teeth in turn and need not hold them all (the
// STL copy has some 200,000 points). Tooth t is those curves turned by
// TurnOutlinePoint(p, ComputeToothTurn(z, t)), point for point the outline
// BuildGearGeometry gives; every other field is the same too.
int BuildGearGeometryFirstTooth(GearRecord& rec, int pointDensity);

// 1 when the record has a hub on at least one side with a diameter and length.
int GearHasHub(const GearRecord& rec);

// 1 when the record has a bore with a keyway narrower than the bore.
int GearHasKeyway(const GearRecord& rec);

// The indicative load-capacity calculation of one gear pair (ISO 6336 /
// DIN 3990, simplified).
#pragma once

#include <cstdint>

#include "design/root_form_factors.h"   // ComputeRootFormFactors
#include "design/strength_factors.h"    // the K, Z and Y factors, life factors
#include "design/strength_results.h"
#include "design/virtual_gear.h"        // BuildVirtualGear
#include "geometry/gear_record.h"

// gear1 is the external gear or pinion; pairKind a PairKind; centreDistance in
// mm (unused for a rack); epsAlpha already raised to at least 0.5 by the
// caller. Writes the clamped accuracy grade back into inputs. 1 on success;
// 0 with results.message set when the input is not usable, a root section is
// not found (the load, K, Z and Y values then stay filled) or a result would
// not be a finite number. The applicability fields of results say where the
// method does not hold for the pair (see strength_applicability.h); they are
// filled before the root sections are sought, so a failure keeps them too.
// The transmissible torques are those at which the smaller safety of each
// kind reaches its minimum, with Kv taken at that torque.
int64_t ComputeGearStrength(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                            double centreDistance, double epsAlpha, StrengthInputs& inputs,
                            StrengthResults& results);

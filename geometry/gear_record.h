// The gear record: one external gear, pinion, rack or ring gear.
// Lengths in mm, angles in radians. The input fields are set by InitGearRecord
// (and the hub and keyway fields by the hub application); everything under
// "Derived" is written only by the Build... procedures.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/outline.h"

struct GearRecord {
  // --- Inputs ---
  double normalModule = 0.0;         // mn
  int64_t teeth = 0;                 // z; for a rack the number of rack teeth n
  double profileShift = 0.0;         // x (nominal; the tip circle uses it)
  double pressureAngle = 0.0;        // alpha_n
  double helixAngle = 0.0;           // |beta|; the hand is separate
  int64_t hand = 1;                  // +1 or -1
  double faceWidth = 0.0;            // b
  double boreDiameter = 0.0;         // 0 = no bore
  double tipShortening = 0.0;        // k: tip radius reduced by k * mn
  double thicknessAllowance = 0.0;   // As, the gear's share of the backlash
  double addendumFactor = 1.0;       // ha* of the basic rack
  double dedendumFactor = 1.25;      // hf* of the basic rack (tool addendum)
  double toolTipRadiusFactor = 0.38; // rho_f* (0.25 for a ring gear)

  // --- Derived: transverse values and circles ---
  double transverseModule = 0.0;        // mt = mn / cos beta
  double transversePressureAngle = 0.0; // alpha_t
  double baseHelixAngle = 0.0;          // beta_b
  double pitchRadius = 0.0;             // r (rack: 0)
  double baseRadius = 0.0;              // rb
  double tipRadius = 0.0;               // ra (ring: inner tip circle; rack: tip line)
  double rootRadius = 0.0;              // rf (ring: outer root circle; rack: root line)
  double pitchThickness = 0.0;          // transverse thickness on the pitch circle, with the allowance
  double tipThickness = 0.0;            // transverse thickness on the tip circle, as an arc
  double toolShift = 0.0;               // xE = x - As / (2 mn tan alpha_n)
  double minProfileShift = 0.0;         // x min against undercut
  int64_t undercut = 0;                 // 1 = the tool undercuts the flank (ring: tip inside base circle)
  int64_t pointed = 0;                  // 1 = tip circle lowered to where the flanks meet
  double formRadius = 0.0;              // where the usable involute begins

  // --- Derived: inspection dimensions ---
  int64_t spanTeeth = 0;           // k
  double span = 0.0;               // Wk
  double spanContactRadius = 0.0;  // radius of the span measuring points
  double pinDiameter = 0.0;        // pin or ball diameter
  double overPins = 0.0;           // over two pins or balls (ring: between two balls)
  double pinContactRadius = 0.0;   // radius of the pin contact point
  int64_t pinProtrudes = 0;        // 1 = the pin protrudes beyond the tip circle
  double spanAxialLength = 0.0;    // face width needed to measure Wk

  // --- Rack ---
  int64_t isRack = 0;
  double rackLength = 0.0;   // n * pi * mt
  double rackHeight = 0.0;   // Hp, back to pitch line
  double topShift = 0.0;     // shift of the upper end face against the lower one

  // --- Ring gear ---
  int64_t isInternal = 0;
  double rimRadius = 0.0;           // root radius + rim thickness
  double rimThickness = 0.0;        // rim below the root circle
  double requestedTipRadius = 0.0;  // tip radius asked for by the pair's tip shortening, 0 = standard

  // --- Hub and keyway (set by the hub application) ---
  int64_t hubSide = 0;            // 0 none, 1 left, 2 right, 3 both sides
  double hubDiameter = 0.0;
  double hubLength = 0.0;         // per side, outside the gear body
  double keyWidth = 0.0;          // 0 = no keyway
  double hubKeywayDepth = 0.0;    // t2, beyond the bore radius
  double keyHeight = 0.0;         // h
  double keyBearingHeight = 0.0;  // used by the key check
  int64_t keyFromDin = 0;         // 1 = key sizes from the standard table

  std::string warnings;  // hub and keyway warnings, printed by the report

  int64_t valid = 0;  // set 0 first by every builder, 1 only at the very end
  Outline outline;    // the closed tooth outline about the gear centre
};

// Mesh geometry in the transverse plane: line of action, contact ratios and
// the points where teeth touch at a given rotation of gear 1.
//
// Every mesh has one fixed frame (model mm, y up), the frame the view draws in:
//   external pair:    gear 1 at the origin turned by theta, gear 2 at (a, 0)
//                     turned by ComputeGear2MeshAngle;
//   pinion and rack:  the pinion at the origin turned by theta, the rack's
//                     pitch line at y = -(r1 + x1 m) (see rack.h);
//   internal pair:    the ring at the origin turned by theta z1 / z2, the
//                     pinion at (a, 0) turned by theta.
// Positions along the line of action are signed mm from T1, the tangent point
// on gear 1's base circle, in the record's direction.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"

struct PathOfContactRecord {
  // 1 = every value below is a real number describing a possible mesh. 0 when
  // the records are invalid, the centre distance is too small for the base
  // circles (external a <= rb1 + rb2 is not allowed below, internal
  // a < rb2 - rb1) or a tip circle lies inside its base circle: then all
  // positions are 0, contactCount is 0 and nothing here may be shown.
  int64_t valid = 0;
  double t1X = 0.0, t1Y = 0.0;             // T1 on gear 1's base circle
  double directionX = 0.0, directionY = 0.0;  // unit direction of the line
  double posT2 = 0.0;  // tangent point on gear 2 / ring (rack: E + 2 m1, a drawing end)
  double posA = 0.0;   // start of contact
  double posB = 0.0;   // E - pbt: lower end of single-pair contact
  double posC = 0.0;   // pitch point
  double posD = 0.0;   // A + pbt: upper end of single-pair contact
  double posE = 0.0;   // end of contact (gear 1's tip circle)
  double workingRadius1 = 0.0;        // operating pitch radius of gear 1 (rack pair: r1)
  double workingRadius2 = 0.0;        // of gear 2 or the ring (rack pair: 0)
  double workingPressureAngle = 0.0;  // alpha_w (rack pair: the pinion's alpha_t)
  int64_t contactCount = 0;           // current contact points, 0 to 4
  double contactPositions[4] = {0.0, 0.0, 0.0, 0.0};  // ascending
};

// External pair at centre distance a, gear 1 turned by theta (rad).
// Returns record.valid.
int ComputePairPathOfContact(const GearRecord& gear1, const GearRecord& gear2,
                             double centreDistance, double theta,
                             PathOfContactRecord& record);

// Pinion and rack, pinion turned by theta. Returns record.valid.
int ComputeRackPathOfContact(const GearRecord& pinion, const GearRecord& rack,
                             double theta, PathOfContactRecord& record);

// Internal pair (ring at the origin, pinion at (a, 0)), pinion turned by theta.
// Returns record.valid.
int ComputeInternalPathOfContact(const GearRecord& pinion, const GearRecord& ring,
                                 double centreDistance, double theta,
                                 PathOfContactRecord& record);

// Transverse contact ratio of an external pair (DIN 3960):
// eps_alpha = (sqrt(ra1^2 - rb1^2) + sqrt(ra2^2 - rb2^2) - a sin alpha_w) / pbt.
// Returns -1 when the mesh is undefined (same conditions as record.valid = 0).
double ComputeTransverseContactRatio(const GearRecord& gear1, const GearRecord& gear2,
                                     double centreDistance);

// The stretch of the path of contact A..E on which both flanks are involutes
// (or, for the rack, the straight flank). A tip that meets the line of action
// below the mate's form circle, where the mate's involute begins, or past the
// mate's tangent point T1 / T2, touches the mate's root fillet: that part of
// A..E carries no involute contact. Positions as in PathOfContactRecord.
//   F1 = sqrt(rF1^2 - rb1^2): gear 1's form circle on the line (at or past T1);
//   F2 = T2 - sqrt(rF2^2 - rb2^2): gear 2's form circle (at or before T2);
//        rack: where the line crosses the line on which the rack's root
//        rounding meets its straight flank, hf - rho (1 - sin alpha_n) below
//        its pitch line; ring gear: no limit (its record holds no form radius
//        at the root), F2 = E.
//   usable path = [max(A, F1, T1), min(E, F2, T2)] (rack and ring: no T2 bound).
struct InvoluteContactRecord {
  int64_t valid = 0;       // 1 when the path of contact is defined
  double posStart = 0.0;   // start of involute contact
  double posEnd = 0.0;     // end of involute contact (posStart when there is none)
  double posForm1 = 0.0;   // F1
  double posForm2 = 0.0;   // F2
  int64_t belowForm1 = 0;  // 1 = the mate's tip reaches below gear 1's form circle (A < F1)
  int64_t belowForm2 = 0;  // 1 = gear 1's tip reaches below the mate's form circle (E > F2)
  double contactRatio = 0.0;          // (E - A) / pbt, from the tip circles
  double involuteContactRatio = 0.0;  // (posEnd - posStart) / pbt; equals contactRatio
                                      // exactly when both flags are 0
};

// The involute stretch of the three meshes (the path at rotation 0).
// Each returns record.valid.
int ComputePairInvoluteContact(const GearRecord& gear1, const GearRecord& gear2,
                               double centreDistance, InvoluteContactRecord& record);
int ComputeRackInvoluteContact(const GearRecord& pinion, const GearRecord& rack,
                               InvoluteContactRecord& record);
int ComputeInternalInvoluteContact(const GearRecord& pinion, const GearRecord& ring,
                                   double centreDistance, InvoluteContactRecord& record);

// Overlap ratio eps_beta = b sin beta / (pi mn) of one gear (0 for spur gears);
// -1 when the module is not a positive number or b or beta is not finite.
double ComputeOverlapRatio(const GearRecord& gear);

// Rotation of gear 2 of an external pair (centred at (a, 0)) when gear 1 is
// turned by gear1Angle: pi / z2 - gear1Angle z1 / z2 + pi. At gear1Angle 0 a
// tooth of gear 1 points along +x into a tooth space of gear 2. Returns 0 when
// z2 is not positive.
double ComputeGear2MeshAngle(const GearRecord& gear1, const GearRecord& gear2,
                             double gear1Angle);

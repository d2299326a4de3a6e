// Prints the gear pair of the About picture as the program builds it, for
// scripts/make_about_picture.py: m 1, z 12 / 18, x +0.3 / -0.3 (so the
// centre distance is the reference one, 15 mm), alpha 20 degrees, no
// backlash. Gear 1 lies at the origin unturned, gear 2 at (a, 0) turned into
// mesh as the view places it.
//
// Output (mm, y up), one record a line:
//   pair <a> <r1> <r2> <rb1> <rb2> <alpha in rad>
//   gear <n>   followed by n lines "<x> <y>" of the closed outline
#include <cmath>
#include <cstdio>

#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"

namespace {

constexpr double kModule = 1.0;
constexpr int kTeeth1 = 12;
constexpr int kTeeth2 = 18;
constexpr double kShift1 = 0.3;  // x1 + x2 = 0: the reference centre distance
constexpr double kPressureAngleDeg = 20.0;
constexpr double kFaceWidth = 10.0;

void PrintOutline(const GearRecord& rec, double angle, double dx) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  std::size_t n = 0;
  for (const OutlineCurve& curve : rec.outline) n += curve.points.size();
  std::printf("gear %zu\n", n);
  for (const OutlineCurve& curve : rec.outline) {
    for (const OutlinePoint& p : curve.points) std::printf("%.9f %.9f\n", p.x * c - p.y * s + dx, p.x * s + p.y * c);
  }
}

}  // namespace

int main() {
  GearRecord gear1;
  GearRecord gear2;
  InitGearRecord(gear1, kModule, kTeeth1, kShift1, kPressureAngleDeg, kFaceWidth, 0.0, 0.0, 0.0, 1);
  InitGearRecord(gear2, kModule, kTeeth2, -kShift1, kPressureAngleDeg, kFaceWidth, 0.0, 0.0, 0.0, -1);
  if (BuildGearGeometry(gear1, 1) != 1 || BuildGearGeometry(gear2, 1) != 1) {
    std::fprintf(stderr, "the pair of the About picture is not a valid design\n");
    return 1;
  }
  const double a = kModule * (kTeeth1 + kTeeth2) / 2.0;
  std::printf("pair %.9f %.9f %.9f %.9f %.9f %.9f\n", a, gear1.pitchRadius, gear2.pitchRadius, gear1.baseRadius,
              gear2.baseRadius, gear1.pressureAngle);
  PrintOutline(gear1, 0.0, 0.0);
  PrintOutline(gear2, ComputeGear2MeshAngle(gear1, gear2, 0.0), a);
  return 0;
}

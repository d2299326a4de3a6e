// The STEP file: ISO 10303-21 header, AP214 product structure and units, the
// bodies' solids, and the file written line by line with CR LF ends.
#include "export/step_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "export/body_fault.h"
#include "export/step_entities.h"
#include "export/step_number.h"
#include "export/step_solids.h"
#include "geometry/gear_geometry.h"
#include "platform/safe_file.h"
#include "texts/step_texts.h"

std::string StepFormatTimeStamp(const std::tm& t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return buffer;
}

std::string StepFileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StepModelNameOf(const std::string& path) {
  const std::string file = StepFileNameOf(path);
  const std::size_t dot = file.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == file.size()) return file;
  if (file.find(' ', dot) != std::string::npos) return file;
  return file.substr(0, dot);
}

namespace {

// A body the writer can turn into a closed solid: built, with an outline of
// curves of at least 2 points, a positive, finite face width (zero or
// negative would give a flat or inside-out solid), a bore, keyway and hub
// inside the tooth outline and a ring gear's rim outside it.
bool IsWritableBody(const GearRecord& gear) {
  if (gear.valid == 0 || gear.outline.empty()) return RefuseBody(BodyFault::kShape);
  if (!std::isfinite(gear.faceWidth)) return RefuseBody(BodyFault::kNotFinite);
  if (!(gear.faceWidth > 0.0)) return RefuseBody(BodyFault::kFaceWidth);
  double minRadius = INFINITY;
  double maxRadius = 0.0;
  for (const OutlineCurve& curve : gear.outline) {
    if (curve.points.size() < 2) return RefuseBody(BodyFault::kShape);
    for (const OutlinePoint& q : curve.points) {
      const double r = std::hypot(q.x, q.y);
      minRadius = std::min(minRadius, r);
      maxRadius = std::max(maxRadius, r);
    }
  }
  if (gear.isInternal != 0) {  // the rim encloses the teeth
    return gear.rimRadius > maxRadius || RefuseBody(BodyFault::kRimTooThin);
  }
  if (gear.isRack != 0) return true;
  // A bore, keyway or hub circle that reaches the tooth outline would cross
  // it in the end faces: no solid, though the geometry lets such a gear stand
  // (the report only warns of too little material).
  double boreExtent = gear.boreDiameter > 0.0 ? gear.boreDiameter / 2.0 : 0.0;
  if (GearHasKeyway(gear) != 0) {
    boreExtent = std::hypot(gear.boreDiameter / 2.0 + gear.hubKeywayDepth, gear.keyWidth / 2.0);
  }
  if (!std::isfinite(boreExtent)) return RefuseBody(BodyFault::kNotFinite);
  if (!(boreExtent < minRadius)) return RefuseBody(BodyFault::kBoreTooLarge);
  if (GearHasHub(gear) != 0) {
    const double hubRadius = gear.hubDiameter / 2.0;
    if (!std::isfinite(hubRadius)) return RefuseBody(BodyFault::kNotFinite);
    if (!(hubRadius < minRadius)) return RefuseBody(BodyFault::kHubTooLarge);
    if (!(hubRadius > boreExtent)) return RefuseBody(BodyFault::kHubTooSmall);
  }
  return true;
}

// Entities 1 to 17: application context, product structure, units,
// uncertainty, representation context and the world placement (#17).
void WriteContextEntities(const std::string& modelName) {
  StepAddEntity("APPLICATION_CONTEXT('core data for automotive mechanical design processes')");
  StepAddEntity("APPLICATION_PROTOCOL_DEFINITION('international standard','automotive_design',2000,#1)");
  StepAddEntity("PRODUCT_CONTEXT('',#1,'mechanical')");
  StepAddEntity("PRODUCT('" + modelName + "','" + modelName + "','',(#3))");
  StepAddEntity("PRODUCT_DEFINITION_FORMATION('','',#4)");
  StepAddEntity("PRODUCT_DEFINITION_CONTEXT('part definition',#1,'design')");
  StepAddEntity("PRODUCT_DEFINITION('design','',#5,#6)");
  StepAddEntity("PRODUCT_DEFINITION_SHAPE('','',#7)");
  StepAddEntity("(LENGTH_UNIT()NAMED_UNIT(*)SI_UNIT(.MILLI.,.METRE.))");
  StepAddEntity("(NAMED_UNIT(*)PLANE_ANGLE_UNIT()SI_UNIT($,.RADIAN.))");
  StepAddEntity("(NAMED_UNIT(*)SI_UNIT($,.STERADIAN.)SOLID_ANGLE_UNIT())");
  StepAddEntity(
      "UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(1.E-06),#9,'distance_accuracy_value','confusion "
      "accuracy')");
  StepAddEntity(
      "(GEOMETRIC_REPRESENTATION_CONTEXT(3)GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT((#12))GLOBAL_UNIT_ASSIGNED_"
      "CONTEXT((#9,#10,#11))REPRESENTATION_CONTEXT('Context #1','3D Context with UNIT and UNCERTAINTY'))");
  StepAddEntity(kStepDirectionZ);
  StepAddEntity(kStepDirectionX);
  StepWriteCartesianPoint(0.0, 0.0, 0.0);
  StepAddEntity("AXIS2_PLACEMENT_3D('',#16,#14,#15)");
}

void WriteLine(SafeFileWriter& file, std::string_view line) {
  file.Write(line);
  file.Write("\r\n");
}

// Entity lines go into the file while this lives, and back to the list after.
struct EntityStreamScope {
  explicit EntityStreamScope(SafeFileWriter& file) { StepStreamEntitiesTo(&file); }
  ~EntityStreamScope() { StepStreamEntitiesTo(nullptr); }
  EntityStreamScope(const EntityStreamScope&) = delete;
  EntityStreamScope& operator=(const EntityStreamScope&) = delete;
};

// The entities of the DATA section, from #1 to the shape definition
// representation. Returns 0 when a body gives no solid or a number had no
// STEP form.
int64_t WriteModelEntities(const std::string& modelName, const GearRecord& a, double angleA,
                           const GearRecord* b, double xB, double angleB, double yB) {
  StepResetEntities();
  gStepNumberFault = 0;
  WriteContextEntities(modelName);
  const int64_t solidA = StepWriteGearSolid(a, 0.0, 0.0, angleA);
  const int64_t solidB = b != nullptr ? StepWriteGearSolid(*b, xB, yB, angleB) : 0;
  if (solidA == 0 || (b != nullptr && solidB == 0) || gStepNumberFault != 0) return 0;
  std::string items = "#17," + StepFormatRef(solidA);
  if (b != nullptr) {
    items += ',';
    items += StepFormatRef(solidB);
  }
  const int64_t representation =
      StepAddEntity("ADVANCED_BREP_SHAPE_REPRESENTATION('" + modelName + "',(" + items + "),#13)");
  StepAddEntity("SHAPE_DEFINITION_REPRESENTATION(#8," + StepFormatRef(representation) + ")");
  return gStepNumberFault == 0 ? 1 : 0;
}

}  // namespace

int64_t StepWriteFileStamped(const std::string& path, const GearRecord& a, double angleA,
                             const GearRecord* b, double xB, double angleB, double yB,
                             const std::string& timeStamp) {
  if (!IsWritableBody(a) || (b != nullptr && !IsWritableBody(*b))) return 0;
  const std::string fileName = StepEncodeString(StepFileNameOf(path));
  const std::string modelName = StepEncodeString(StepModelNameOf(path));

  // Written to a temporary file, each entity line as soon as it is made, and
  // renamed over path only when the model is complete and every write
  // succeeded: a failure leaves no partial file and the old file, if any,
  // intact.
  SafeFileWriter file(path);
  if (!file.IsGood()) return 0;
  WriteLine(file, "ISO-10303-21;");
  WriteLine(file, "HEADER;");
  WriteLine(file, "FILE_DESCRIPTION(('" + StepEncodeString(texts::kStepFileDescription) + "'),'2;1');");
  WriteLine(file, "FILE_NAME('" + fileName + "','" + timeStamp + "',(''),(''),'Norvale','Norvale','');");
  WriteLine(file, "FILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }'));");
  WriteLine(file, "ENDSEC;");
  WriteLine(file, "DATA;");
  {
    const EntityStreamScope stream(file);
    if (WriteModelEntities(modelName, a, angleA, b, xB, angleB, yB) == 0) return 0;
  }
  WriteLine(file, "ENDSEC;");
  WriteLine(file, "END-ISO-10303-21;");
  if (!file.Finish()) return 0;
  gStepEntityList.clear();
  return 1;
}

int64_t StepWriteFile(const std::string& path, const GearRecord& a, double angleA, const GearRecord* b,
                      double xB, double angleB, double yB) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return StepWriteFileStamped(path, a, angleA, b, xB, angleB, yB, StepFormatTimeStamp(local));
}

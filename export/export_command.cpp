// The export command: checks, proposed file name, save dialog, placement and the call of the writer.
#include "export/export_command.h"

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/tab_compute.h"
#include "design/field_reading.h"
#include "export/body_fault.h"
#include "export/dxf_file.h"
#include "export/outline_copy.h"
#include "export/step_file.h"
#include "export/stl_file.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"
#include "platform/file_dialogs.h"
#include "platform/gui.h"
#include "texts/export_texts.h"
#include "texts/input_fault_texts.h"

namespace {

// The bodies of one export and where they lie: record a at the origin turned
// by angleA, record b (or none) at (xB, yB) turned by angleB.
struct ExportPlacement {
  const GearRecord* a = nullptr;
  double angleA = 0.0;
  const GearRecord* b = nullptr;
  double xB = 0.0;
  double yB = 0.0;
  double angleB = 0.0;
};

// The records of the current mode that an export may write.
struct ExportRecords {
  GearRecord gear1;  // gear 1, single gear or pinion
  GearRecord gear2;  // gear 2 of the pair
  GearRecord ring;
  GearRecord rack;
};

void ShowMessage(std::string_view text, int64_t icon) {
  MessageDialog(texts::kExportMessageTitle, text, kMessageOk | icon);
}

// Whether the mode shows a design whose records are all valid.
bool HasDesignToExport() {
  if (gViewMode == kViewNone || gGear1.valid == 0) return false;
  if (gViewMode == kViewPair && gGear2.valid == 0) return false;
  if (gViewMode == kViewRack && gRack.valid == 0) return false;
  if (gViewMode == kViewInternal && gRing.valid == 0) return false;
  return gViewMode == kViewPair || gViewMode == kViewSingle || gViewMode == kViewRack ||
         gViewMode == kViewInternal;
}

// The body of the shown design that could not be built, or "" when there is
// none (no design, or every body valid).
std::string_view NameInvalidBody() {
  using namespace texts;
  switch (gViewMode) {
    case kViewPair:
      if (gGear1.valid == 0) return kExportBodyNameGear1;
      if (gGear2.valid == 0) return kExportBodyNameGear2;
      break;
    case kViewSingle:
      if (gGear1.valid == 0) return kExportBodyNameSingle;
      break;
    case kViewRack:
      if (gGear1.valid == 0) return kExportBodyNamePinion;
      if (gRack.valid == 0) return kExportBodyNameRack;
      break;
    case kViewInternal:
      if (gGear1.valid == 0) return kExportBodyNamePinion;
      if (gRing.valid == 0) return kExportBodyNameRing;
      break;
    default: break;
  }
  return {};
}

std::string ModuleAndTeeth(const GearRecord& rec, std::string_view teethTag) {
  return FormatNumberTrimmed(rec.normalModule) + std::string(teethTag) + std::to_string(rec.teeth);
}


// The placement of the view for the mode and choice: one body alone lies at
// the origin unturned; both together keep the mesh position of the current
// animation angle (external pair: gear 2 at (a, 0); pinion and rack: the rack
// shifted by its offsets; internal pair: the ring at the origin, the pinion
// at (a, 0)).
ExportPlacement PlaceForExport(int64_t mode, int64_t choice, const ExportRecords& r) {
  ExportPlacement p;
  if (choice == kExportFirst) {
    p.a = &r.gear1;
  } else if (choice == kExportSecond) {
    p.a = mode == kViewPair ? &r.gear2 : mode == kViewInternal ? &r.ring : &r.rack;
  } else if (mode == kViewPair) {
    p = {&r.gear1, gAnimAngle, &r.gear2, gPairCentreDistance, 0.0, ComputeGear2MeshAngle(gGear1, gGear2, gAnimAngle)};
  } else if (mode == kViewInternal) {
    // The ring turns with the pinion at the ratio z1 / z2.
    const double ringAngle = gRing.teeth > 0 ? gAnimAngle * static_cast<double>(gGear1.teeth) /
                                                   static_cast<double>(gRing.teeth)
                                             : 0.0;
    p = {&r.ring, ringAngle, &r.gear1, gInternalCentreDistance, 0.0, gAnimAngle};
  } else {  // pinion and rack
    p = {&r.gear1, gAnimAngle, &r.rack, ComputeRackOffset(gGear1, gRack, gAnimAngle),
         ComputeRackPitchLineOffset(gGear1), 0.0};
  }
  return p;
}

// The file-name part of a path: after its last "/" or "\".
std::string FileNamePart(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool ConfirmOverwrite(const std::string& path) {
  const std::string question =
      std::string(texts::kExportExistsBefore) + FileNamePart(path) + std::string(texts::kExportExistsAfter);
  return MessageDialog(texts::kExportMessageTitle, question, kMessageYesNo | kMessageIconQuestion) == kResultYes;
}

// Whether the sizes a body's solid or mesh is made of, and its placement,
// are finite numbers. A NaN bore would otherwise be left out of the STEP
// solid and the drawing without a word.
bool HasFiniteSizes(const GearRecord& rec) {
  return AreAllFinite({rec.faceWidth, rec.boreDiameter, rec.keyWidth, rec.hubKeywayDepth, rec.hubDiameter,
                       rec.hubLength, rec.rimThickness});
}

bool HasFinitePlacement(const ExportPlacement& at) {
  return HasFiniteSizes(*at.a) && (at.b == nullptr || HasFiniteSizes(*at.b)) &&
         AreAllFinite({at.angleA, at.xB, at.yB, at.angleB});
}

// The cause of a refused body and what the user can change.
std::string_view BodyFaultText(BodyFault fault) {
  switch (fault) {
    case BodyFault::kNotFinite: return texts::kExportBodyNotFinite;
    case BodyFault::kFaceWidth: return texts::kExportBodyFaceWidth;
    case BodyFault::kBoreTooLarge: return texts::kExportBodyBoreTooLarge;
    case BodyFault::kHubTooSmall: return texts::kExportBodyHubTooSmall;
    case BodyFault::kHubTooLarge: return texts::kExportBodyHubTooLarge;
    case BodyFault::kRimTooThin: return texts::kExportBodyRimTooThin;
    case BodyFault::kTwistTooLarge: return texts::kExportBodyTwistTooLarge;
    case BodyFault::kTooManyTriangles: return texts::kExportBodyTooManyTriangles;
    case BodyFault::kShape:
    case BodyFault::kNone: break;
  }
  return texts::kExportBodyShape;
}

std::string_view ExtensionOf(int64_t kind) {
  return kind == kExportDxf ? texts::kExportDxfExtension
         : kind == kExportStep ? texts::kExportStepExtension
                               : texts::kExportStlExtension;
}

std::string_view FilterOf(int64_t kind) {
  return kind == kExportDxf ? texts::kExportDxfFilter
         : kind == kExportStep ? texts::kExportStepFilter
                               : texts::kExportStlFilter;
}

}  // namespace

GearRecord CopyAtDxfDensity(const GearRecord& shown) { return CopyAtPointDensity(shown, kDxfPointDensity); }

std::string MakeExportFileName(int64_t mode, int64_t choice) {
  if (choice != kExportFirst && choice != kExportSecond) choice = kExportBoth;
  if (mode == kViewSingle) return std::string(texts::kExportNameSingle) + ModuleAndTeeth(gGear1, "_z");
  const bool pair = mode == kViewPair;
  const bool rack = mode == kViewRack;
  if (choice == kExportFirst) {
    return std::string(pair ? texts::kExportNameGear1 : texts::kExportNamePinion) + ModuleAndTeeth(gGear1, "_z");
  }
  if (choice == kExportSecond) {
    if (pair) return std::string(texts::kExportNameGear2) + ModuleAndTeeth(gGear2, "_z");
    if (rack) return std::string(texts::kExportNameRack) + ModuleAndTeeth(gRack, "_n");
    return std::string(texts::kExportNameRing) + ModuleAndTeeth(gRing, "_z");
  }
  if (pair) {
    return std::string(texts::kExportNamePair) + ModuleAndTeeth(gGear1, "_z") + "-" + std::to_string(gGear2.teeth);
  }
  if (rack) return std::string(texts::kExportNamePinionRack) + ModuleAndTeeth(gGear1, "_z");
  return std::string(texts::kExportNameInternal) + ModuleAndTeeth(gGear1, "_z") + "-" + std::to_string(gRing.teeth);
}

std::string MakeStlWrittenMessage(int64_t triangles, double chordTolerance) {
  // A binary STL: an 80-byte header, a 4-byte count and 50 bytes per facet.
  const double kiloBytes = (50.0 * static_cast<double>(triangles) + 84.0) / 1024.0;
  return std::string(texts::kExportStlWrittenBefore) + std::to_string(triangles) +
         std::string(texts::kExportStlWrittenTriangles) + FormatNumber(kiloBytes, 0) +
         std::string(texts::kExportStlWrittenTolerance) + FormatNumber(chordTolerance, 4) +
         std::string(texts::kExportStlWrittenAfter);
}

std::string AppendMissingExtension(const std::string& path, std::string_view extension) {
  const std::size_t cut = path.find_last_of(" /\\");
  const std::size_t start = cut == std::string::npos ? 0 : cut + 1;
  const std::size_t point = path.find('.', start);
  if (point != std::string::npos && path.back() != '.') return path;
  // "drawing." has no extension either: it becomes "drawing.dxf", not
  // "drawing." (which Windows would store without any extension).
  std::string result = path;
  if (!result.empty() && result.back() == '.') result.pop_back();
  return result + "." + std::string(extension);
}

int64_t ExportToFile(int64_t kind) {
  if (kind != kExportDxf && kind != kExportStep && kind != kExportStl) return 0;

  // 1. Inputs.
  int64_t choice = GadgetGetState(kComboExportWhat);
  if (choice != kExportFirst && choice != kExportSecond) choice = kExportBoth;
  const double chordTolerance = ReadNumberField(kFieldChordTolerance);

  // 2. The chord tolerance is checked before the design (STL only); the
  //    negated test also rejects NaN.
  if (kind == kExportStl &&
      !(chordTolerance >= kExportChordToleranceMin && chordTolerance <= kExportChordToleranceMax)) {
    ShowMessage(texts::kExportBadChordTolerance, kMessageIconWarning);
    return 0;
  }

  // 3. Something to export, and inputs that describe it: a design left on
  //    screen while a field holds a value its tab cannot use is not written.
  const std::string fault = DescribeShownInputFault();
  if (!fault.empty()) {
    ShowMessage(std::string(texts::kFaultExportRefused) + fault, kMessageIconWarning);
    return 0;
  }
  if (!HasDesignToExport()) {
    // A valid pinion on screen is no reason to say there is no gear: name the
    // body that could not be built.
    const std::string_view body = NameInvalidBody();
    ShowMessage(body.empty() ? std::string(texts::kExportNothingToExport)
                             : std::string(texts::kExportBodyInvalidBefore) + std::string(body) +
                                   std::string(texts::kExportBodyInvalidAfter),
                kMessageIconWarning);
    return 0;
  }
  const int64_t mode = gViewMode;
  // 4. A single gear is always written alone.
  if (mode == kViewSingle) choice = kExportFirst;

  // 5.-7. Proposed name, extension and filter; the save dialog.
  const std::string_view extension = ExtensionOf(kind);
  const std::string proposed = MakeExportFileName(mode, choice) + "." + std::string(extension);
  const std::string chosen = SaveFileRequester(texts::kExportDialogTitle, proposed, FilterOf(kind), 0);
  if (chosen.empty()) return 0;
  // 8. A name typed without an extension gets the kind's one.
  const std::string path = AppendMissingExtension(chosen, extension);
  // The save dialog of this platform asks nothing when the file exists, so
  // the command asks before an existing file is replaced.
  if (FileSizeOrKind(path) >= 0 && !ConfirmOverwrite(path)) return 0;

  // 9. The records to write. The DXF drawing gets finer copies of the shown
  //    records; STEP and STL take the records as they stand (the STL writer
  //    makes its own finer copies). The shown records, and so the view, are
  //    never changed by an export.
  ExportRecords records;
  const bool dxf = kind == kExportDxf;
  records.gear1 = dxf ? CopyAtDxfDensity(gGear1) : gGear1;
  if (mode == kViewPair) records.gear2 = dxf ? CopyAtDxfDensity(gGear2) : gGear2;
  if (mode == kViewRack) records.rack = dxf ? CopyAtDxfDensity(gRack) : gRack;
  if (mode == kViewInternal) records.ring = dxf ? CopyAtDxfDensity(gRing) : gRing;

  // 10.-11. Placement of the view, then the writer.
  const ExportPlacement at = PlaceForExport(mode, choice, records);
  bool written = false;
  // The writers record why they refuse a body; a failure without a recorded
  // cause is one of the file.
  ClearBodyFault();
  if (!HasFinitePlacement(at)) {
    RefuseBody(BodyFault::kNotFinite);
  } else if (kind == kExportDxf) {
    written = DxfWriteFile(path, *at.a, at.angleA, at.b, at.xB, at.angleB, at.yB) == 1;
  } else if (kind == kExportStep) {
    written = StepWriteFile(path, *at.a, at.angleA, at.b, at.xB, at.angleB, at.yB) == 1;
  } else {
    const int64_t triangles = StlWriteFile(path, chordTolerance, *at.a, at.angleA, at.b, at.xB, at.angleB, at.yB);
    written = triangles >= 1;
    if (written) {
      const std::string text = MakeStlWrittenMessage(triangles, chordTolerance);
      ShowMessage(text, kMessageIconInfo);
    }
  }

  // 12. A refused body is reported with its cause and what to change; a
  //     failed write with the path.
  if (!written && gBodyFault != BodyFault::kNone) {
    ShowMessage(std::string(texts::kExportBodyRefused) + std::string(BodyFaultText(gBodyFault)),
                kMessageIconWarning);
  } else if (!written) {
    ShowMessage(std::string(texts::kExportWriteFailedBefore) + path + std::string(texts::kExportWriteFailedAfter),
                kMessageIconError);
  }
  return 0;
}

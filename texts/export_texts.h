// Texts of the export command: dialog, filters, default file names and messages.
#pragma once

#include <string_view>

namespace texts {
// Title of the save dialog.
extern const std::string_view kExportDialogTitle;
// Extensions (without the point) and "description|pattern" filters by kind.
extern const std::string_view kExportDxfExtension;
extern const std::string_view kExportStepExtension;
extern const std::string_view kExportStlExtension;
extern const std::string_view kExportDxfFilter;
extern const std::string_view kExportStepFilter;
extern const std::string_view kExportStlFilter;

// Prefixes of the proposed file names; the module follows them.
extern const std::string_view kExportNameGear1;        // pair, gear 1 only
extern const std::string_view kExportNameGear2;        // pair, gear 2 only
extern const std::string_view kExportNamePair;         // pair, both
extern const std::string_view kExportNameSingle;       // single gear
extern const std::string_view kExportNamePinion;       // rack or internal pair, pinion only
extern const std::string_view kExportNameRack;         // rack only
extern const std::string_view kExportNamePinionRack;   // pinion and rack
extern const std::string_view kExportNameRing;         // ring gear only
extern const std::string_view kExportNameInternal;     // internal pair

// Messages (title: kExportMessageTitle).
extern const std::string_view kExportMessageTitle;
extern const std::string_view kExportBadChordTolerance;
extern const std::string_view kExportNothingToExport;
// A design on screen of which one body could not be built:
// kExportBodyInvalidBefore, the body's name, kExportBodyInvalidAfter.
extern const std::string_view kExportBodyInvalidBefore;
extern const std::string_view kExportBodyInvalidAfter;
extern const std::string_view kExportBodyNameGear1;
extern const std::string_view kExportBodyNameGear2;
extern const std::string_view kExportBodyNameSingle;
extern const std::string_view kExportBodyNamePinion;
extern const std::string_view kExportBodyNameRack;
extern const std::string_view kExportBodyNameRing;
// "STL written: " n " triangles, " k " kB\r\nChord tolerance max. " t " mm"
extern const std::string_view kExportStlWrittenBefore;
extern const std::string_view kExportStlWrittenTriangles;
extern const std::string_view kExportStlWrittenTolerance;
extern const std::string_view kExportStlWrittenAfter;
// "'" file name "' already exists. Overwrite?"
extern const std::string_view kExportExistsBefore;
extern const std::string_view kExportExistsAfter;
// "File '" path "' could not be written."
extern const std::string_view kExportWriteFailedBefore;
extern const std::string_view kExportWriteFailedAfter;
// A body that cannot be a closed solid or mesh: kExportBodyRefused, then the
// cause and what to change.
extern const std::string_view kExportBodyRefused;
extern const std::string_view kExportBodyNotFinite;
extern const std::string_view kExportBodyFaceWidth;
extern const std::string_view kExportBodyBoreTooLarge;
extern const std::string_view kExportBodyHubTooSmall;
extern const std::string_view kExportBodyHubTooLarge;
extern const std::string_view kExportBodyRimTooThin;
extern const std::string_view kExportBodyTwistTooLarge;
extern const std::string_view kExportBodyTooManyTriangles;
extern const std::string_view kExportBodyShape;
}  // namespace texts

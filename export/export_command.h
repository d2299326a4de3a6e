// The export command behind the three export buttons.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/gear_record.h"

// Export kinds: the argument of ExportToFile.
enum ExportKind : int64_t {
  kExportDxf = 0,
  kExportStep = 1,
  kExportStl = 2,
};

// What the export writes (state of combo box 43); any other value acts as both.
enum ExportChoice : int64_t {
  kExportBoth = 0,
  kExportFirst = 1,   // gear 1, the single gear or the pinion
  kExportSecond = 2,  // gear 2, the rack or the ring gear
};

// Point density of the outlines written to DXF (the view uses 1).
inline constexpr int kDxfPointDensity = 4;

// A copy of a shown record with its outline rebuilt at the DXF density; the
// shown record is not touched. When the finer outline cannot be built (it
// would exceed the point limit) the copy keeps the shown outline.
GearRecord CopyAtDxfDensity(const GearRecord& shown);

// kind: 0 DXF, 1 STEP, 2 STL. Always returns 0; the outcome is shown to the user.
int64_t ExportToFile(int64_t kind);

// The proposed file name (no extension) of an export of the given view mode
// and choice, from the modules and tooth counts of the global records, e.g.
// "pair_m2_z20-40". The single-gear mode always names the single gear.
std::string MakeExportFileName(int64_t mode, int64_t choice);

// The message after an STL export: the triangle count, the file size in kB
// ((50 n + 84) / 1024, rounded) and the chord tolerance with 4 decimals.
std::string MakeStlWrittenMessage(int64_t triangles, double chordTolerance);

// path with "." and the extension appended when its file part (after the last
// blank, "/" or "\") holds no point or ends in one; otherwise path as typed.
std::string AppendMissingExtension(const std::string& path, std::string_view extension);

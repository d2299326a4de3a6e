// The application's global state: the design mode, the gear records, the search
// results, the tables, the view state, the project and the event-loop flags.
//
// Every global is set to its initial value by ResetGlobals at start-up.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/project_field.h"
#include "design/material_row.h"
#include "design/search_result.h"
#include "design/strength_results.h"
#include "export/stl_triangle.h"
#include "geometry/gear_record.h"

// The active design.
enum ViewMode : int64_t {
  kViewNone = 0,
  kViewPair = 1,
  kViewSingle = 2,
  kViewRack = 3,
  kViewInternal = 4,
};

extern int64_t gViewMode;  // a ViewMode value

// gear 1 / single gear / pinion; gear 2 of the pair; ring gear; rack.
extern GearRecord gGear1;
extern GearRecord gGear2;
extern GearRecord gRing;
extern GearRecord gRack;

extern StrengthResults gStrength;                    // filled only while window 1 is shown
extern std::vector<MaterialRow> gMaterials;          // 13 rows
extern std::vector<ShaftMaterialRow> gShaftMaterials;  // 6 rows

extern std::vector<SearchResultRow> gPairSearchResults;
extern std::vector<SearchResultRow> gInternalSearchResults;
extern int64_t gPairSelectedRow;      // -1 = none
extern int64_t gInternalSelectedRow;  // -1 = none

// The values of the search inputs a result list was calculated for, in the
// order of SearchInputsOfTab (app/search_inputs.h). The shown pair is one of
// that list only while its tab's fields still hold them; other values need a
// new "Calculate modules".
struct SearchedFor {
  std::vector<double> values;
};
extern SearchedFor gPairSearchedFor;
extern SearchedFor gInternalSearchedFor;

extern std::vector<std::string> gStepEntityList;  // STEP entity lines "#<n>=<text>;"
extern std::vector<StlTriangle> gTriangleList;     // STL triangles in facet order

extern std::vector<ProjectField> gProjectFieldList;  // project-file bindings in file order
// The controls whose change marks the project changed, keyed by the decimal
// text of the control number; the value is unused (1).
extern std::unordered_map<std::string, int64_t> gProjectFieldMap;
inline constexpr std::size_t kProjectFieldMapBuckets = 512;

// View state (logical canvas pixels, model mm with y up).
extern double gZoom;         // px per mm, 1.0 at start
extern double gDeviceScale;  // device pixels per logical canvas pixel, 1.0 at start
extern double gViewCentreX;  // model point at the canvas centre
extern double gViewCentreY;

extern double gAnimAngle;  // rotation of gear 1 / the pinion, radians

extern double gPairCentreDistance;      // mm, set by the pair compute
extern double gInternalCentreDistance;  // mm, set by the internal compute
extern double gInternalPenetration;     // largest tooth penetration of the internal pair

extern int64_t gStrengthWindowShown;  // 1 while window 1 is shown
extern int64_t gHubWindowShown;       // 1 while window 2 is shown

extern std::string gProjectPath;   // current project file, empty for a new project
extern int64_t gProjectModified;   // 1 after a change since the last save or load

extern int64_t gQuit;  // the event loop ends when non-zero

// Canvas interaction state (logical pixels).
extern int64_t gMouseX;  // last mouse position
extern int64_t gMouseY;
extern int64_t gDragging;         // 1 between a left press and its release
extern int64_t gDragStartX;       // mouse position at the press
extern int64_t gDragStartY;
extern double gDragStartCentreX;  // view centre at the press
extern double gDragStartCentreY;

// The last switch of the strength window's load kind: the value the user had
// typed (in kind typedKind), the converted text the switch wrote in its place
// and the speed text it converted with. Switching back while the field and the
// speed still read so gives the typed value back, not a twice-rounded one.
struct LoadKindMemory {
  std::string typed;
  std::string written;
  std::string speed;
  int64_t typedKind = -1;  // -1: no switch to undo
};
extern LoadKindMemory gLoadKindMemory;

// Sets every global above to its initial value: zero, empty, the chosen rows
// -1, zoom and device scale 1.0, the material tables sized 13 and 6 rows.
void ResetGlobals();

// Definitions and initial values of the application's globals.
#include "app/globals.h"

int64_t gViewMode = kViewNone;

GearRecord gGear1;
GearRecord gGear2;
GearRecord gRing;
GearRecord gRack;

StrengthResults gStrength;
std::vector<MaterialRow> gMaterials;
std::vector<ShaftMaterialRow> gShaftMaterials;

std::vector<SearchResultRow> gPairSearchResults;
std::vector<SearchResultRow> gInternalSearchResults;
int64_t gPairSelectedRow = -1;
int64_t gInternalSelectedRow = -1;

std::vector<std::string> gStepEntityList;
std::vector<StlTriangle> gTriangleList;

std::vector<ProjectField> gProjectFieldList;
std::unordered_map<std::string, int64_t> gProjectFieldMap;

double gZoom = 1.0;
double gDeviceScale = 1.0;
double gViewCentreX = 0.0;
double gViewCentreY = 0.0;
double gAnimAngle = 0.0;

double gPairCentreDistance = 0.0;
SearchedFor gPairSearchedFor;
SearchedFor gInternalSearchedFor;
double gInternalCentreDistance = 0.0;
double gInternalPenetration = 0.0;

int64_t gStrengthWindowShown = 0;
int64_t gHubWindowShown = 0;

std::string gProjectPath;
int64_t gProjectModified = 0;

int64_t gQuit = 0;

int64_t gMouseX = 0;
int64_t gMouseY = 0;
int64_t gDragging = 0;
int64_t gDragStartX = 0;
int64_t gDragStartY = 0;
double gDragStartCentreX = 0.0;
double gDragStartCentreY = 0.0;

LoadKindMemory gLoadKindMemory;

void ResetGlobals() {
  gViewMode = kViewNone;
  gLoadKindMemory = LoadKindMemory{};
  gGear1 = GearRecord{};
  gGear2 = GearRecord{};
  gRing = GearRecord{};
  gRack = GearRecord{};
  gStrength = StrengthResults{};
  gMaterials.assign(kMaterialRowCount, MaterialRow{});
  gShaftMaterials.assign(kShaftMaterialRowCount, ShaftMaterialRow{});
  gPairSearchResults.clear();
  gInternalSearchResults.clear();
  gPairSelectedRow = -1;
  gInternalSelectedRow = -1;
  gStepEntityList.clear();
  gTriangleList.clear();
  gProjectFieldList.clear();
  gProjectFieldMap.clear();
  gProjectFieldMap.rehash(kProjectFieldMapBuckets);
  gZoom = 1.0;
  gDeviceScale = 1.0;
  gViewCentreX = 0.0;
  gViewCentreY = 0.0;
  gAnimAngle = 0.0;
  gPairCentreDistance = 0.0;
  gInternalCentreDistance = 0.0;
  gPairSearchedFor = {};
  gInternalSearchedFor = {};
  gInternalPenetration = 0.0;
  gStrengthWindowShown = 0;
  gHubWindowShown = 0;
  gProjectPath.clear();
  gProjectModified = 0;
  gQuit = 0;
  gMouseX = 0;
  gMouseY = 0;
  gDragging = 0;
  gDragStartX = 0;
  gDragStartY = 0;
  gDragStartCentreX = 0.0;
  gDragStartCentreY = 0.0;
}

// The fixed numbers of the program's windows, controls, menu items and timers.
//
// The numbers are the vocabulary shared by the event dispatch, the project
// file bindings and the compute drivers; they never change.
#pragma once

#include <cstdint>

enum WindowNumber : int64_t {
  kWindowMain = 0,
  kWindowStrength = 1,
  kWindowHubKeyway = 2,
};

enum ControlNumber : int64_t {
  // --- Main window: tab panel ---
  kPanelTabs = 0,

  // --- Tab "Pair" (tab index 0) ---
  kFieldPairCentreDistance = 1,
  kFieldPairRatio = 2,
  kFieldPairPressureAngle = 3,
  kFieldPairHelixAngle = 4,
  kComboPairHand = 5,
  kCheckPairHelixSearch = 6,
  kFieldPairTolerance = 7,
  kFieldPairShiftSumMin = 8,
  kFieldPairShiftSumMax = 9,
  kFieldPairZMin = 10,
  kCheckPairSeries2 = 11,
  kButtonPairCalculate = 12,
  kListPairResults = 13,
  kFieldPairShiftX1 = 14,
  kTextPairX2 = 15,
  kFieldPairFaceWidth = 16,
  kFieldPairBacklash = 17,
  kFieldPairBore1 = 18,
  kFieldPairBore2 = 19,

  // --- Tab "Single" (tab index 1) ---
  kComboSingleModule = 20,
  kFieldSingleTeeth = 21,
  kFieldSingleShift = 22,
  kFieldSinglePressureAngle = 23,
  kFieldSingleHelixAngle = 24,
  kComboSingleHand = 25,
  kFieldSingleFaceWidth = 26,
  kFieldSingleThicknessAllowance = 27,
  kFieldSingleBore = 28,

  // --- Tab "Rack" (tab index 2) ---
  kComboRackModule = 29,
  kFieldRackPinionTeeth = 30,
  kFieldRackShift = 31,
  kFieldRackPressureAngle = 32,
  kFieldRackHelixAngle = 33,
  kComboRackHand = 34,
  kFieldRackFaceWidth = 35,
  kFieldRackPinionBore = 36,
  kFieldRackBacklash = 37,
  kFieldRackTeeth = 38,
  kFieldRackHeight = 39,

  // --- Main window: view, export and project controls ---
  kCheckRotate = 40,
  kTrackSpeed = 41,
  kCheckLineOfAction = 42,
  kComboExportWhat = 43,
  kButtonExportDxf = 44,
  kButtonExportStep = 45,
  kButtonExportStl = 46,
  kFieldChordTolerance = 47,
  kEditorReport = 48,
  kButtonOpen = 49,
  kButtonSave = 50,
  kButtonSaveAs = 51,
  kButtonHelp = 52,

  // --- Tab "Internal" (tab index 3) ---
  kFieldIntCentreDistance = 53,
  kFieldIntRatio = 54,
  kFieldIntPressureAngle = 55,
  kFieldIntHelixAngle = 56,
  kComboIntHand = 57,
  kCheckIntHelixSearch = 58,
  kFieldIntTolerance = 59,
  kFieldIntShiftDiffMin = 60,
  kFieldIntShiftDiffMax = 61,
  kFieldIntZ1Min = 62,
  kFieldIntMinToothDiff = 63,
  kCheckIntSeries2 = 64,
  kButtonIntCalculate = 65,
  kListIntResults = 66,
  kFieldIntShiftX1 = 67,
  kTextIntX2 = 68,
  kFieldIntFaceWidth = 69,
  kFieldIntBacklash = 70,
  kFieldIntPinionBore = 71,
  kFieldIntRingRim = 72,
  kCheckIntShortenTip = 73,

  // --- Main window ---
  kButtonStrength = 74,

  // --- Strength window (window 1) ---
  kComboLoadKind = 75,
  kFieldLoadValue = 76,
  kTextLoadLabel = 77,
  kFieldSpeed = 78,
  kComboApplicationFactor = 79,
  kFieldServiceLife = 80,
  kComboAccuracy = 81,
  kComboFlankFinish = 82,
  kComboLubrication = 83,
  kFieldMinSafetyH = 84,
  kFieldMinSafetyF = 85,
  kTextMaterial1Heading = 86,
  kComboMaterial1 = 87,
  kFieldSigmaHlim1 = 88,
  kFieldSigmaFlim1 = 89,
  kFieldElasticModulus1 = 90,
  kFieldPoisson1 = 91,
  kTextMaterial2Heading = 92,
  kComboMaterial2 = 93,
  kFieldSigmaHlim2 = 94,
  kFieldSigmaFlim2 = 95,
  kFieldElasticModulus2 = 96,
  kFieldPoisson2 = 97,
  kTextVerdict = 98,
  kEditorStrengthReport = 99,
  kButtonCopyReport = 100,
  kButtonStrengthClose = 101,

  // --- Main window: the view canvas ---
  kCanvasView = 102,

  // --- Strength window: shaft and key ---
  kTextShaftHeading = 103,
  kComboShaftMaterial = 104,
  kFieldShaftTauPerm = 105,
  kFieldShaftYield = 106,
  kComboKeyCount = 107,
  kFieldKeyLength = 108,

  // --- Main window ---
  kButtonHubKeyway = 109,

  // --- Hub-and-keyway window (window 2): gear k = 0 and k = 1 ---
  kTextHubGear1 = 110,
  kTextHubGear2 = 111,
  kButtonHubClose = 112,
  kScrollLeftColumn = 113,  // main window: the scroll area of the left column
  kComboKeyway1 = 114,
  kFieldKeyWidth1 = 115,
  kFieldKeyDepth1 = 116,
  kComboHub1 = 117,
  kFieldHubDiameter1 = 118,
  kFieldHubLength1 = 119,
  // 120 is not used.
  kComboKeyway2 = 121,
  kFieldKeyWidth2 = 122,
  kFieldKeyDepth2 = 123,
  kComboHub2 = 124,
  kFieldHubDiameter2 = 125,
  kFieldHubLength2 = 126,
};

// Control k of the hub-and-keyway block of gear k (0 or 1): base + 7k.
inline constexpr int64_t HubControl(int64_t gear1Control, int64_t k) { return gear1Control + 7 * k; }

// Tab indices of tab panel 0.
enum TabIndex : int64_t {
  kTabPair = 0,
  kTabSingle = 1,
  kTabRack = 2,
  kTabInternal = 3,
};

// Menu items and shortcuts (menu events).
enum MenuItemNumber : int64_t {
  kMenuItemOpen = 100,   // Ctrl+O
  kMenuItemSave = 101,   // Ctrl+S
  kMenuItemHelp = 102,   // F1 and pop-up "User guide"
  kMenuItemAbout = 103,  // pop-up "About Norvale"
};

// Pop-up menus.
inline constexpr int64_t kMenuHelpPopup = 0;

// Timers of the main window.
inline constexpr int64_t kTimerAnimation = 1;
inline constexpr int kAnimationIntervalMs = 30;

// The main window: layout metrics, the left column (project buttons, tab panel,
// view and export controls, report editor), the canvas, and the re-layout on
// every size change. The four tab pages are built in main_window_tabs.cpp.
#include "app/main_window.h"

#include <algorithm>
#include <cmath>

#include "app/control_ids.h"
#include "app/main_window_tabs.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "platform/gui.h"
#include "texts/main_window_texts.h"

int gLineHeight = 15;
int gFieldHeight = 23;
int gRowStep = 28;
int gFieldX = 22;
int gFieldWidth = 150;
int gHalfFieldWidth = 72;
int gPanelWidth = 190;
int gAreaWidth = 228;
int gReportTop = 0;
int64_t gReportFont = -1;
int64_t gCanvasFont = -1;

namespace {

constexpr int kDefaultWindowHeight = 860;  // without desktop information
constexpr int kDesktopMargin = 80;         // room left for the task bar and title
constexpr int kMainWindowWidth = 1280;
constexpr int kReportMinHeight = 120;
constexpr int kCanvasMinSize = 50;

int RoundToInt(double v) { return int(std::lround(v)); }

// The desktop's height in logical pixels, 0 when unknown.
int DesktopHeightLogical() {
  if (DesktopsExamine() <= 0) return 0;
  const int device = DesktopGetHeight(0);
  return device > 0 ? DpiUnscaleY(device) : 0;
}

}  // namespace

void SetUiMetrics(int lineHeight, int widestLabel) {
  // Below 10 px the measurement failed or the font is unusably small.
  gLineHeight = lineHeight < 10 ? 15 : lineHeight;
  gFieldHeight = gLineHeight + 8;
  gRowStep = gFieldHeight + 5;
  gFieldX = std::max(0, widestLabel) + 22;
  // ceil(150 * s) with s = gLineHeight / 15, in whole numbers: ceil(10 * L).
  gFieldWidth = (150 * gLineHeight + 14) / 15;
  gHalfFieldWidth = (gFieldWidth - 6) / 2;
  gPanelWidth = gFieldX + gFieldWidth + 18;
  gAreaWidth = gPanelWidth + 38;
}

void ComputeUiMetrics(const std::vector<std::string_view>& labels) {
  int lineHeight = 0;
  int widest = 0;
  const int64_t image = ImageCreate(kAnyNumber, 16, 16);
  if (image >= 0) {
    if (DrawingStart(ImageGetOutput(image))) {
      DrawingSetFont(kDefaultFont);
      // Measured in device pixels, brought back to logical pixels.
      lineHeight = RoundToInt(DrawingTextHeight("Ag") / DpiScaleY());
      for (std::string_view label : labels) {
        const int w = RoundToInt(DrawingTextWidth(label) / DpiScaleX());
        if (w > widest) widest = w;
      }
      DrawingStop();
    }
    ImageFree(image);
  }
  SetUiMetrics(lineHeight, widest);
}

void AddFieldLabel(int y, std::string_view text) {
  CreateTextControl(kAnyNumber, 10, y + (gFieldHeight - gLineHeight) / 2, gFieldX - 12, gLineHeight + 4, text);
}

int WidenToFit(int64_t control) {
  int need = GadgetGetFitWidth(control, GadgetGetText(control));
  if (GadgetGetType(control) == kControlComboBox) {
    const int64_t count = GadgetCountItems(control);
    for (int item = 0; item < count; ++item) {
      need = std::max(need, GadgetGetFitWidth(control, GadgetGetItemText(control, item, 0)));
    }
  }
  if (need > GadgetGetWidth(control)) GadgetResize(control, kKeep, kKeep, need, kKeep);
  return GadgetGetX(control) + GadgetGetWidth(control);
}

void WidenBeforeNeighbour(int64_t control, int64_t next) {
  const int nextX = GadgetGetX(next);
  const int nextRight = nextX + GadgetGetWidth(next);
  const int gap = nextX - (GadgetGetX(control) + GadgetGetWidth(control));
  const int right = WidenToFit(control);
  if (right + gap > nextX) GadgetResize(next, right + gap, kKeep, nextRight - right - gap, kKeep);
}

int64_t LayoutMainWindow() {
  const int w = WindowGetInnerWidth(kWindowMain);
  const int h = WindowGetInnerHeight(kWindowMain);
  GadgetResize(kScrollLeftColumn, kKeep, kKeep, kKeep, h);
  const int report = RoundToInt(std::max(double(h - gReportTop - 8), double(kReportMinHeight)));
  GadgetResize(kEditorReport, kKeep, kKeep, kKeep, report);
  GadgetSetAttribute(kScrollLeftColumn, kAttrScrollAreaInnerHeight, gReportTop + report + 8);
  GadgetResize(kCanvasView, kKeep, kKeep, RoundToInt(std::max(double(w - gAreaWidth - 12), double(kCanvasMinSize))),
               RoundToInt(std::max(double(h - 16), double(kCanvasMinSize))));
  RedrawView();
  return 0;
}

namespace {

// Step 5: the project buttons, the Help pop-up menu and the shortcuts.
void BuildProjectButtons() {
  const int bw = (gPanelWidth - 18) / 4;
  const int h = gFieldHeight + 4;
  CreateButtonControl(kButtonOpen, 8, 8, bw, h, texts::kButtonOpenText);
  GadgetSetToolTip(kButtonOpen, texts::kButtonOpenTip);
  CreateButtonControl(kButtonSave, bw + 14, 8, bw, h, texts::kButtonSaveText);
  GadgetSetToolTip(kButtonSave, texts::kButtonSaveTip);
  CreateButtonControl(kButtonSaveAs, 2 * bw + 20, 8, bw, h, texts::kButtonSaveAsText);
  CreateButtonControl(kButtonHelp, gPanelWidth - bw + 8, 8, bw, h, texts::kButtonHelpText);
  GadgetSetToolTip(kButtonHelp, texts::kButtonHelpTip);
  WidenBeforeNeighbour(kButtonOpen, kButtonSave);
  WidenBeforeNeighbour(kButtonSave, kButtonSaveAs);
  WidenBeforeNeighbour(kButtonSaveAs, kButtonHelp);
  WidenToFit(kButtonHelp);
  if (MenuCreatePopup(kMenuHelpPopup)) {
    MenuAddItem(kMenuHelpPopup, kMenuItemHelp, texts::kMenuUserGuide);
    MenuAddItem(kMenuHelpPopup, kMenuItemAbout, texts::kMenuAbout);
  }
  WindowAddShortcut(kWindowMain, kKeyF1, kMenuItemHelp);
  WindowAddShortcut(kWindowMain, kShortcutControl | 'O', kMenuItemOpen);
  WindowAddShortcut(kWindowMain, kShortcutControl | 'S', kMenuItemSave);
}

// Step 9: view and export controls below the tab panel; returns y4, the row
// of the chord tolerance.
int BuildViewControls(int y0) {
  const double p = gPanelWidth;
  CreateCheckBoxControl(kCheckRotate, 8, y0, RoundToInt(0.4 * p), gFieldHeight, texts::kCheckRotateText);
  CreateTrackBarControl(kTrackSpeed, RoundToInt(0.4 * p + 8), y0, RoundToInt(0.6 * p), gFieldHeight, 1, 20);
  GadgetSetState(kTrackSpeed, 4);
  GadgetSetToolTip(kTrackSpeed, texts::kTrackSpeedTip);
  WidenBeforeNeighbour(kCheckRotate, kTrackSpeed);

  const int y1 = y0 + gRowStep + 2;
  CreateCheckBoxControl(kCheckLineOfAction, 8, y1, RoundToInt(0.42 * p), gFieldHeight,
                        texts::kCheckLineOfActionText);
  GadgetSetState(kCheckLineOfAction, 1);
  GadgetSetToolTip(kCheckLineOfAction, texts::kCheckLineOfActionTip);
  // The two buttons share the row right of the check box. Each ends where the
  // next begins (0.29 P wide), rounded so that they never overlap by a pixel.
  const int strengthX = RoundToInt(0.42 * p + 8);
  const int hubX = RoundToInt(0.71 * p + 8);
  CreateButtonControl(kButtonStrength, strengthX, y1 - 2, std::min(RoundToInt(0.29 * p), hubX - strengthX),
                      gFieldHeight + 4, texts::kButtonStrengthText);
  GadgetSetToolTip(kButtonStrength, texts::kButtonStrengthTip);
  CreateButtonControl(kButtonHubKeyway, hubX, y1 - 2, RoundToInt(0.29 * p), gFieldHeight + 4,
                      texts::kButtonHubKeywayText);
  GadgetSetToolTip(kButtonHubKeyway, texts::kButtonHubKeywayTip);
  WidenBeforeNeighbour(kCheckLineOfAction, kButtonStrength);
  WidenBeforeNeighbour(kButtonStrength, kButtonHubKeyway);
  WidenToFit(kButtonHubKeyway);

  const int y2 = y1 + gRowStep + 2;
  CreateComboBoxControl(kComboExportWhat, 8, y2, gPanelWidth, gFieldHeight);
  GadgetAddItem(kComboExportWhat, -1, texts::kExportBothItem);
  GadgetAddItem(kComboExportWhat, -1, texts::kExportGear1Item);
  GadgetAddItem(kComboExportWhat, -1, texts::kExportGear2Item);
  GadgetSetState(kComboExportWhat, 0);
  WidenToFit(kComboExportWhat);

  const int y3 = y2 + gRowStep + 2;
  const int bw3 = (gPanelWidth - 12) / 3;
  CreateButtonControl(kButtonExportDxf, 8, y3, bw3, gFieldHeight + 6, texts::kButtonExportDxfText);
  CreateButtonControl(kButtonExportStep, bw3 + 14, y3, bw3, gFieldHeight + 6, texts::kButtonExportStepText);
  CreateButtonControl(kButtonExportStl, gPanelWidth - bw3 + 8, y3, bw3, gFieldHeight + 6, texts::kButtonExportStlText);
  WidenBeforeNeighbour(kButtonExportDxf, kButtonExportStep);
  WidenBeforeNeighbour(kButtonExportStep, kButtonExportStl);
  WidenToFit(kButtonExportStl);

  const int y4 = y3 + gFieldHeight + 12;
  CreateTextControl(kAnyNumber, 8, y4 + (gFieldHeight - gLineHeight) / 2, gFieldX - 12, gLineHeight + 4,
                    texts::kChordToleranceLabel);
  CreateTextEntryControl(kFieldChordTolerance, gFieldX, y4, gHalfFieldWidth, gFieldHeight, "0,01");
  GadgetSetToolTip(kFieldChordTolerance, texts::kChordToleranceTip);
  return y4;
}

}  // namespace

void BuildMainWindow() {
  // Step 1: the measured labels and the two fonts.
  const std::vector<std::string_view> labels = {
      texts::kLabelRatio,         texts::kLabelProfileShiftX1, texts::kLabelBores,
      texts::kLabelTolerance,     texts::kLabelPressureAngle,  texts::kLabelHelixAngleHand,
      texts::kLabelZ1MinToothDiff, texts::kLabelThicknessAllowance,
  };
  gReportFont = FontLoad(kAnyNumber, "Consolas", 9, 0);
  gCanvasFont = FontLoad(kAnyNumber, "Segoe UI", 10, 0);

  // Step 2: the window, at most as high as the desktop allows.
  int height = kDefaultWindowHeight;
  const int desktopHeight = DesktopHeightLogical();
  if (desktopHeight > 0) height = std::min(desktopHeight - kDesktopMargin, kDefaultWindowHeight);
  WindowOpenTopLevel(kWindowMain, 0, 0, kMainWindowWidth, height, texts::kMainWindowTitle,
                     kWindowNormal | kWindowScreenCentered);

  // Step 3: metrics.
  ComputeUiMetrics(labels);

  // Step 4: the scrolled left column.
  CreateScrollAreaControl(kScrollLeftColumn, 0, 0, gAreaWidth, WindowGetInnerHeight(kWindowMain), gPanelWidth + 16,
                          3000, gRowStep);

  BuildProjectButtons();

  // Steps 6-8: the tab panel, sized to its tallest page plus its chrome.
  const int panelY = gFieldHeight + 20;
  CreatePanelControl(kPanelTabs, 8, panelY, gPanelWidth, 2000);
  int contentHeight = BuildPairPage();
  contentHeight = std::max(contentHeight, BuildSinglePage());
  contentHeight = std::max(contentHeight, BuildRackPage());
  contentHeight = std::max(contentHeight, BuildInternalPage());
  GadgetContainerEnd();
  const int pageHeight = int(GadgetGetAttribute(kPanelTabs, kAttrPanelItemHeight));
  int chrome = GadgetGetHeight(kPanelTabs) - pageHeight;
  if (pageHeight <= 0 || chrome <= 0 || chrome > 6 * gFieldHeight) chrome = gFieldHeight + 16;
  GadgetResize(kPanelTabs, kKeep, kKeep, kKeep, contentHeight + chrome + 6);
  GadgetSetState(kPanelTabs, kTabPair);

  // Steps 9-11: view and export controls, the report editor, the column height.
  const int y4 = BuildViewControls(panelY + GadgetGetHeight(kPanelTabs) + 8);
  gReportTop = y4 + gRowStep + 6;
  const int reportHeight =
      RoundToInt(std::max(double(WindowGetInnerHeight(kWindowMain) - gReportTop - 8), double(kReportMinHeight)));
  CreateEditorControl(kEditorReport, 8, gReportTop, gPanelWidth, reportHeight, kEditorReadOnly);
  GadgetSetFont(kEditorReport, gReportFont);
  GadgetContainerEnd();
  GadgetSetAttribute(kScrollLeftColumn, kAttrScrollAreaInnerHeight, gReportTop + reportHeight + 8);

  // Step 12: tall enough to show the report's first lines, within the desktop.
  int wanted = gReportTop + 208;
  if (desktopHeight - kDesktopMargin > 0 && wanted > desktopHeight - kDesktopMargin) {
    wanted = desktopHeight - kDesktopMargin;
  }
  if (wanted > WindowGetInnerHeight(kWindowMain)) {
    const int y = desktopHeight > 0 ? RoundToInt(std::max(0.0, (desktopHeight - wanted) / 2.0 - 20)) : 0;
    WindowResize(kWindowMain, kKeep, y, kKeep, wanted);
  }

  // Step 13: the canvas right of the column.
  const int innerW = WindowGetInnerWidth(kWindowMain);
  const int innerH = WindowGetInnerHeight(kWindowMain);
  CreateCanvasControl(kCanvasView, gAreaWidth + 4, 8,
                      RoundToInt(std::max(double(innerW - gAreaWidth - 12), double(kCanvasMinSize))),
                      RoundToInt(std::max(double(innerH - 16), double(kCanvasMinSize))), kCanvasKeyboard);

  // Steps 14-15.
  WindowSetSizeLimits(kWindowMain, gAreaWidth + 400, 420, kNoLimit, kNoLimit);
  EventBindCallback(kWindowMain, kEventSizeWindow, LayoutMainWindow);
  LayoutMainWindow();
}

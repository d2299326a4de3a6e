// Window 2, the hub-and-keyway window: building, showing and hiding it.
#include "app/hub_keyway_window.h"

#include <algorithm>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "platform/gui.h"
#include "texts/hub_texts.h"

namespace {

// Right edge of the window's controls: the fields' edge, or further right
// where a control had to grow to show its texts.
int gHubContentRight = 0;

void WidenHubControl(int64_t control) { gHubContentRight = std::max(gHubContentRight, WidenToFit(control)); }

// The window's height for its content: two gear blocks from y 10, the note of
// three lines and the Close button with 16 px below it (layout metrics of the
// main window).
int ComputeHubWindowHeight() {
  // A block: heading (L + 6), keyway row, width/depth row, hub row, hub size
  // row, and 10 px after it.
  const int block = gLineHeight + 6 + 4 * gRowStep + 10;
  const int noteY = 10 + 2 * block;
  const int closeY = noteY + 3 * gLineHeight + 6;
  return closeY + gFieldHeight + 16;
}

// The controls of gear k (0: gear 1 / pinion, 1: gear 2) from row cursor y;
// returns the cursor after the block.
int BuildGearBlock(int64_t k, int y) {
  const int c = gFieldX + gFieldWidth - 10;
  const int rightHalfX = gFieldX + gFieldWidth - gHalfFieldWidth;

  CreateTextControl(k == 0 ? kTextHubGear1 : kTextHubGear2, 10, y, c, gLineHeight + 4,
                    k == 0 ? texts::kHubGear1Heading : texts::kHubGear2Heading);
  y += gLineHeight + 6;

  const int64_t keyway = HubControl(kComboKeyway1, k);
  AddFieldLabel(y, texts::kHubKeywayLabel);
  CreateComboBoxControl(keyway, gFieldX, y, gFieldWidth, gFieldHeight);
  GadgetAddItem(keyway, -1, texts::kHubKeywayNone);
  GadgetAddItem(keyway, -1, texts::kHubKeywayDin);
  GadgetAddItem(keyway, -1, texts::kHubKeywayCustom);
  GadgetSetState(keyway, 0);
  WidenHubControl(keyway);
  y += gRowStep;

  const int64_t width = HubControl(kFieldKeyWidth1, k);
  const int64_t depth = HubControl(kFieldKeyDepth1, k);
  AddFieldLabel(y, texts::kHubKeySizeLabel);
  CreateTextEntryControl(width, gFieldX, y, gHalfFieldWidth, gFieldHeight, "");
  CreateTextEntryControl(depth, rightHalfX, y, gHalfFieldWidth, gFieldHeight, "");
  GadgetSetToolTip(depth, texts::kHubKeyDepthTip);
  // Inputs only for a custom keyway; the compute enables them for it.
  GadgetDisable(width, true);
  GadgetDisable(depth, true);

  const int64_t hub = HubControl(kComboHub1, k);
  AddFieldLabel(y + gRowStep, texts::kHubSideLabel);
  CreateComboBoxControl(hub, gFieldX, y + gRowStep, gFieldWidth, gFieldHeight);
  GadgetAddItem(hub, -1, texts::kHubSideNone);
  GadgetAddItem(hub, -1, texts::kHubSideLeft);
  GadgetAddItem(hub, -1, texts::kHubSideRight);
  GadgetAddItem(hub, -1, texts::kHubSideBoth);
  GadgetSetState(hub, 0);
  WidenHubControl(hub);
  y += 2 * gRowStep;

  const int64_t diameter = HubControl(kFieldHubDiameter1, k);
  const int64_t length = HubControl(kFieldHubLength1, k);
  AddFieldLabel(y, texts::kHubSizeLabel);
  CreateTextEntryControl(diameter, gFieldX, y, gHalfFieldWidth, gFieldHeight, "");
  CreateTextEntryControl(length, rightHalfX, y, gHalfFieldWidth, gFieldHeight, texts::kHubLengthDefault);
  GadgetSetToolTip(diameter, texts::kHubDiameterTip);
  GadgetSetToolTip(length, texts::kHubLengthTip);
  y += gRowStep + 10;
  return y;
}

}  // namespace

void BuildHubKeywayWindow() {
  // The height follows from the layout metrics alone, so the window opens at
  // its final size and is centred on the main window as it will be shown.
  const int height = ComputeHubWindowHeight();
  const int width = gFieldX + gFieldWidth + 20;
  if (WindowOpen(kWindowHubKeyway, 0, 0, width, height, texts::kHubWindowTitle,
                 kWindowTitleBar | kWindowSystemMenu | kWindowParentCentered | kWindowInvisible,
                 kWindowMain) < 0) {
    return;
  }

  gHubContentRight = 0;
  int y = 10;
  y = BuildGearBlock(0, y);
  y = BuildGearBlock(1, y);

  const int c = gFieldX + gFieldWidth - 10;
  CreateTextControl(kAnyNumber, 10, y, c, 3 * gLineHeight, texts::kHubWindowNote);
  const int closeY = y + 3 * gLineHeight + 6;
  CreateButtonControl(kButtonHubClose, c / 2 + 10, closeY, c / 2, gFieldHeight + 6, texts::kHubCloseText);
  WidenHubControl(kButtonHubClose);
  // A control that had to grow keeps 10 px to the window's right edge.
  if (gHubContentRight + 10 > width) WindowResize(kWindowHubKeyway, kKeep, kKeep, gHubContentRight + 10, kKeep);

  // The blocks end where the height computation says; should they not, the
  // window still fits its Close button.
  if (closeY + gFieldHeight + 16 != height) {
    WindowResize(kWindowHubKeyway, kKeep, kKeep, kKeep, closeY + gFieldHeight + 16);
  }
  WindowAddShortcut(kWindowHubKeyway, kKeyF1, kMenuItemHelp);
}

void ShowHubKeywayWindow() {
  gHubWindowShown = 1;
  WindowSetState(kWindowHubKeyway, kWindowStateShown);
}

void HideHubKeywayWindow() {
  gHubWindowShown = 0;
  WindowSetState(kWindowHubKeyway, kWindowStateHidden);
}

// The window, control and event layer: numbered windows and controls, one event
// queue, timers, menus, fonts, text measurement, clipboard and system services.
//
// This header is free of Qt: design/ and app/ code include it and never see a
// widget. Texts are UTF-8 std::string; sizes and positions are logical pixels
// unless an operation says "device pixels". Numbers of windows, controls, menus,
// fonts and images are chosen by the program; pass kAnyNumber to let the layer
// choose one (it is returned), taken from a private range from 1000 up.
//
// Program-made changes of a control's text, state or items never post an event;
// only user actions do. Size events of a window are not queued: they go to the
// callback bound with EventBindCallback, called directly (also inside modal
// dialogs).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------
// Codes
// ---------------------------------------------------------------------------

inline constexpr int64_t kAnyNumber = -1;  // "choose a free number for me"
inline constexpr int kKeep = -65535;       // GadgetResize / WindowResize: keep this coordinate
inline constexpr int kNoLimit = -1;        // WindowSetSizeLimits: no limit

// Event kinds returned by EventWait / EventPoll.
inline constexpr int64_t kEventNone = 0;
inline constexpr int64_t kEventControl = 13100;      // a control changed or was clicked
inline constexpr int64_t kEventMenu = 13101;         // a menu item or a keyboard shortcut
inline constexpr int64_t kEventTimer = 13110;        // a window timer ticked
inline constexpr int64_t kEventCloseWindow = 13116;  // the close box of a window
inline constexpr int64_t kEventSizeWindow = 13118;   // size changed (bound callbacks only)

// Sub-kinds of control events (EventSubtype).
inline constexpr int64_t kSubClick = 0;            // list view row clicked
inline constexpr int64_t kSubDoubleClick = 2;      // canvas or list view double-click
inline constexpr int64_t kSubChanged = 768;        // text edited, selection or tab changed
inline constexpr int64_t kSubMouseEnter = 65537;   // canvas: mouse entered
inline constexpr int64_t kSubMouseLeave = 65538;   // canvas: mouse left
inline constexpr int64_t kSubMouseMove = 65539;    // canvas: mouse moved
inline constexpr int64_t kSubLeftDown = 65540;     // canvas: left button pressed
inline constexpr int64_t kSubLeftUp = 65541;       // canvas: left button released
inline constexpr int64_t kSubRightDown = 65542;    // canvas: right button pressed
inline constexpr int64_t kSubRightUp = 65543;      // canvas: right button released
inline constexpr int64_t kSubWheel = 65546;        // canvas: wheel turned

// Control kinds (GadgetGetType). Check box 4 and track bar 17 are fixed codes
// the dispatch tests; the others are this layer's own.
inline constexpr int64_t kControlButton = 1;
inline constexpr int64_t kControlText = 2;        // static text
inline constexpr int64_t kControlTextEntry = 3;   // single-line text entry
inline constexpr int64_t kControlCheckBox = 4;
inline constexpr int64_t kControlImage = 5;
inline constexpr int64_t kControlComboBox = 8;
inline constexpr int64_t kControlListView = 12;
inline constexpr int64_t kControlScrollArea = 16;
inline constexpr int64_t kControlTrackBar = 17;
inline constexpr int64_t kControlEditor = 22;
inline constexpr int64_t kControlPanel = 28;      // tab panel
inline constexpr int64_t kControlCanvas = 33;
inline constexpr int64_t kControlNone = 0;        // no such control

// Attributes (GadgetGetAttribute / GadgetSetAttribute).
inline constexpr int64_t kAttrCanvasMouseX = 1;        // device pixels, canvas origin
inline constexpr int64_t kAttrCanvasMouseY = 2;        // device pixels
inline constexpr int64_t kAttrCanvasWheelDelta = 3;    // notches, positive = away from the user
inline constexpr int64_t kAttrPanelItemWidth = 10;     // inner width of a tab page
inline constexpr int64_t kAttrPanelItemHeight = 11;    // inner height of a tab page
inline constexpr int64_t kAttrScrollAreaInnerWidth = 20;
inline constexpr int64_t kAttrScrollAreaInnerHeight = 21;
inline constexpr int64_t kAttrScrollAreaX = 22;        // scroll position
inline constexpr int64_t kAttrScrollAreaY = 23;
inline constexpr int64_t kAttrScrollStep = 24;
inline constexpr int64_t kAttrTrackBarMinimum = 30;
inline constexpr int64_t kAttrTrackBarMaximum = 31;

// Window flags (WindowOpenTopLevel / WindowOpen).
inline constexpr int64_t kWindowTitleBar = 1 << 0;
inline constexpr int64_t kWindowSystemMenu = 1 << 1;
inline constexpr int64_t kWindowSizeable = 1 << 2;
inline constexpr int64_t kWindowMinimizeBox = 1 << 3;
inline constexpr int64_t kWindowMaximizeBox = 1 << 4;
inline constexpr int64_t kWindowScreenCentered = 1 << 5;
inline constexpr int64_t kWindowParentCentered = 1 << 6;
inline constexpr int64_t kWindowInvisible = 1 << 7;
// Application-modal: while it is shown no other window takes mouse or key input.
inline constexpr int64_t kWindowModal = 1 << 8;
inline constexpr int64_t kWindowNormal = kWindowTitleBar | kWindowSystemMenu | kWindowSizeable |
                                         kWindowMinimizeBox | kWindowMaximizeBox;

// WindowSetState flags.
inline constexpr int64_t kWindowStateShown = 0;
inline constexpr int64_t kWindowStateHidden = 1;

// Control flags.
inline constexpr int64_t kTextCenter = 1 << 0;       // CreateTextControlFull
inline constexpr int64_t kTextRight = 1 << 1;
inline constexpr int64_t kTextBorder = 1 << 2;       // sunken border
inline constexpr int64_t kButtonDefault = 1 << 3;    // CreateButtonControlFull
inline constexpr int64_t kEditorReadOnly = 1 << 4;   // CreateEditorControl
inline constexpr int64_t kComboEditable = 1 << 5;    // CreateComboBoxControlFull
inline constexpr int64_t kListFullRowSelect = 1 << 6;     // CreateListViewControl
inline constexpr int64_t kListAlwaysShowSelection = 1 << 7;
inline constexpr int64_t kListGridLines = 1 << 8;
inline constexpr int64_t kCanvasKeyboard = 1 << 9;   // CreateCanvasControl: can take the focus

// Font flags (FontLoad).
inline constexpr int64_t kFontBold = 1 << 0;
inline constexpr int64_t kFontItalic = 1 << 1;
inline constexpr int64_t kDefaultFont = -1;  // the default control font

// Shortcut codes (WindowAddShortcut): a key, optionally or-ed with modifiers.
// Letters and digits are their upper-case ASCII codes ('O', 'S').
inline constexpr int64_t kShortcutControl = 1 << 24;
inline constexpr int64_t kShortcutShift = 1 << 25;
inline constexpr int64_t kShortcutAlt = 1 << 26;
inline constexpr int64_t kKeyF1 = 0x10001;
inline constexpr int64_t kKeyEscape = 0x10020;
inline constexpr int64_t kKeyReturn = 0x10021;

// Message dialogs: buttons, icons and results.
inline constexpr int64_t kMessageOk = 0;
inline constexpr int64_t kMessageYesNo = 1;
inline constexpr int64_t kMessageYesNoCancel = 2;
inline constexpr int64_t kMessageIconInfo = 1 << 4;
inline constexpr int64_t kMessageIconWarning = 1 << 5;
inline constexpr int64_t kMessageIconError = 1 << 6;
inline constexpr int64_t kMessageIconQuestion = 1 << 7;
inline constexpr int64_t kResultOk = 1;
inline constexpr int64_t kResultCancel = 2;
inline constexpr int64_t kResultYes = 6;
inline constexpr int64_t kResultNo = 7;

// ---------------------------------------------------------------------------
// Start and end
// ---------------------------------------------------------------------------

// Starts the layer: creates the private text heap, the application object (when
// none exists yet; a test may have made one), sets LC_NUMERIC to "C" and keeps
// the command line. Returns false when the application cannot start.
bool PlatformStart(int argc, char** argv);
// Shuts the layer down: controls, windows, timers, events, images, fonts; the
// application object when this layer made it; the private text heap last.
// PlatformStart may be called again afterwards (tests start the program anew).
void PlatformEnd();
// True between PlatformStart and PlatformEnd.
bool PlatformIsRunning();

// ---------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------

// Blocks until an event is queued and makes it the current event; returns its kind.
int64_t EventWait();
// Processes pending window-system work without waiting; returns the kind of the
// next queued event (made current), or kEventNone when the queue is empty.
int64_t EventPoll();
int64_t EventObject();   // control, menu item or timer number of the current event
int64_t EventSubtype();  // sub-kind of a control event
int64_t EventWindow();   // window number of the current event
// Events still queued (for tests).
int64_t EventQueueLength();
// Binds the size event (kEventSizeWindow) of a window to a callback, called
// directly whenever the window's size changes; a null callback unbinds.
using EventCallback = int64_t (*)();
void EventBindCallback(int64_t window, int64_t kind, EventCallback callback);

// ---------------------------------------------------------------------------
// Windows
// ---------------------------------------------------------------------------

// Opens a top-level window; returns its number, -1 on failure.
int64_t WindowOpenTopLevel(int64_t window, int x, int y, int width, int height, std::string_view title,
                           int64_t flags);
// Opens a window owned by parentWindow (kWindowParentCentered centres it on it;
// kWindowModal makes it application-modal).
int64_t WindowOpen(int64_t window, int x, int y, int width, int height, std::string_view title,
                   int64_t flags, int64_t parentWindow);
bool WindowExists(int64_t window);
void WindowClose(int64_t window);
void WindowSetTitle(int64_t window, std::string_view title);
std::string WindowGetTitle(int64_t window);
// Size limits of the inner area; kNoLimit for none.
void WindowSetSizeLimits(int64_t window, int minWidth, int minHeight, int maxWidth, int maxHeight);
// Moves and resizes the window's frame position / inner size; kKeep keeps a value.
void WindowResize(int64_t window, int x, int y, int width, int height);
int WindowGetInnerWidth(int64_t window);
int WindowGetInnerHeight(int64_t window);
int WindowGetX(int64_t window);
int WindowGetY(int64_t window);
// kWindowStateHidden hides the window (its owner becomes active);
// kWindowStateShown shows it again in its previous state and brings it to front.
void WindowSetState(int64_t window, int64_t state);
bool WindowIsVisible(int64_t window);
void WindowDisable(int64_t window, bool disabled);
bool WindowIsDisabled(int64_t window);
void WindowActivate(int64_t window);
// A numbered timer of a window; a tick is not queued while the previous tick
// of the same timer is still waiting in the queue.
void WindowAddTimer(int64_t window, int64_t timer, int milliseconds);
void WindowRemoveTimer(int64_t window, int64_t timer);
bool WindowHasTimer(int64_t window, int64_t timer);
// A keyboard shortcut of a window that raises menu event `menuItem` on it.
void WindowAddShortcut(int64_t window, int64_t shortcut, int64_t menuItem);
// An opaque handle of the window (0 when there is none).
uintptr_t WindowGetHandle(int64_t window);

// ---------------------------------------------------------------------------
// Menus
// ---------------------------------------------------------------------------

bool MenuCreatePopup(int64_t menu);
// Text may hold "\t" followed by the shortcut's name, shown right-aligned.
void MenuAddItem(int64_t menu, int64_t item, std::string_view text);
// Shows the pop-up at the mouse position over the window (handle from
// WindowGetHandle); a chosen item is queued as a menu event of that window.
void MenuShowPopup(int64_t menu, uintptr_t windowHandle);
// Test hook: when set, MenuShowPopup calls it in place of showing the menu.
// It gets the menu's item numbers and texts and returns the item to choose
// (or -1 for none).
using PopupResponder = std::function<int64_t(int64_t menu, const std::vector<std::pair<int64_t, std::string>>& items)>;
void SetPopupResponder(PopupResponder responder);

// ---------------------------------------------------------------------------
// Controls: creation (in the current container: the last window opened, or an
// open tab page / scroll area / panel until GadgetContainerEnd)
// ---------------------------------------------------------------------------

int64_t CreateButtonControl(int64_t control, int x, int y, int width, int height, std::string_view text);
int64_t CreateButtonControlFull(int64_t control, int x, int y, int width, int height, std::string_view text,
                                int64_t flags);
int64_t CreateTextEntryControl(int64_t control, int x, int y, int width, int height, std::string_view text);
int64_t CreateTextControl(int64_t control, int x, int y, int width, int height, std::string_view text);
int64_t CreateTextControlFull(int64_t control, int x, int y, int width, int height, std::string_view text,
                              int64_t flags);
int64_t CreateCheckBoxControl(int64_t control, int x, int y, int width, int height, std::string_view text);
int64_t CreateComboBoxControl(int64_t control, int x, int y, int width, int height);
int64_t CreateComboBoxControlFull(int64_t control, int x, int y, int width, int height, int64_t flags);
// A multi-column list view; further columns with GadgetAddColumn.
int64_t CreateListViewControl(int64_t control, int x, int y, int width, int height,
                              std::string_view firstTitle, int firstWidth, int64_t flags);
void GadgetAddColumn(int64_t control, int position, std::string_view title, int width);
int64_t CreateTrackBarControl(int64_t control, int x, int y, int width, int height, int minimum, int maximum);
int64_t CreateEditorControl(int64_t control, int x, int y, int width, int height, int64_t flags);
int64_t CreateCanvasControl(int64_t control, int x, int y, int width, int height, int64_t flags);
int64_t CreateImageControl(int64_t control, int x, int y, int width, int height, int64_t image);
// A tab panel; each GadgetAddItem adds a tab page and makes it the current
// container until the next tab or GadgetContainerEnd.
int64_t CreatePanelControl(int64_t control, int x, int y, int width, int height);
// A scroll area with a scrolled inner area of innerWidth x innerHeight; it is
// the current container until GadgetContainerEnd.
int64_t CreateScrollAreaControl(int64_t control, int x, int y, int width, int height, int innerWidth,
                                int innerHeight, int scrollStep);
// Closes the current tab panel (with its open page) or scroll area.
void GadgetContainerEnd();

// ---------------------------------------------------------------------------
// Controls: state, text, items
// ---------------------------------------------------------------------------

bool GadgetExists(int64_t control);
int64_t GadgetGetType(int64_t control);
// Text entry, static text, button, check box, editor: the text; combo box: the
// shown text (the edit text of an editable one); tab panel: current tab title.
// An editor returns the text exactly as it was set (CR LF kept).
std::string GadgetGetText(int64_t control);
void GadgetSetText(int64_t control, std::string_view text);
// Tab panel: tab index; list view / combo box: selected row (-1 none); check
// box: 1 checked, 0 not; track bar: position. Setting posts no event.
int64_t GadgetGetState(int64_t control);
void GadgetSetState(int64_t control, int64_t state);
// Adds an item at position (-1 = at the end). List view: the columns separated
// by "\n". Combo box: one entry. Tab panel: a new tab page (see CreatePanelControl).
void GadgetAddItem(int64_t control, int position, std::string_view text);
void GadgetClearItems(int64_t control);
int64_t GadgetCountItems(int64_t control);
// Text of an item (list view: the given column; item -1 gives the column title).
std::string GadgetGetItemText(int64_t control, int item, int column);
int64_t GadgetGetAttribute(int64_t control, int64_t attribute);
void GadgetSetAttribute(int64_t control, int64_t attribute, int64_t value);
void GadgetSetToolTip(int64_t control, std::string_view text);
std::string GadgetGetToolTip(int64_t control);
void GadgetSetFocus(int64_t control);
bool GadgetHasFocus(int64_t control);
void GadgetDisable(int64_t control, bool disabled);
void GadgetHide(int64_t control, bool hidden);
// Colours as 0xRRGGBB; -1 restores the default.
void GadgetSetFrontColor(int64_t control, int64_t rgb);
void GadgetSetBackColor(int64_t control, int64_t rgb);

// ---------------------------------------------------------------------------
// Controls: geometry and fonts
// ---------------------------------------------------------------------------

int GadgetGetX(int64_t control);
int GadgetGetY(int64_t control);
int GadgetGetWidth(int64_t control);
int GadgetGetHeight(int64_t control);
// kKeep keeps a coordinate.
void GadgetResize(int64_t control, int x, int y, int width, int height);
void GadgetSetFont(int64_t control, int64_t font);  // kDefaultFont restores the default
int64_t GadgetGetFont(int64_t control);              // kDefaultFont when none was set

// ---------------------------------------------------------------------------
// Controls: room for their texts (logical pixels, measured in the control's
// own font and style)
// ---------------------------------------------------------------------------

// The width a control needs to show `text` whole: a static text the text
// itself; a button the text within the button's margins and frame; a check box
// the box, its spacing and the text; a combo box the text as its shown item,
// with frame and arrow. 0 for other kinds of control.
int GadgetGetFitWidth(int64_t control, std::string_view text);
// List view columns.
int GadgetGetColumnWidth(int64_t control, int column);
void GadgetSetColumnWidth(int64_t control, int column, int width);
// The width a list view column needs to show `text` in a cell and its own title.
int GadgetGetColumnFitWidth(int64_t control, int column, std::string_view text);
// From now on the last column of a list view takes the list's spare width
// whenever the list changes size; it never gets narrower than it was set.
void GadgetStretchLastColumn(int64_t control);

// ---------------------------------------------------------------------------
// Fonts
// ---------------------------------------------------------------------------

// Loads a font by face name and size in points. When the face is missing the
// closest installed family is used: a face whose name says "Consolas" or
// "Mono"/"Courier" falls back to the system's monospace font, any other to
// its sans-serif font. Returns the font's number, -1 on failure.
int64_t FontLoad(int64_t font, std::string_view face, double pointSize, int64_t flags);
int64_t FontLoadFull(std::string_view face, double pointSize, bool bold);
void FontFree(int64_t font);
bool FontExists(int64_t font);
// An opaque handle of the font, 0 when none.
uintptr_t FontGetHandle(int64_t font);
// The family actually used, and the point size asked for (for tests).
std::string FontGetFamily(int64_t font);
double FontGetPointSize(int64_t font);
bool FontIsFixedPitch(int64_t font);

// ---------------------------------------------------------------------------
// Images and drawing outputs
// ---------------------------------------------------------------------------

int64_t ImageCreate(int64_t image, int width, int height);
void ImageFree(int64_t image);
bool ImageExists(int64_t image);
int ImageGetWidth(int64_t image);
int ImageGetHeight(int64_t image);
// Writes an image (or a canvas's back buffer, see CanvasSavePng) as PNG.
bool ImageSavePng(int64_t image, const std::string& path);

// PNG images decoded from memory with libpng (any colour type becomes 8-bit
// RGBA). Registering the decoder is harmless to repeat. ImageCatch decodes the
// block [start, end) into a new image; -1 when it is not a readable PNG.
bool PngDecoderRegister();
int64_t ImageCatch(int64_t image, const unsigned char* start, const unsigned char* end);
// An opaque handle of the image (0 when none), for CreateImageControl users.
uintptr_t ImageGetHandle(int64_t image);

// A drawing output: an image's pixels or a canvas's back buffer.
using DrawingOutput = int64_t;
DrawingOutput ImageGetOutput(int64_t image);
DrawingOutput CanvasGetOutput(int64_t canvas);
// Starts drawing on an output; false when it cannot be drawn on. A canvas
// output is shown when drawing stops.
bool DrawingStart(DrawingOutput output);
void DrawingStop();
// Font of the drawing's text (kDefaultFont: the default control font).
void DrawingSetFont(int64_t font);
// Width and height of a text in the output's device pixels.
int DrawingTextWidth(std::string_view text);
int DrawingTextHeight(std::string_view text);
// Size of the current drawing output in device pixels.
int DrawingOutputWidth();
int DrawingOutputHeight();
// The canvas's back buffer as PNG (for tests).
bool CanvasSavePng(int64_t canvas, const std::string& path);
// RGBA pixel of the canvas's back buffer at device pixel (x, y), 0 outside.
uint32_t CanvasGetPixel(int64_t canvas, int x, int y);

// ---------------------------------------------------------------------------
// Screen
// ---------------------------------------------------------------------------

// Number of desktops (screens); 0 when none can be examined.
int64_t DesktopsExamine();
// Size of a desktop in device pixels (0 when unknown).
int DesktopGetWidth(int64_t desktop);
int DesktopGetHeight(int64_t desktop);
// Device pixels per logical pixel of the primary screen.
double DpiScaleX();
double DpiScaleY();
// Device pixels -> logical pixels, rounded.
int DpiUnscaleX(int devicePixels);
int DpiUnscaleY(int devicePixels);

// ---------------------------------------------------------------------------
// Clipboard, command line, files, shell, message boxes
// ---------------------------------------------------------------------------

void ClipboardSetText(std::string_view text);
std::string ClipboardGetText();

// Arguments after the program path, surrounding double quotes removed.
int64_t CommandLineParameterCount();
std::string CommandLineParameter(int64_t index);
// Test hook: replaces the command line that PlatformStart kept.
void SetCommandLineParameters(const std::vector<std::string>& parameters);

// Size of a file in bytes; -1 when it does not exist, -2 for a directory.
int64_t FileSizeOrKind(const std::string& path);
// The program's full path; the folder part of a path (up to and including the
// last "/" or "\"); the current directory with a trailing separator.
std::string ProgramPath();
std::string FilePathFolder(std::string_view path);
std::string CurrentDirectory();
// Test hook: ProgramPath answers as if the program lay in this folder ("" = off).
void SetProgramFolderOverride(const std::string& folder);

// Opens a document in the system's associated program; false when the request
// could not be made.
bool OpenWithShell(const std::string& path);
// Test hook: called in place of the shell with the path.
using ShellOpenHook = std::function<bool(const std::string& path)>;
void SetShellOpenHook(ShellOpenHook hook);

// A modal message box over the active window; returns kResultOk / Yes / No /
// Cancel. Escape or the close box answer Cancel (No where there is no Cancel).
int64_t MessageDialog(std::string_view title, std::string_view text, int64_t flags);
// Test hook: answers every message box in its place (gets title, text, flags).
using MessageResponder = std::function<int64_t(const std::string& title, const std::string& text, int64_t flags)>;
void SetMessageResponder(MessageResponder responder);

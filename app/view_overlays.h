// Overlays drawn over the gears of the view: the line of action of the pair,
// the rack pair and the internal pair (path of contact A-E, single-pair zone
// B-D, pitch point C, tangent points, current contact points and a legend),
// and the critical root sections that the strength calculation found.
#pragma once

#include <cstdint>
#include <string_view>

#include "design/strength_results.h"
#include "geometry/path_of_contact.h"
#include "platform/canvas_drawing.h"

// Colours and strokes (canvas logical pixels).
inline constexpr DrawColour kOverlayPitchColour{150, 0, 180, 200};    // operating pitch circles, purple
inline constexpr DrawColour kLineOfActionColour{80, 80, 90, 220};     // the whole line, grey
inline constexpr DrawColour kPathOfContactColour{220, 40, 150, 230};  // A-E, magenta
inline constexpr DrawColour kSinglePairColour{200, 0, 0, 255};        // B-D, red
inline constexpr DrawColour kLabelColour{40, 40, 50, 255};            // labelled dots and their texts
inline constexpr DrawColour kContactPointFill{0, 170, 70, 255};       // current contact point, green
inline constexpr DrawColour kContactPointRing{0, 60, 20, 255};
inline constexpr DrawColour kLegendTextColour{60, 60, 70, 255};
inline constexpr DrawColour kRootChordColour{220, 0, 0, 255};

inline constexpr double kOverlayPitchDash = 4.0;   // dash and gap, width 1
inline constexpr double kPathWidth = 4.0;          // A-E and B-D and their legend bars
inline constexpr double kLabelDotRadius = 3.5;
inline constexpr double kContactDotRadius = 5.5;
inline constexpr double kContactRingWidth = 1.2;
inline constexpr double kRootChordWidth = 2.5;
inline constexpr double kOverlayTextSize = 13.0;   // text size in logical pixels
// A label sits this far from its dot along the line's normal on the screen,
// and this much higher.
inline constexpr double kLabelOffset = 9.0;
inline constexpr double kLabelLift = 2.0;

// Kinds of root-section marks.
enum RootMarkKind : int64_t {
  kRootMarkExternal = 0,
  kRootMarkRing = 1,
  kRootMarkRack = 2,
};

// The line-of-action overlays of the external pair, the internal pair, and
// pinion and rack (rackShift: the shift the redraw used for the rack).
void DrawPairContactOverlay();
void DrawInternalContactOverlay();
void DrawRackContactOverlay(double rackShift);

// Draws one line of action: the whole line, A-E, B-D, the labelled points and
// the current contact points. An empty t2Label leaves T2 unlabelled.
void DrawPathOfContact(const PathOfContactRecord& path, std::string_view t2Label);
// Adds the part of the line between positions t0 and t1 (mm from T1) to the
// current path.
void DrawPathSegment(const PathOfContactRecord& path, double t0, double t1);
// A dot and a text at position t; nothing when the point is not in the view.
void DrawLabelledPoint(const PathOfContactRecord& path, double t, std::string_view text);
// The legend in the top-left corner; its last line ends with `text`.
void DrawContactLegend(std::string_view text);

// The critical root chords of the mode, while the strength window is shown,
// for spur gears with a valid strength result.
void DrawRootSectionOverlay();
// One chord of a gear centred at (x, y) whose tooth centre line points along
// `angle` (kinds 0 and 1), or of the rack whose tooth centre line is x (kind 2).
void DrawRootSectionMark(const RootSection& section, int64_t kind, double x, double y, double angle);

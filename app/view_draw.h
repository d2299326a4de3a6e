// Drawing of gears and racks into the frame that RedrawView builds: body filled
// even-odd with the hole left open, outline, pitch and base circles, hub and
// centre cross; and the model circle, canvas line and canvas polyline that the
// overlays use. Every shape is clipped before it reaches the drawing output.
#pragma once

#include <cstdint>

#include "app/view_clip.h"
#include "geometry/gear_record.h"
#include "platform/canvas_drawing.h"

// Fill colours of the two bodies of a design.
inline constexpr DrawColour kGear1Colour{140, 175, 220, 255};  // gear 1 / pinion, blue
inline constexpr DrawColour kGear2Colour{235, 185, 110, 255};  // gear 2 / rack / ring, orange

inline constexpr DrawColour kOutlineColour{30, 30, 40, 255};
inline constexpr DrawColour kPitchColour{0, 60, 200, 220};
inline constexpr DrawColour kBaseCircleColour{0, 150, 60, 160};
inline constexpr DrawColour kHubColour{90, 90, 90, 200};
inline constexpr DrawColour kCentreCrossColour{200, 0, 0, 160};

inline constexpr double kOutlineWidth = 1.2;

// Paints a gear with its centre at model point (x, y), turned by `angle`
// (radians, counter-clockwise). Returns 1, drawing nothing, when the record is
// not valid; else 0.
int64_t DrawGear(const GearRecord& gear, double x, double y, double angle, DrawColour fill);

// Paints the rack shifted by (dx, dy) mm without rotation. Returns 1, drawing
// nothing, when the rack is not valid; else 0.
int64_t DrawRack(const GearRecord& rack, double dx, double dy, DrawColour fill);

// Adds the gear's body and its hole (bore with keyway, plain bore, or the rim
// circle of a ring gear) to the current path.
void DrawGearOutline(const GearRecord& gear, double x, double y, double angle);

// Adds the circle (centre and radius in mm), or only its visible arc, to the
// current path; nothing when it does not come near the view.
void DrawCircle(double cx, double cy, double r);

// Adds the clipped segment between two canvas points to the current path.
void DrawLine(double x1, double y1, double x2, double y2);

// Adds the clipped polyline through canvas points, with the closing segment
// when `closed` is set; fewer than 2 points add nothing.
void DrawPolyline(const CanvasPointList& points, int closed);

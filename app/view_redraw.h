// One complete frame of the view: background, the design of the mode, and the
// hint or the status line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas_drawing.h"

inline constexpr DrawColour kViewBackground{250, 250, 252, 255};
inline constexpr DrawColour kViewHintColour{120, 120, 130, 255};
inline constexpr DrawColour kViewStatusColour{90, 90, 100, 255};
inline constexpr double kViewHintSize = 16.0;    // text size in logical pixels
inline constexpr double kViewStatusSize = 13.0;

inline constexpr double kViewHintLineStep = 24.0;  // logical pixels from one hint line to the next

// The lines the view shows without a design: the hint to calculate or make
// one, or, while a field of the shown tab describes no design, the field that
// is refused (its warning, one clause a line).
std::vector<std::string> ViewHintLines();

// Paints one frame of the current design on the canvas.
void RedrawView();

// The rotation of gear 2 of the pair for the current animation angle of gear 1.
double ComputeGear2MeshAngle();

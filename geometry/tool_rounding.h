// Tip roundings of the basic-rack tool, and the largest that fits its tooth.
//
// The basic rack (ISO 53 profile A) asks for tip roundings of 0.38 m. Above a
// normal pressure angle of about 23.2 deg the straight flanks leave too little
// of the tool tooth at its tip line (and of the rack's tooth gap at its root
// line) for two roundings that size; the tool then has the largest roundings
// that fit, meeting in the middle of the tooth on the tip line.
#pragma once

// Tip rounding of the basic rack's tool for external gears and racks, in modules.
inline constexpr double kToolTipRoundingFactor = 0.38;

// The rounding factor the tool really has: the smaller of nominalFactor and
// the largest rounding that touches the tip line and a flank within halfWidth
// of the tooth's middle (normal section, mm) at normal pressure angle alphaN
// (rad) and module m. Such a rounding lies rho tan(45 deg - alpha_n / 2) from
// the corner of tip line and flank. Never negative: a tooth whose flanks meet
// before the tip line gives 0.
double FitToolTipRoundingFactor(double nominalFactor, double halfWidth, double alphaN, double m);

// Half the width of the tool tooth that generates an external gear, on its
// tip line (normal section, mm): pi m / 4 - hf* m tan alpha_n. It does not
// depend on the thickness allowance, which only moves the tool.
double ComputeGearToolHalfToothAtTip(double dedendumFactor, double alphaN, double m);

// The tip rounding factor of the tool that cuts an external gear with the
// basic rack hf*, nominal rounding nominalFactor, at normal pressure angle
// alphaN (rad).
double FitGearToolTipRoundingFactor(double nominalFactor, double dedendumFactor, double alphaN);

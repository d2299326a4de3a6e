// The text of the strength report, its verdict line and its copy text.
#include "design/strength_report.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "design/report.h"
#include "design/strength_applicability.h"
#include "geometry/format.h"
#include "texts/involute_contact_texts.h"
#include "texts/report_texts.h"
#include "texts/strength_report_texts.h"

namespace {

// P [kW] = T [Nm] n [1/min] / 9550 (9550 = 60000 / 2 pi, rounded as usual).
constexpr double kPowerTorqueFactor = 9550.0;
// Margin above the minimum safety at which the verdict is "Sufficient" (the
// same margin as the " ok" rating of a single safety factor).
constexpr double kSufficientMargin = 1.1;
// Accuracy grades of ISO 1328 that the calculation knows.
constexpr int64_t kFirstGrade = 5;
constexpr int64_t kLastGrade = 10;

const std::string kDash = "-";
// Characters of a value column of FormatReportRow, and what a cell may fill
// of it: one space always stays before a cell, so that a full cell of gear 2
// never runs into the cell of gear 1 as one longer number.
constexpr std::size_t kCellWidth = 11;
constexpr std::size_t kCellRoom = kCellWidth - 1;

std::string Num(double x, int decimals) { return FormatNumber(x, decimals); }

// The smaller of two values, NaN when either is NaN (std::min would drop a NaN
// in its second argument, and a safety factor that is not a number must show).
double MinKeepNaN(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::nan("");
  return b < a ? b : a;
}

// --- Ratings as the report prints them ---
//
// A safety and its minimum are rated on the numbers the report shows, so a
// cell never reads "1.51 !!" under "(min 1.51)": S_p >= Smin_p is at least
// tight, and S_p >= 1.1 Smin_p is ok, both compared in whole units of the last
// printed decimal (10 S >= 11 Smin in integers, free of rounding).
enum class PrintedRating { kOk, kTight, kFail };

// Margin of the " ok" rating as a ratio of whole numbers: S >= 11/10 Smin,
// the margin of FormatSafetyRating.
constexpr int64_t kOkMarginNumerator = 11;
constexpr int64_t kOkMarginDenominator = 10;
// Printed values up to this many units of their last decimal are compared as
// whole numbers; larger ones (far beyond any minimum) as they are.
constexpr double kLargestWholeUnits = 1e15;

// The value that `decimals` decimals of x show, in units of the last decimal,
// read back from the printed text (NaN stays NaN).
double PrintedUnits(double x, int decimals) {
  if (!std::isfinite(x)) return x;
  const std::string text = FormatNumber(x, decimals);
  double shown = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  return std::round(shown * std::pow(10.0, decimals));
}

PrintedRating RatePrinted(double value, double minimum, int decimals) {
  const double v = PrintedUnits(value, decimals);
  const double m = PrintedUnits(minimum, decimals);
  if (std::isnan(v) || std::isnan(m)) return PrintedRating::kFail;
  if (std::abs(v) <= kLargestWholeUnits && std::abs(m) <= kLargestWholeUnits) {
    const int64_t vi = static_cast<int64_t>(v);
    const int64_t mi = static_cast<int64_t>(m);
    if (kOkMarginDenominator * vi >= kOkMarginNumerator * mi) return PrintedRating::kOk;
    return vi >= mi ? PrintedRating::kTight : PrintedRating::kFail;
  }
  const double ratio = static_cast<double>(kOkMarginNumerator) / static_cast<double>(kOkMarginDenominator);
  if (v >= ratio * m) return PrintedRating::kOk;
  return v >= m ? PrintedRating::kTight : PrintedRating::kFail;
}

std::string RatingText(PrintedRating rating) {
  switch (rating) {
    case PrintedRating::kOk: return std::string(texts::kRatingOk);
    case PrintedRating::kTight: return std::string(texts::kRatingTight);
    case PrintedRating::kFail: break;
  }
  return std::string(texts::kRatingFail);
}

// Decimals of the safety cells and of the minimum in their labels, and of
// the bore and d min cells.
constexpr int kSafetyDecimals = 2;
constexpr int kDiameterDecimals = 1;
// The minimum safety of a key.
constexpr double kKeyMinSafety = 1.0;

// --- Limits the user may type back as the load ---

// T1 max and P max are rounded down, never up, to their usual decimals, or to
// this many significant digits where that needs more decimals (a small pair),
// and first lowered by this fraction, so that no rounding of the solved limit
// or of the number read back lands above the limit.
constexpr int kLimitSignificantDigits = 4;
constexpr double kLimitMargin = 1e-9;
// A limit that would need more decimals than this is written as a mantissa
// and a power of ten.
constexpr int kLimitMaxDecimals = 12;

void AddLine(std::string& out, std::string_view line) {
  out += line;
  out += kReportLineEnd;
}

// A row with one text per column.
void AddRow(std::string& out, std::string_view label, const std::string& v1, const std::string& v2) {
  out += FormatReportRow(label, v1, v2);
}

// Characters (UTF-8 code points) of a text, as the report's columns count them.
std::size_t CountCharacters(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

// x as a mantissa with `decimals` decimals and a power of ten: "1.92e11".
std::string MantissaForm(double x, int decimals) {
  int e = int(std::floor(std::log10(std::abs(x))));
  double mantissa = x / std::pow(10.0, e);
  const double scale = std::pow(10.0, decimals);
  if (std::abs(std::round(mantissa * scale)) >= 10.0 * scale) {  // 9.995 rounds up to 10.00
    mantissa /= 10.0;
    ++e;
  }
  return Num(mantissa, decimals) + "e" + std::to_string(e);
}

// A number for a cell of `room` characters: with its usual decimals when that
// fits, else with fewer decimals, else as a mantissa and a power of ten with
// as many decimals (two at most) as fit, since the column would cut it to a
// wrong number. The whole number of a large value always takes more room
// than this form.
std::string FitNumber(double x, int decimals, std::size_t room) {
  std::string text = Num(x, decimals);
  if (text.size() <= room || !std::isfinite(x) || std::abs(x) < 1.0) return text;
  for (int d = decimals - 1; d >= 0; --d) {
    text = Num(x, d);
    if (text.size() <= room) return text;
  }
  std::string shorter = text;
  for (int d = 2; d >= 0; --d) {
    shorter = MantissaForm(x, d);
    if (shorter.size() <= room) break;
  }
  return shorter;
}

// Two numbers joined by `separator` in one cell: each keeps its usual form
// when the whole fits; otherwise the one that is too long (or both) is
// shortened as FitNumber does.
std::string FitNumberPair(double a, int decimalsA, std::string_view separator, double b, int decimalsB) {
  std::string textA = Num(a, decimalsA);
  std::string textB = Num(b, decimalsB);
  const std::size_t sep = CountCharacters(separator);
  if (textA.size() + sep + textB.size() <= kCellRoom) return textA + std::string(separator) + textB;
  const std::size_t half = (kCellRoom - sep) / 2;
  if (textB.size() > half) textB = FitNumber(b, decimalsB, half);
  textA = FitNumber(a, decimalsA, kCellRoom - sep - std::min(textB.size(), kCellRoom - sep));
  if (textA.size() + sep + textB.size() > kCellRoom) textA = FitNumber(a, decimalsA, half);
  return textA + std::string(separator) + textB;
}

// A value cell of the tables.
std::string Cell(double x, int decimals) { return FitNumber(x, decimals, kCellRoom); }

// A load-cycle count as a whole number; a count too long for its column
// (from 1e10 on, some 11 years at 1500 /min) in powers of ten.
std::string LoadCyclesCell(double cycles) {
  std::string text = Num(cycles, 0);
  if (text.size() <= kCellRoom || !std::isfinite(cycles) || !(std::abs(cycles) >= 1.0)) return text;
  return MantissaForm(cycles, 2);
}

// A number followed by its rating word; the number gives way so that the
// word is never cut.
std::string RatedCell(double value, int decimals, std::string_view rating) {
  const std::size_t ratingChars = CountCharacters(rating);
  const std::size_t room = ratingChars < kCellRoom ? kCellRoom - ratingChars : 0;
  return FitNumber(value, decimals, room) + std::string(rating);
}

std::string SafetyCell(double safety, double minSafety) {
  return RatedCell(safety, kSafetyDecimals, RatingText(RatePrinted(safety, minSafety, kSafetyDecimals)));
}

// The safety of a flank or root: outside the method a reached minimum is
// not rated, only a missed one.
bool IsRatedOutside(double safety, double minSafety, bool outsideMethod) {
  return outsideMethod && RatePrinted(safety, minSafety, kSafetyDecimals) != PrintedRating::kFail;
}

std::string StressSafetyCell(double safety, double minSafety, bool outsideMethod) {
  if (IsRatedOutside(safety, minSafety, outsideMethod)) {
    return RatedCell(safety, kSafetyDecimals, texts::kStrengthRatingOutside);
  }
  return SafetyCell(safety, minSafety);
}

// x > 0 rounded down (see kLimitSignificantDigits) and printed; never 0.
std::string FormatLimitRoundedDown(double x, int minDecimals) {
  if (!(x > 0.0) || !std::isfinite(x)) return Num(x, minDecimals);
  const double target = x * (1.0 - kLimitMargin);
  const int magnitude = static_cast<int>(std::floor(std::log10(target)));
  const int decimals = std::max(minDecimals, kLimitSignificantDigits - 1 - magnitude);
  if (decimals > kLimitMaxDecimals) {
    const double scale = std::pow(10.0, kLimitSignificantDigits - 1 - magnitude);
    const double mantissa = std::floor(target * scale) / std::pow(10.0, kLimitSignificantDigits - 1);
    return Num(mantissa, kLimitSignificantDigits - 1) + "e" + std::to_string(magnitude);
  }
  const double scale = std::pow(10.0, decimals);
  return Num(std::floor(target * scale) / scale, decimals);
}

// The load, the factors and the two stress tables.
void AppendLoadAndStresses(std::string& out, const StrengthReportData& d) {
  const StrengthResults& r = d.results;
  const StrengthInputs& in = d.inputs;
  AddLine(out, texts::kStrengthLoadHeading);
  std::string line = std::string(texts::kStrengthT1) + Num(r.torque1, 2) + std::string(texts::kStrengthNmN1) +
                     Num(in.speed1, 0) + std::string(texts::kStrengthPerMin);
  if (d.pairKind == kPairRack) {
    line += std::string(texts::kStrengthRackSpeed) + Num(r.pitchLineSpeed, 3) + std::string(texts::kStrengthMs);
  } else {
    line += std::string(texts::kStrengthN2) + Num(r.speed2, 1) + std::string(texts::kStrengthPerMin);
  }
  AddLine(out, line);
  AddLine(out, std::string(texts::kStrengthFt) + Num(r.tangentialForce, 1) + std::string(texts::kStrengthNV) +
                   Num(r.pitchLineSpeed, 2) + std::string(texts::kStrengthMsB) + Num(r.faceWidthUsed, 1) +
                   std::string(texts::kStrengthMm));

  AddLine(out, "");
  AddLine(out, texts::kStrengthFactorsHeading);
  AddLine(out, std::string(texts::kStrengthKA) + Num(in.applicationFactor, 2) + std::string(texts::kStrengthKV) +
                   Num(r.kV, 3) + std::string(texts::kStrengthKHbeta) + Num(r.kHbeta, 3) +
                   std::string(texts::kStrengthKFbeta) + Num(r.kFbeta, 3) + std::string(texts::kStrengthKHalpha) +
                   Num(r.kHalpha, 2));
  AddLine(out, std::string(texts::kStrengthZH) + Num(r.zH, 3) + std::string(texts::kStrengthZE) + Num(r.zE, 1) +
                   std::string(texts::kStrengthZeps) + Num(r.zEps, 3) + std::string(texts::kStrengthZbeta) +
                   Num(r.zBeta, 3) + std::string(texts::kStrengthZLVR) + Num(r.zLVR, 2));
  AddLine(out, std::string(texts::kStrengthEpsAlpha) + Num(r.epsAlpha, 3) + std::string(texts::kStrengthEpsBeta) +
                   Num(r.epsBeta, 3) + std::string(texts::kStrengthYeps) + Num(r.yEps, 3) +
                   std::string(texts::kStrengthYbeta) + Num(r.yBeta, 3));
  out += BuildStrengthMethodWarnings(r, d.pairKind, d.partnerName);
  const bool outside = IsOutsideStrengthMethod(r) != 0;

  AddLine(out, "");
  AddRow(out, "", std::string(texts::kStrengthGear1), d.partnerName);
  AddLine(out, texts::kStrengthFlankHeading);
  AddRow(out, texts::kStrengthSigmaH, Cell(r.sigmaH, 0), Cell(r.sigmaH, 0));
  AddRow(out, texts::kStrengthSigmaHlim, Cell(in.sigmaHlim[0], 0), Cell(in.sigmaHlim[1], 0));
  AddRow(out, texts::kStrengthLoadCycles, LoadCyclesCell(r.loadCycles[0]), LoadCyclesCell(r.loadCycles[1]));
  AddRow(out, texts::kStrengthZNT, Cell(r.zNT[0], 3), Cell(r.zNT[1], 3));
  AddRow(out, texts::kStrengthSigmaHP, Cell(r.sigmaHP[0], 0), Cell(r.sigmaHP[1], 0));
  AddRow(out,
         std::string(texts::kStrengthSafetyHLabel) + Num(in.minSafetyH, 2) + std::string(texts::kStrengthCloseParen),
         StressSafetyCell(r.safetyH[0], in.minSafetyH, outside),
         StressSafetyCell(r.safetyH[1], in.minSafetyH, outside));

  AddLine(out, texts::kStrengthRootHeading);
  AddRow(out, texts::kStrengthYFYS, FitNumberPair(r.formFactor[0], 2, "/", r.stressCorrection[0], 2),
         FitNumberPair(r.formFactor[1], 2, "/", r.stressCorrection[1], 2));
  AddRow(out, texts::kStrengthSigmaF, Cell(r.sigmaF[0], 0), Cell(r.sigmaF[1], 0));
  AddRow(out, texts::kStrengthSigmaFlim, Cell(in.sigmaFlim[0], 0), Cell(in.sigmaFlim[1], 0));
  AddRow(out, texts::kStrengthYNT, Cell(r.yNT[0], 3), Cell(r.yNT[1], 3));
  AddRow(out, texts::kStrengthSigmaFP, Cell(r.sigmaFP[0], 0), Cell(r.sigmaFP[1], 0));
  AddRow(out,
         std::string(texts::kStrengthSafetyFLabel) + Num(in.minSafetyF, 2) + std::string(texts::kStrengthCloseParen),
         StressSafetyCell(r.safetyF[0], in.minSafetyF, outside),
         StressSafetyCell(r.safetyF[1], in.minSafetyF, outside));
  bool anyOutside = false;
  for (int k = 0; k < 2; ++k) {
    anyOutside = anyOutside || IsRatedOutside(r.safetyH[k], in.minSafetyH, outside) ||
                 IsRatedOutside(r.safetyF[k], in.minSafetyF, outside);
  }
  if (anyOutside) AddLine(out, texts::kStrengthRatingOutsideLegend);
}

// The transmissible torque and power at the minimum safety factors.
void AppendTransmissible(std::string& out, const StrengthReportData& d) {
  const StrengthResults& r = d.results;
  const double tMax = std::min(r.torqueFactorFlank, r.torqueFactorRoot);
  const double pMax = tMax * d.inputs.speed1 / kPowerTorqueFactor;
  AddLine(out, "");
  AddLine(out, texts::kStrengthTransmissibleHeading);
  // Rounded down: typed back as the load, neither gives less than the minimum safety.
  AddLine(out, std::string(texts::kStrengthT1Max) + FormatLimitRoundedDown(tMax, 2) +
                   std::string(texts::kStrengthNmPMax) + FormatLimitRoundedDown(pMax, 3) +
                   std::string(texts::kStrengthKwAt) + Num(d.inputs.speed1, 0) +
                   std::string(texts::kStrengthPerMin));
  // Equal torques name the flank.
  AddLine(out, std::string(texts::kStrengthLimitedBy) +
                   std::string(r.torqueFactorRoot < r.torqueFactorFlank ? texts::kStrengthLimitRoot
                                                                         : texts::kStrengthLimitFlank));
}

// Whether column k prints the values of a shaft check.
bool HasShaftValues(const StrengthReportData& d, int k) {
  return (k == 0 || d.gear2Checked != 0) && d.shaft[k].computed != 0;
}

bool HasKeyValues(const StrengthReportData& d, int k) { return HasShaftValues(d, k) && d.shaft[k].hasKeyway != 0; }

using ColumnTest = bool (*)(const StrengthReportData&, int);

// A row of the shaft table: the cell text of each column with values, "-" elsewhere.
template <typename Cell>
void AddShaftRow(std::string& out, const StrengthReportData& d, std::string_view label, ColumnTest has, Cell cell) {
  AddRow(out, label, has(d, 0) ? cell(d.shaft[0]) : kDash, has(d, 1) ? cell(d.shaft[1]) : kDash);
}

void AppendShaftAndKey(std::string& out, const StrengthReportData& d) {
  AddLine(out, "");
  AddLine(out, texts::kStrengthShaftHeading);
  using Col = const StrengthShaftColumn&;
  AddShaftRow(out, d, texts::kStrengthShaftTorque, HasShaftValues, [](Col s) { return Cell(s.torque, 2); });
  AddShaftRow(out, d, texts::kStrengthShaftMinDiameter, HasShaftValues,
              [](Col s) { return Cell(s.minShaftDiameter, 1); });
  AddShaftRow(out, d, texts::kStrengthShaftStandard, HasShaftValues,
              [](Col s) { return Cell(s.preferredShaftDiameter, 0); });
  AddShaftRow(out, d, texts::kStrengthShaftBore, HasShaftValues, [](Col s) {
    if (s.shaftBore > 0) {
      return RatedCell(s.shaftBore, kDiameterDecimals,
                       RatingText(RatePrinted(s.shaftBore, s.minShaftDiameter, kDiameterDecimals)));
    }
    return Cell(s.shaftBore, kDiameterDecimals);
  });
  if (HasKeyValues(d, 0) || HasKeyValues(d, 1)) {
    AddShaftRow(out, d, texts::kStrengthKeySize, HasKeyValues, [](Col s) {
      return Num(s.keyWidth, 0) + "×" + Num(s.keyHeight, 0) + " k" + Num(s.bearingHeight, 1);
    });
    AddShaftRow(out, d, texts::kStrengthKeyLength, HasKeyValues,
                [](Col s) { return FitNumberPair(s.keyLength, 1, "/", s.bearingLength, 1); });
    AddShaftRow(out, d, texts::kStrengthKeyPressure, HasKeyValues, [](Col s) {
      return s.pressure > 0 ? FitNumberPair(s.pressure, 0, "/", s.allowablePressure, 0) : kDash;
    });
    AddShaftRow(out, d, texts::kStrengthKeySafety, HasKeyValues,
                [](Col s) { return SafetyCell(s.safety, kKeyMinSafety); });
    AddShaftRow(out, d, texts::kStrengthKeyRequiredLength, HasKeyValues,
                [](Col s) { return Cell(s.requiredKeyLength, 1); });
  }

  // The message of each checked gear and a bore below the torsion diameter.
  const StrengthShaftColumn& s1 = d.shaft[0];
  AddLine(out, std::string(texts::kStrengthGear1Prefix) + s1.message);
  if (s1.shaftBore > 0 && s1.shaftBore < s1.minShaftDiameter) {
    AddLine(out, std::string(texts::kStrengthGear1BoreTooSmall) + Num(s1.preferredShaftDiameter, 0) +
                     std::string(texts::kStrengthMm));
  }
  if (d.gear2Checked != 0) {
    const StrengthShaftColumn& s2 = d.shaft[1];
    AddLine(out, "  " + d.partnerName + ": " + s2.message);
    if (s2.shaftBore > 0 && s2.shaftBore < s2.minShaftDiameter) {
      AddLine(out, "  ! " + d.partnerName + std::string(texts::kStrengthBoreTooSmall) +
                       Num(s2.preferredShaftDiameter, 0) + std::string(texts::kStrengthMm));
    }
  }
}

}  // namespace

double ComputeTorqueFromPower(double powerKw, double speed) {
  if (!(speed > 0)) return 0.0;
  return kPowerTorqueFactor * powerKw / speed;
}

std::string BuildStrengthReportText(const StrengthReportData& data) {
  std::string out;
  for (const std::string& input : data.replacedInputs) AddLine(out, "  ! " + input);
  if (!data.replacedInputs.empty()) AddLine(out, "");
  AppendLoadAndStresses(out, data);
  AppendTransmissible(out, data);
  AppendShaftAndKey(out, data);
  if (data.inputs.lubrication == 2) {
    AddLine(out, "");
    AddLine(out, texts::kStrengthDryRunning);
  }
  AddLine(out, "");
  AddLine(out, texts::kStrengthFootnote1);
  out += texts::kStrengthFootnote2;  // the last line has no line end
  return out;
}

double ComputeWorstStrengthRatio(const StrengthReportData& data) {
  const StrengthResults& r = data.results;
  const double minF = MinKeepNaN(r.safetyF[0], r.safetyF[1]);
  const double minH = MinKeepNaN(r.safetyH[0], r.safetyH[1]);
  // A NaN anywhere must end in "Insufficient": it is kept once it appears.
  double worst = MinKeepNaN(minF / data.inputs.minSafetyF, minH / data.inputs.minSafetyH);
  const auto lower = [&worst](double ratio) { worst = MinKeepNaN(worst, ratio); };
  for (int k = 0; k < 2; ++k) {
    if (k == 1 && data.gear2Checked == 0) break;
    const StrengthShaftColumn& s = data.shaft[k];
    if (s.shaftBore > 0 && s.minShaftDiameter > 0) lower(s.shaftBore / s.minShaftDiameter);
    if (s.hasKeyway != 0) lower(s.safety);
  }
  return worst;
}

std::string BuildStrengthMethodWarnings(const StrengthResults& r, int64_t pairKind, std::string_view partnerName) {
  std::string out;
  if (r.contactRatioRaised != 0) {
    if (r.meshContactRatio > 0.0 && std::isfinite(r.meshContactRatio)) {
      AddLine(out, std::string(texts::kStrengthWarnRaisedPrefix) + Num(r.meshContactRatio, 3) +
                       std::string(texts::kStrengthWarnRaisedSuffix) + Num(r.epsAlpha, 3));
    } else {
      AddLine(out, std::string(texts::kStrengthWarnRaisedUndefined) + Num(r.epsAlpha, 3));
    }
  }
  if (r.filletContact[0] != 0 || r.filletContact[1] != 0) {
    std::string names;
    if (r.filletContact[0] != 0) names = std::string(texts::kStrengthGear1);
    if (r.filletContact[1] != 0) {
      if (!names.empty()) names += texts::kContactNamesAnd;
      names += partnerName;
    }
    AddLine(out, std::string(texts::kStrengthWarnFilletPrefix) + names + std::string(texts::kStrengthWarnFilletMiddle) +
                     Num(r.meshContactRatio, 3) + std::string(texts::kStrengthWarnFilletSuffix) +
                     Num(r.tipCircleContactRatio, 3) + std::string(texts::kStrengthWarnFilletEnd));
  }
  if (r.contactRatioBelowOne != 0) AddLine(out, texts::kStrengthWarnContactRatio);
  if (r.dynamicBeyondRange != 0) {
    const std::string_view lead = pairKind == kPairRack ? texts::kStrengthWarnDynamicRack : texts::kStrengthWarnDynamicPair;
    AddLine(out, std::string(lead) + Num(r.dynamicSpeedTerm, 2) + std::string(texts::kStrengthWarnDynamicSuffix));
  }
  if (r.internalInterference != 0) {
    AddLine(out, std::string(texts::kStrengthWarnInterferencePrefix) + Num(r.interferenceDepth, 3) +
                     std::string(texts::kStrengthWarnInterferenceSuffix));
  }
  if (r.pointedTeeth[0] != 0) {
    AddLine(out, "  ! " + std::string(texts::kStrengthGear1) + std::string(texts::kStrengthWarnPointed));
  }
  if (r.pointedTeeth[1] != 0) {
    AddLine(out, "  ! " + std::string(partnerName) + std::string(texts::kStrengthWarnPointed));
  }
  return out;
}

StrengthVerdict RateStrengthReport(const StrengthReportData& data) {
  // The worst rating of the cells the report prints: the smaller S_H and S_F,
  // and bore / d min and S_p of every checked gear. On the exact numbers this
  // is RateStrength of the worst ratio; on the printed ones the verdict never
  // contradicts a cell.
  const StrengthResults& r = data.results;
  PrintedRating worst = PrintedRating::kOk;
  const auto lower = [&worst](PrintedRating rating) {
    if (static_cast<int>(rating) > static_cast<int>(worst)) worst = rating;
  };
  lower(RatePrinted(MinKeepNaN(r.safetyH[0], r.safetyH[1]), data.inputs.minSafetyH, kSafetyDecimals));
  lower(RatePrinted(MinKeepNaN(r.safetyF[0], r.safetyF[1]), data.inputs.minSafetyF, kSafetyDecimals));
  for (int k = 0; k < 2; ++k) {
    if (k == 1 && data.gear2Checked == 0) break;
    const StrengthShaftColumn& s = data.shaft[k];
    if (s.shaftBore > 0 && s.minShaftDiameter > 0) {
      lower(RatePrinted(s.shaftBore, s.minShaftDiameter, kDiameterDecimals));
    }
    if (s.hasKeyway != 0) lower(RatePrinted(s.safety, kKeyMinSafety, kSafetyDecimals));
  }
  StrengthVerdict verdict = kStrengthInsufficient;
  if (worst == PrintedRating::kOk) verdict = kStrengthSufficient;
  if (worst == PrintedRating::kTight) verdict = kStrengthTight;
  if (verdict != kStrengthInsufficient && IsOutsideStrengthMethod(data.results) != 0) return kStrengthOutsideMethod;
  return verdict;
}

StrengthVerdict RateStrength(double worstRatio) {
  if (worstRatio >= kSufficientMargin) return kStrengthSufficient;
  if (worstRatio >= 1.0) return kStrengthTight;
  return kStrengthInsufficient;  // also NaN
}

std::string FormatStrengthVerdict(const StrengthReportData& data) {
  const StrengthResults& r = data.results;
  std::string_view word = texts::kVerdictInsufficient;
  switch (RateStrengthReport(data)) {
    case kStrengthSufficient: word = texts::kVerdictSufficient; break;
    case kStrengthTight: word = texts::kVerdictTight; break;
    case kStrengthOutsideMethod: word = texts::kVerdictOutsideMethod; break;
    case kStrengthInsufficient: break;
  }
  return std::string(word) + Num(MinKeepNaN(r.safetyH[0], r.safetyH[1]), 2) + std::string(texts::kVerdictSF) +
         Num(MinKeepNaN(r.safetyF[0], r.safetyF[1]), 2) + std::string(texts::kStrengthCloseParen);
}

std::string BuildStrengthCopyText(const StrengthReportData& data, const StrengthCopyFields& fields,
                                  std::string_view verdict, std::string_view report) {
  const StrengthInputs& in = data.inputs;
  const int64_t grade = std::clamp(in.accuracyGrade, kFirstGrade, kLastGrade);
  std::string out;
  AddLine(out, texts::kStrengthCopyTitle);
  AddLine(out, "");
  AddLine(out, fields.designReport);
  AddLine(out, texts::kStrengthCopyInput);
  AddLine(out, "  " + fields.loadLabel + " = " + fields.loadValue + std::string(texts::kStrengthCopyN1) +
                   fields.speed + std::string(texts::kStrengthCopyPerMinKA) + Num(in.applicationFactor, 2) +
                   std::string(texts::kStrengthCopyServiceLife) + fields.serviceLife +
                   std::string(texts::kStrengthCopyHours));
  AddLine(out, std::string(texts::kStrengthCopyGrade) + std::to_string(grade) + ", " + fields.flankFinish + ", " +
                   fields.lubrication);
  AddLine(out, std::string(texts::kStrengthGear1Prefix) + fields.material1 + " (" + fields.sigmaH1 + " / " +
                   fields.sigmaF1 + std::string(texts::kStrengthCopyNmm2));
  AddLine(out, "  " + data.partnerName + ": " + fields.material2 + " (" + fields.sigmaH2 + " / " + fields.sigmaF2 +
                   std::string(texts::kStrengthCopyNmm2));
  AddLine(out, "");
  AddLine(out, std::string(texts::kStrengthCopyResult) + std::string(verdict));
  AddLine(out, "");
  out += report;
  return out;
}

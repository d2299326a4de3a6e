// The strength report: its text, the verdict line and the copy text for the
// clipboard, as pure functions of the strength results, the corrected inputs
// and the shaft-and-key checks.
//
// Texts use CR LF line ends; table rows are FormatReportRow lines (label in
// 28 characters, gear 1 and the partner right-aligned in 11 each).
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <string_view>

#include "design/strength_results.h"

// The shaft-and-key check of one gear as the report prints it (the values of
// the check's result record, plus the key size of the gear record).
struct StrengthShaftColumn {
  int64_t computed = 0;               // 1 when the check ran (torque and tau perm > 0)
  double torque = 0.0;                // Nm on this shaft
  double minShaftDiameter = 0.0;      // d min for torsion, mm
  double preferredShaftDiameter = 0.0;  // next DIN 748 diameter, mm
  double shaftBore = 0.0;             // the gear's bore, mm
  int64_t hasKeyway = 0;
  double keyWidth = 0.0;              // b, mm (gear record)
  double keyHeight = 0.0;             // h, mm (gear record)
  double bearingHeight = 0.0;         // k = h', mm
  double keyLength = 0.0;             // l, mm
  double bearingLength = 0.0;         // l' = l - b, mm
  double pressure = 0.0;              // p, N/mm^2
  double allowablePressure = 0.0;     // p perm, N/mm^2
  double safety = 0.0;                // S_p = p perm / p
  double requiredKeyLength = 0.0;     // mm
  std::string message;                // the check's verdict
};

// Everything the report prints. `inputs` holds the corrected values that the
// calculation used (KA at least 1, the clamped grade, ...).
struct StrengthReportData {
  StrengthResults results;
  StrengthInputs inputs;
  int64_t pairKind = 0;        // a PairKind
  std::string partnerName;     // "gear 2", "rack" or "ring" in the build language
  StrengthShaftColumn shaft[2];
  int64_t gear2Checked = 0;    // 1 when column 2 holds a shaft check (external pair)
  // Inputs the calculation took as another value than their text, each named
  // by a warning line at the top of the report.
  std::vector<std::string> replacedInputs;
};

enum StrengthVerdict : int64_t {
  kStrengthSufficient = 0,    // worst ratio >= 1.1
  kStrengthTight = 1,         // worst ratio >= 1.0
  kStrengthInsufficient = 2,  // below 1.0, or not a number
  kStrengthOutsideMethod = 3, // at least 1.0, but the method does not hold for the pair
};

// The report of editor 99; the last line has no line end. A number too long
// for its column is written as a mantissa and a power of ten ("1.92e11"), and
// a rating word after a safety factor is never cut.
std::string BuildStrengthReportText(const StrengthReportData& data);

// The smallest of the safety margins: S_F / S_Fmin and S_H / S_Hmin of both
// gears, bore / d min and S_p of every checked gear.
double ComputeWorstStrengthRatio(const StrengthReportData& data);
StrengthVerdict RateStrength(double worstRatio);
// The verdict of the whole report: the worst rating of the cells it rests on
// (the smaller S_H and S_F, bore / d min and S_p of every checked gear), each
// rated on its printed number against its printed minimum, so the verdict
// never contradicts a cell; on exact numbers this is RateStrength of the worst
// ratio. A pair outside the method is never rated better than
// kStrengthOutsideMethod (an insufficient one stays insufficient).
StrengthVerdict RateStrengthReport(const StrengthReportData& data);
// The warning lines (each with its CR LF) where the method does not hold:
// contact ratio, dynamic factor, internal interference, pointed teeth.
// partnerName names gear 2; empty when the method holds.
std::string BuildStrengthMethodWarnings(const StrengthResults& results, int64_t pairKind,
                                        std::string_view partnerName);
// The verdict line: the word of RateStrengthReport, then "(S_H " min S_H
// ", S_F " min S_F ")".
std::string FormatStrengthVerdict(const StrengthReportData& data);

// The texts of the window's inputs as the copy text quotes them.
struct StrengthCopyFields {
  std::string designReport;    // the main window's report, as shown
  std::string loadLabel;       // label of the load value ("Power P [kW]" ...)
  std::string loadValue;       // as typed
  std::string speed;           // as typed
  std::string serviceLife;     // as typed
  std::string flankFinish;     // combo text
  std::string lubrication;     // combo text
  std::string material1, sigmaH1, sigmaF1;  // combo text and typed limits, gear 1
  std::string material2, sigmaH2, sigmaF2;  // the same of the partner
};

// The text "Copy report" puts on the clipboard: a title, the design report,
// the inputs, the verdict and the strength report.
std::string BuildStrengthCopyText(const StrengthReportData& data, const StrengthCopyFields& fields,
                                  std::string_view verdict, std::string_view report);

// T1 in Nm from a power P in kW at n1 in 1/min: T = 9550 P / n (0 when n <= 0).
double ComputeTorqueFromPower(double powerKw, double speed);

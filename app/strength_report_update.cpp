// Refreshing the strength window: reading its inputs, choosing the pair of the
// current mode, running the strength calculation and the shaft-and-key checks,
// and writing the verdict line, the report and the copy text.
#include "app/strength_report_update.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/strength_shaft_check.h"
#include "app/tab_compute.h"
#include "design/field_reading.h"
#include "design/report.h"
#include "design/strength_applicability.h"
#include "design/strength_calc.h"
#include "design/strength_report.h"
#include "geometry/format.h"
#include "geometry/path_of_contact.h"
#include "platform/gui.h"
#include "texts/input_fault_texts.h"
#include "texts/strength_report_texts.h"
#include "texts/strength_window_texts.h"

std::string gStrengthReportText;

namespace {

// Background colours of the verdict line (0xRRGGBB).
constexpr int64_t kColourSufficient = 0xAAE1AA;    // RGB(170, 225, 170) green
constexpr int64_t kColourTight = 0xFACD78;         // RGB(250, 205, 120) orange
constexpr int64_t kColourInsufficient = 0xF08C8C;  // RGB(240, 140, 140) red
constexpr int64_t kColourNothing = 0xE1E1E6;       // RGB(225, 225, 230) grey

// Defaults for missing or unusable inputs.
constexpr double kMinApplicationFactor = 1.0;
constexpr double kMinLifeHours = 1.0;
constexpr double kDefaultMinSafetyH = 1.0;
constexpr double kDefaultMinSafetyF = 1.4;
constexpr double kDefaultElasticModulus = 206000.0;  // steel, N/mm^2
constexpr int64_t kFirstAccuracyGrade = 5;           // combo item 0

// Permissible key pressure of a hub: 0.9 R_e of the gear material, or this
// (N/mm^2) for a material without a yield strength (grey cast iron).
constexpr double kHubPressureYieldFactor = 0.9;
constexpr double kHubPressureWithoutYield = 125.0;

const int64_t kMaterialCombos[2] = {kComboMaterial1, kComboMaterial2};
const int64_t kSigmaHFields[2] = {kFieldSigmaHlim1, kFieldSigmaHlim2};
const int64_t kSigmaFFields[2] = {kFieldSigmaFlim1, kFieldSigmaFlim2};
const int64_t kElasticFields[2] = {kFieldElasticModulus1, kFieldElasticModulus2};
const int64_t kPoissonFields[2] = {kFieldPoisson1, kFieldPoisson2};

// The gear-material row chosen in a combo; nullptr for no choice.
const MaterialRow* ChosenMaterial(int64_t combo) {
  const int64_t row = GadgetGetState(combo);
  if (row < 0 || row >= int64_t(gMaterials.size())) return nullptr;
  return &gMaterials[std::size_t(row)];
}

// The pair of the current mode as the calculation sees it.
struct ChosenPair {
  const GearRecord* partner = nullptr;  // nullptr: the mode has no pair
  int64_t pairKind = kPairExternal;
  double centreDistance = 0.0;
  double epsAlpha = 0.0;
  std::string_view partnerName;
};

ChosenPair ChoosePair() {
  ChosenPair p;
  switch (gViewMode) {
    case kViewPair:
      p.partner = &gGear2;
      p.pairKind = kPairExternal;
      p.centreDistance = gPairCentreDistance;
      p.epsAlpha = ComputeStrengthContactRatio(gGear1, gGear2, kPairExternal, gPairCentreDistance);
      p.partnerName = texts::kStrengthGear2;
      break;
    case kViewRack:
      p.partner = &gRack;
      p.pairKind = kPairRack;
      p.epsAlpha = ComputeStrengthContactRatio(gGear1, gRack, kPairRack, 0.0);
      p.partnerName = texts::kStrengthRack;
      break;
    case kViewInternal:
      p.partner = &gRing;
      p.pairKind = kPairInternal;
      p.centreDistance = gInternalCentreDistance;
      p.epsAlpha = ComputeStrengthContactRatio(gGear1, gRing, kPairInternal, gInternalCentreDistance);
      p.partnerName = texts::kStrengthRing;
      break;
    default: break;
  }
  return p;
}

void ShowNothingCalculated(std::string_view verdict, const std::string& report) {
  GadgetSetText(kTextVerdict, verdict);
  GadgetSetBackColor(kTextVerdict, kColourNothing);
  GadgetSetText(kEditorStrengthReport, report);
  gStrengthReportText.clear();
}

// Permissible key pressure of the hub of gear k from its chosen material
// (no choice counts as the first row).
double HubKeyPressure(int k) {
  const MaterialRow* m = ChosenMaterial(kMaterialCombos[k]);
  if (m == nullptr && !gMaterials.empty()) m = &gMaterials[0];
  const double yield = m != nullptr ? m->yieldStrength : 0.0;
  return yield > 0 ? kHubPressureYieldFactor * yield : kHubPressureWithoutYield;
}

// The shaft-and-key checks: gear 1 always, gear 2 of an external pair with T1 u.
void CheckShafts(const StrengthInputs& in, int64_t mode, StrengthReportData& data) {
  const double tauPerm = ReadNumberField(kFieldShaftTauPerm);
  const double reShaft = ReadNumberField(kFieldShaftYield);
  const int64_t keys = GadgetGetState(kComboKeyCount) + 1;
  const double keyLength = ReadNumberField(kFieldKeyLength);
  const GearRecord* gears[2] = {&gGear1, &gGear2};
  data.gear2Checked = mode == kViewPair ? 1 : 0;
  for (int k = 0; k < 1 + int(data.gear2Checked); ++k) {
    const double torque = k == 0 ? in.torque1 : in.torque1 * data.results.ratio;
    CheckStrengthShaft(*gears[k], torque, in.applicationFactor, tauPerm, reShaft, HubKeyPressure(k), keys, keyLength,
                       data.shaft[k]);
  }
}

StrengthCopyFields ReadCopyFields() {
  StrengthCopyFields f;
  f.designReport = GadgetGetText(kEditorReport);
  f.loadLabel = GadgetGetText(kTextLoadLabel);
  f.loadValue = GadgetGetText(kFieldLoadValue);
  f.speed = GadgetGetText(kFieldSpeed);
  f.serviceLife = GadgetGetText(kFieldServiceLife);
  f.flankFinish = GadgetGetText(kComboFlankFinish);
  f.lubrication = GadgetGetText(kComboLubrication);
  f.material1 = GadgetGetText(kComboMaterial1);
  f.sigmaH1 = GadgetGetText(kFieldSigmaHlim1);
  f.sigmaF1 = GadgetGetText(kFieldSigmaFlim1);
  f.material2 = GadgetGetText(kComboMaterial2);
  f.sigmaH2 = GadgetGetText(kFieldSigmaHlim2);
  f.sigmaF2 = GadgetGetText(kFieldSigmaFlim2);
  return f;
}

int64_t VerdictColour(StrengthVerdict verdict) {
  switch (verdict) {
    case kStrengthSufficient: return kColourSufficient;
    case kStrengthTight: return kColourTight;
    case kStrengthOutsideMethod: return kColourTight;
    case kStrengthInsufficient: break;
  }
  return kColourInsufficient;
}

}  // namespace

StrengthInputs ReadStrengthInputs(std::vector<std::string>* replaced) {
  // The value of a field, or the replacement where the value is not usable;
  // a replacement is named with the field's text.
  const auto read = [replaced](int64_t control, std::string_view label, double low, bool lowOpen,
                               double replacement) {
    const double value = ReadNumberField(control);
    if (lowOpen ? value > low : value >= low) return value;
    if (replaced != nullptr) {
      replaced->push_back(std::string(label) + " = " + GadgetGetText(control) +
                          std::string(texts::kStrengthInputReplaced) + FormatNumberTrimmed(replacement));
    }
    return replacement;
  };
  StrengthInputs in;
  in.speed1 = ReadNumberField(kFieldSpeed);
  const double value = ReadNumberField(kFieldLoadValue);
  // Item 0 is "power + speed": T1 = 9550 P / n1; any other item gives T1 directly.
  in.torque1 = GadgetGetState(kComboLoadKind) != 0 ? value : ComputeTorqueFromPower(value, in.speed1);
  in.applicationFactor = read(kComboApplicationFactor, texts::kStrengthInputKA, kMinApplicationFactor,
                              /*lowOpen=*/false, kMinApplicationFactor);
  in.lifeHours = read(kFieldServiceLife, texts::kLabelServiceLife, 0.0, /*lowOpen=*/true, kMinLifeHours);
  in.accuracyGrade = GadgetGetState(kComboAccuracy) + kFirstAccuracyGrade;
  in.flankFinish = std::max<int64_t>(0, GadgetGetState(kComboFlankFinish));
  in.lubrication = std::max<int64_t>(0, GadgetGetState(kComboLubrication));
  in.minSafetyH = read(kFieldMinSafetyH, texts::kStrengthInputMinSafetyH, 0.0, /*lowOpen=*/true, kDefaultMinSafetyH);
  in.minSafetyF = read(kFieldMinSafetyF, texts::kStrengthInputMinSafetyF, 0.0, /*lowOpen=*/true, kDefaultMinSafetyF);
  for (int k = 0; k < 2; ++k) {
    in.sigmaHlim[k] = ReadNumberField(kSigmaHFields[k]);
    in.sigmaFlim[k] = ReadNumberField(kSigmaFFields[k]);
    in.elasticModulus[k] = read(kElasticFields[k], k == 0 ? texts::kStrengthInputE1 : texts::kStrengthInputE2, 0.0,
                                /*lowOpen=*/true, kDefaultElasticModulus);
    in.poisson[k] = ReadNumberField(kPoissonFields[k]);
    const MaterialRow* m = ChosenMaterial(kMaterialCombos[k]);
    in.lifeClass[k] = m != nullptr ? m->lifeClass : 0;
  }
  return in;
}

void ReportUpdateStrength() {
  if (gStrengthWindowShown == 0) return;

  // The design on screen is not that of the main window's inputs: no result
  // of it is shown, and the window names the input that is wrong.
  const std::string fault = DescribeShownInputFault();
  if (!fault.empty()) {
    gStrength = StrengthResults{};
    ShowNothingCalculated(texts::kStrengthNotCalculated, std::string(texts::kFaultStrengthLead) + "\r\n" +
                                                             std::string(texts::kFaultReportLead) + fault);
    return;
  }

  StrengthReportData data;
  data.inputs = ReadStrengthInputs(&data.replacedInputs);
  const ChosenPair pair = ChoosePair();
  if (pair.partner == nullptr) {
    gStrength = StrengthResults{};
    ShowNothingCalculated(texts::kStrengthNoPair, std::string(texts::kStrengthChooseTab) + "\r\n" +
                                                      std::string(texts::kStrengthSingleGearNote));
    return;
  }

  // Also a NaN or the -1 of an undefined mesh is raised to the floor.
  const double epsAlpha = pair.epsAlpha > kStrengthMinContactRatio ? pair.epsAlpha : kStrengthMinContactRatio;
  gStrength = StrengthResults{};
  if (ComputeGearStrength(gGear1, *pair.partner, pair.pairKind, pair.centreDistance, epsAlpha, data.inputs,
                          gStrength) != 1) {
    // Where the method does not hold for the pair, that is likely the reason:
    // its warnings follow the message.
    std::string text = gStrength.message;
    std::string warnings = BuildStrengthMethodWarnings(gStrength, pair.pairKind, pair.partnerName);
    if (!warnings.empty()) {
      warnings.resize(warnings.size() - kReportLineEnd.size());
      text += std::string(kReportLineEnd) + warnings;
    }
    ShowNothingCalculated(texts::kStrengthNotCalculated, text);
    return;
  }

  data.results = gStrength;
  data.pairKind = pair.pairKind;
  data.partnerName = std::string(pair.partnerName);
  CheckShafts(data.inputs, gViewMode, data);

  const std::string report = BuildStrengthReportText(data);
  GadgetSetText(kEditorStrengthReport, report);
  const std::string verdict = FormatStrengthVerdict(data);
  GadgetSetText(kTextVerdict, verdict);
  GadgetSetBackColor(kTextVerdict, VerdictColour(RateStrengthReport(data)));
  gStrengthReportText = BuildStrengthCopyText(data, ReadCopyFields(), verdict, report);
}

void CopyStrengthReport() {
  // Without a result the window's own lines are copied (why nothing is
  // calculated), so the clipboard never keeps an older report unannounced.
  if (!gStrengthReportText.empty()) {
    ClipboardSetText(gStrengthReportText);
  } else {
    ClipboardSetText(GadgetGetText(kTextVerdict) + "\r\n" + GadgetGetText(kEditorStrengthReport));
  }
}

#include "texts/strength_window_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kStrengthWindowTitle =
    NV_TEXT("Strength calculation (indicative, ISO 6336 / DIN 3990)",
            "Sterkteberekening (indicatief, ISO 6336 / DIN 3990)");

const std::string_view kLoadKindPower = NV_TEXT("Load: power + speed", "Belasting: vermogen + toerental");
const std::string_view kLoadKindTorque = NV_TEXT("Load: torque + speed", "Belasting: koppel + toerental");
const std::string_view kLabelSpeed = NV_TEXT("Speed n1 [1/min]", "Toerental n1 [1/min]");
const std::string_view kSpeedTip = NV_TEXT("Speed of gear 1 / the pinion", "Toerental van wiel 1 / het rondsel");
const std::string_view kLabelApplicationFactor = NV_TEXT("Application factor KA", "Bedrijfsfactor KA");
const std::string_view kApplicationFactorItems[5] = {
    NV_TEXT("1.00 uniform", "1,00 gelijkmatig"),
    NV_TEXT("1.25 light shocks", "1,25 lichte stoten"),
    NV_TEXT("1.50 moderate shocks", "1,50 matige stoten"),
    NV_TEXT("1.75 heavy shocks", "1,75 zware stoten"),
    NV_TEXT("2.00 very heavy shocks", "2,00 zeer zware stoten"),
};
const std::string_view kLabelServiceLife = NV_TEXT("Service life [h]", "Levensduur [h]");
const std::string_view kLabelAccuracy = NV_TEXT("Accuracy ISO 1328", "Nauwkeurigheid ISO 1328");
const std::string_view kAccuracyGradePrefix = NV_TEXT("grade ", "klasse ");
const std::string_view kLabelFlankFinish = NV_TEXT("Flank finish", "Afwerking flanken");
const std::string_view kFlankFinishItems[2] = {
    NV_TEXT("hobbed / shaped", "gefreesd / gestoken"),
    NV_TEXT("ground", "geslepen"),
};
const std::string_view kLabelLubrication = NV_TEXT("Lubrication", "Smering");
const std::string_view kLubricationItems[3] = {
    NV_TEXT("oil", "olie"),
    NV_TEXT("grease", "vet"),
    NV_TEXT("dry (indicative)", "droog (indicatief)"),
};
const std::string_view kLabelMinSafety = NV_TEXT("Minimum S_H / S_F", "Minimaal S_H / S_F");

const std::string_view kShaftHeading = NV_TEXT("Shaft and key connection", "As en spieverbinding");
const std::string_view kShaftMaterialPrefix = "As: ";
const std::string_view kLabelShaftStress = NV_TEXT("τ perm / R_e shaft [N/mm²]", "τ toel / R_e as [N/mm²]");
const std::string_view kShaftTauTip =
    NV_TEXT("Permissible torsional stress for preliminary sizing (with an allowance for bending)",
            "Toelaatbare torsiespanning voor de voordimensionering (met toeslag voor buiging)");
const std::string_view kLabelKeys = NV_TEXT("Keys / key length [mm]", "Spieen / spielengte [mm]");
const std::string_view kKeyCountItems[2] = {
    NV_TEXT("1 key", "1 spie"),
    NV_TEXT("2 keys", "2 spieen"),
};
const std::string_view kKeyLengthTip = NV_TEXT("Empty: over the full hub length", "Leeg: over de hele naaflengte");

const std::string_view kMaterial1Heading = NV_TEXT("Gear 1 / pinion", "Wiel 1 / rondsel");
const std::string_view kMaterial2Heading = NV_TEXT("Gear 2 / rack / ring", "Wiel 2 / heugel / ring");
const std::string_view kLabelMaterialLimits = "σH,lim / σF,lim [N/mm²]";
const std::string_view kLabelMaterialElastic = "E [N/mm²] / ν";

const std::string_view kButtonCopyReportText = NV_TEXT("Copy report", "Rapport kopiëren");
const std::string_view kButtonStrengthCloseText = NV_TEXT("Close", "Sluiten");
}  // namespace texts

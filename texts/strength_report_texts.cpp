#include "texts/strength_report_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kStrengthGear1 = NV_TEXT("gear 1", "wiel 1");
const std::string_view kStrengthGear2 = NV_TEXT("gear 2", "wiel 2");
const std::string_view kStrengthRack = NV_TEXT("rack", "heugel");
const std::string_view kStrengthRing = "ring";

const std::string_view kStrengthNoPair = NV_TEXT("No gear pair", "Geen tandwielpaar");
const std::string_view kStrengthChooseTab =
    NV_TEXT("Choose the tab Pair, Rack or Internal.", "Kies het tabblad Paar, Heugel of Binnen.");
const std::string_view kStrengthSingleGearNote =
    NV_TEXT("A single gear has no mating gear to calculate with.",
            "Een enkel tandwiel heeft geen tegenwiel om mee te rekenen.");
const std::string_view kStrengthNotCalculated = NV_TEXT("Not calculated", "Niet berekend");

const std::string_view kStrengthLoadHeading = NV_TEXT("LOAD", "BELASTING");
const std::string_view kStrengthRackSpeed = NV_TEXT("   v rack = ", "   v heugel = ");
const std::string_view kStrengthFactorsHeading = NV_TEXT("FACTORS", "FACTOREN");
const std::string_view kStrengthFlankHeading = NV_TEXT("FLANK PRESSURE (pitting)", "FLANKDRUK (pitting)");
const std::string_view kStrengthLoadCycles = NV_TEXT("load cycles", "lastwisselingen");
const std::string_view kStrengthRootHeading = NV_TEXT("ROOT STRESS (tooth breakage)", "VOETSPANNING (tandbreuk)");
const std::string_view kStrengthTransmissibleHeading =
    NV_TEXT("TRANSMISSIBLE (at the minimum safety factors)", "OVERDRAAGBAAR (bij de minimale veiligheden)");
const std::string_view kStrengthKwAt = NV_TEXT(" kW at ", " kW bij ");
const std::string_view kStrengthLimitedBy = NV_TEXT("  limited by the ", "  bepaald door de ");
const std::string_view kStrengthLimitFlank = NV_TEXT("flank pressure", "flankdruk");
const std::string_view kStrengthLimitRoot = NV_TEXT("root stress", "voetspanning");
const std::string_view kStrengthShaftHeading =
    NV_TEXT("SHAFT AND KEY CONNECTION  (preliminary sizing)", "AS EN SPIEVERBINDING  (voordimensionering)");
const std::string_view kStrengthShaftTorque = NV_TEXT("torque on the shaft [Nm]", "koppel op de as [Nm]");
const std::string_view kStrengthShaftMinDiameter = NV_TEXT("d min torsion [mm]", "d min torsie [mm]");
const std::string_view kStrengthShaftStandard = NV_TEXT("standard size DIN 748 [mm]", "normmaat DIN 748 [mm]");
const std::string_view kStrengthShaftBore = NV_TEXT("bore [mm]", "boring [mm]");
const std::string_view kStrengthKeySize = NV_TEXT("key b×h, bearing height k", "spie b×h, draagvlak k");
const std::string_view kStrengthKeyLength = NV_TEXT("key length / bearing [mm]", "spielengte / dragend [mm]");
const std::string_view kStrengthKeyPressure = NV_TEXT("p / p perm [N/mm²]", "p / p toel [N/mm²]");
const std::string_view kStrengthKeySafety = NV_TEXT("S_p  (min 1.00)", "S_p  (min 1.00)");
const std::string_view kStrengthKeyRequiredLength =
    NV_TEXT("required key length [mm]", "benodigde spielengte [mm]");
const std::string_view kStrengthGear1Prefix = NV_TEXT("  gear 1: ", "  wiel 1: ");
const std::string_view kStrengthGear1BoreTooSmall =
    NV_TEXT("  ! gear 1: bore smaller than d min, choose at least ",
            "  ! wiel 1: boring kleiner dan d min, kies ten minste ");
const std::string_view kStrengthBoreTooSmall =
    NV_TEXT(": bore smaller than d min, choose at least ", ": boring kleiner dan d min, kies ten minste ");
const std::string_view kStrengthInputReplaced =
    NV_TEXT(" cannot be used; calculated with ", " is niet bruikbaar; gerekend met ");
const std::string_view kStrengthInputKA = NV_TEXT("Application factor KA", "Bedrijfsfactor KA");
const std::string_view kStrengthInputMinSafetyH = NV_TEXT("Minimum S_H", "Minimaal S_H");
const std::string_view kStrengthInputMinSafetyF = NV_TEXT("Minimum S_F", "Minimaal S_F");
const std::string_view kStrengthInputE1 = NV_TEXT("E gear 1 [N/mm²]", "E wiel 1 [N/mm²]");
const std::string_view kStrengthInputE2 = NV_TEXT("E gear 2 [N/mm²]", "E wiel 2 [N/mm²]");
const std::string_view kStrengthDryRunning =
    NV_TEXT("  ! dry running: indicative only (wear determines the life)",
            "  ! droog lopen: alleen indicatief (slijtage bepaalt de levensduur)");
const std::string_view kStrengthFootnote1 =
    NV_TEXT("Indicative design calculation to ISO 6336 / DIN 3990 (simplified),",
            "Indicatieve ontwerpberekening naar ISO 6336 / DIN 3990 (vereenvoudigd),");
const std::string_view kStrengthFootnote2 =
    NV_TEXT("not a certified strength calculation.", "geen gecertificeerde sterkteberekening.");

const std::string_view kStrengthWarnContactRatio =
    NV_TEXT("  ! εα below 1: the load is not carried over from tooth to tooth; outside the method",
            "  ! εα kleiner dan 1: de last gaat niet van tand op tand over; buiten de methode");
const std::string_view kStrengthWarnRaisedPrefix = NV_TEXT("  ! εα of the mesh ", "  ! εα van de ingrijping ");
const std::string_view kStrengthWarnRaisedSuffix =
    NV_TEXT(" is below 0.5: calculated with εα ", " ligt onder 0.5: gerekend met εα ");
const std::string_view kStrengthWarnRaisedUndefined =
    NV_TEXT("  ! εα of the mesh is not defined: calculated with εα ",
            "  ! εα van de ingrijping is niet bepaald: gerekend met εα ");
const std::string_view kStrengthWarnDynamicPair = "  ! z1·v/100·√(u²/(1+u²)) = ";
const std::string_view kStrengthWarnDynamicRack = "  ! z1·v/100 = ";
const std::string_view kStrengthWarnDynamicSuffix =
    NV_TEXT(" m/s, not below 10 m/s: KV outside its method", " m/s, niet onder 10 m/s: KV buiten zijn methode");
const std::string_view kStrengthWarnInterferencePrefix =
    NV_TEXT("  ! tip interference of the internal pair (", "  ! kopinterferentie van het binnenpaar (");
const std::string_view kStrengthWarnInterferenceSuffix =
    NV_TEXT(" mm): εα and σH are not reliable; outside the method",
            " mm): εα en σH zijn niet betrouwbaar; buiten de methode");
const std::string_view kStrengthWarnPointed =
    NV_TEXT(": pointed teeth; outside the method", ": puntige tanden; buiten de methode");
const std::string_view kStrengthRatingOutside = " ?";

const std::string_view kVerdictSufficient = NV_TEXT("Sufficient  (S_H ", "Voldoet  (S_H ");
const std::string_view kVerdictTight = NV_TEXT("Tight  (S_H ", "Krap  (S_H ");
const std::string_view kVerdictInsufficient = NV_TEXT("Insufficient  (S_H ", "Voldoet niet  (S_H ");
const std::string_view kVerdictOutsideMethod = NV_TEXT("Outside the method  (S_H ", "Buiten de methode  (S_H ");

const std::string_view kStrengthCopyTitle =
    NV_TEXT("STRENGTH CALCULATION (indicative, ISO 6336 / DIN 3990)",
            "STERKTEBEREKENING (indicatief, ISO 6336 / DIN 3990)");
const std::string_view kStrengthCopyInput = NV_TEXT("INPUT", "INVOER");
const std::string_view kStrengthCopyServiceLife = NV_TEXT("   service life ", "   levensduur ");
const std::string_view kStrengthCopyGrade = NV_TEXT("  ISO 1328 grade ", "  ISO 1328 klasse ");
const std::string_view kStrengthCopyResult = NV_TEXT("RESULT: ", "RESULTAAT: ");

const std::string_view kStrengthT1 = "  T1 = ";
const std::string_view kStrengthNmN1 = " Nm   n1 = ";
const std::string_view kStrengthPerMin = " /min";
const std::string_view kStrengthN2 = "   n2 = ";
const std::string_view kStrengthMs = " m/s";
const std::string_view kStrengthFt = "  Ft = ";
const std::string_view kStrengthNV = " N   v = ";
const std::string_view kStrengthMsB = " m/s   b = ";
const std::string_view kStrengthMm = " mm";
const std::string_view kStrengthKA = "  KA ";
const std::string_view kStrengthKV = "   KV ";
const std::string_view kStrengthKHbeta = "   KHβ ";
const std::string_view kStrengthKFbeta = "   KFβ ";
const std::string_view kStrengthKHalpha = "   KHα=KFα ";
const std::string_view kStrengthZH = "  ZH ";
const std::string_view kStrengthZE = "   ZE ";
const std::string_view kStrengthZeps = "   Zε ";
const std::string_view kStrengthZbeta = "   Zβ ";
const std::string_view kStrengthZLVR = "   ZLZVZR ";
const std::string_view kStrengthEpsAlpha = "  εα ";
const std::string_view kStrengthEpsBeta = "   εβ ";
const std::string_view kStrengthYeps = "   Yε ";
const std::string_view kStrengthYbeta = "   Yβ ";
const std::string_view kStrengthSigmaH = "σH [N/mm²]";
const std::string_view kStrengthSigmaHlim = "σH,lim [N/mm²]";
const std::string_view kStrengthZNT = "ZNT";
const std::string_view kStrengthSigmaHP = "σHG [N/mm²]";
const std::string_view kStrengthSafetyHLabel = "S_H  (min ";
const std::string_view kStrengthCloseParen = ")";
const std::string_view kStrengthYFYS = "YF / YS";
const std::string_view kStrengthSigmaF = "σF [N/mm²]";
const std::string_view kStrengthSigmaFlim = "σF,lim [N/mm²]";
const std::string_view kStrengthYNT = "YNT";
const std::string_view kStrengthSigmaFP = "σFG [N/mm²]";
const std::string_view kStrengthSafetyFLabel = "S_F  (min ";
const std::string_view kStrengthT1Max = "  T1 max = ";
const std::string_view kStrengthNmPMax = " Nm   P max = ";
const std::string_view kVerdictSF = ", S_F ";
const std::string_view kStrengthCopyN1 = "   n1 = ";
const std::string_view kStrengthCopyPerMinKA = " /min   KA = ";
const std::string_view kStrengthCopyHours = " h";
const std::string_view kStrengthCopyNmm2 = " N/mm2)";
}  // namespace texts

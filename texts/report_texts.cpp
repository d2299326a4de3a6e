#include "texts/report_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kReportCaptionGear1 = NV_TEXT("GEAR 1 (blue)", "WIEL 1 (blauw)");
const std::string_view kReportCaptionGear2 = NV_TEXT("GEAR 2 (orange)", "WIEL 2 (oranje)");
const std::string_view kReportCaptionSingle = NV_TEXT("GEAR", "TANDWIEL");
const std::string_view kReportCaptionPinion = NV_TEXT("PINION (blue)", "RONDSEL (blauw)");
const std::string_view kReportCaptionRack = NV_TEXT("RACK (orange)", "HEUGEL (oranje)");
const std::string_view kReportCaptionRing = NV_TEXT("RING GEAR (orange)", "RING (oranje)");

const std::string_view kReportPairHeading = NV_TEXT("GEAR PAIR", "TANDWIELPAAR");
const std::string_view kReportRackPairHeading = NV_TEXT("PINION WITH RACK", "RONDSEL MET TANDHEUGEL");
const std::string_view kReportInternalHeading = NV_TEXT("INTERNAL GEAR PAIR", "BINNENVERTANDING");

const std::string_view kLabelA = "  a  = ";
const std::string_view kLabelA0 = "  a0 = ";
const std::string_view kLabelI = "  i  = ";
const std::string_view kLabelBeta = "  β  = ";
const std::string_view kLabelAlphaW = "  αw = ";
const std::string_view kLabelSigmaX = "  Σx = ";
const std::string_view kLabelDeltaX = "  Δx = ";
const std::string_view kLabelKM = "  k·m = ";
const std::string_view kLabelJn = "  jn = ";
const std::string_view kLabelJt = "  jt = ";
const std::string_view kLabelGAlpha = "  gα = ";
const std::string_view kLabelEpsAlpha = "  εα = ";
const std::string_view kLabelEpsBeta = "  εβ = ";
const std::string_view kLabelEpsGamma = "  εγ = ";
const std::string_view kLabelZ = "  z  = ";
const std::string_view kLabelMn = "     mn = ";
const std::string_view kLabelMmMt = " mm   mt = ";
const std::string_view kLabelM = "     m = ";
const std::string_view kLabelMm = " mm";
const std::string_view kLabelDegreeBlank = "° ";
const std::string_view kLabelBetaB = "   βb = ";
const std::string_view kLabelAlphaT = "   αt = ";
const std::string_view kLabelDegree = "°";
const std::string_view kLabelX = "  x  = ";
const std::string_view kLabelD = "  d  = ";
const std::string_view kLabelDa = "  da = ";
const std::string_view kLabelDf = "  df = ";
const std::string_view kLabelDb = "  db = ";
const std::string_view kLabelSt = "  st = ";
const std::string_view kLabelPz = "  pz = ";
const std::string_view kLabelS = "  s  = ";
const std::string_view kLabelAs = "  As = ";
const std::string_view kLabelSa = "  sa = ";
const std::string_view kLabelB = "  b  = ";
const std::string_view kLabelWk = "  Wk = ";
const std::string_view kLabelMd = "  Md = ";
const std::string_view kLabelH = "  H  = ";
const std::string_view kLabelPt = "  pt = ";
const std::string_view kLabelP = "  p  = ";
const std::string_view kLabelV = "  v  = ";
const std::string_view kLabelN = "  n  = ";
const std::string_view kLabelHa = "  ha = ";
const std::string_view kLabelHf = "   hf = ";
const std::string_view kLabelHp = "  Hp = ";
const std::string_view kLabelC1 = "  c1 = ";
const std::string_view kLabelC2 = "  c2 = ";
const std::string_view kLabelDaRim = "  Da = ";
const std::string_view kLabelE = "  e  = ";
const std::string_view kLabelMi = "  Mi = ";
const std::string_view kLabelCloseParen = ")";

const std::string_view kExplCentreDistance = NV_TEXT("   centre distance", "   hartafstand");
const std::string_view kExplReferenceCentreDistance =
    NV_TEXT("   reference centre distance", "   nul-hartafstand");
const std::string_view kExplRatio = "   (z2/z1)";
const std::string_view kExplHandGear1 = NV_TEXT("°   gear 1 ", "°   wiel 1 ");
const std::string_view kExplHandGear2 = NV_TEXT(", gear 2 ", ", wiel 2 ");
const std::string_view kExplOperatingPressureAngle =
    NV_TEXT("°  operating pressure angle", "°  bedrijfsdrukhoek");
const std::string_view kExplTipShortening = NV_TEXT("   tip shortening", "   kopverkorting");
const std::string_view kExplNormalBacklash = NV_TEXT("   normal backlash", "   normale flankspeling");
const std::string_view kExplCircumferentialBacklash =
    NV_TEXT("   circumferential backlash at dw", "   omtreksspeling op dw");
const std::string_view kExplPathLength =
    NV_TEXT("   length of path of contact A–E", "   lengte ingrijpingslijn A–E");
const std::string_view kExplTransverseContactRatio =
    NV_TEXT("   transverse contact ratio", "   profieloverdekking");
const std::string_view kExplOverlapRatio = NV_TEXT("   overlap ratio", "   sprongoverdekking");
const std::string_view kExplTotalContactRatio = NV_TEXT("   total contact ratio", "   totale overdekking");
const std::string_view kWarnContactRatio =
    NV_TEXT("  ! contact ratio too small", "  ! ingrijpingsgraad te klein");

const std::string_view kExplMinShift = "   (x min = ";
const std::string_view kExplPitchCircle = NV_TEXT("   pitch circle", "   steekcirkel");
const std::string_view kExplTipCircle = NV_TEXT("   tip circle", "   kopcirkel");
const std::string_view kExplRootCircle = NV_TEXT("   root circle", "   voetcirkel");
const std::string_view kExplBaseCircle = NV_TEXT("   base circle", "   basiscirkel");
const std::string_view kExplThicknessTransverse =
    NV_TEXT("   tooth thickness at d (transverse)", "   tanddikte op d (transversaal)");
const std::string_view kExplLead = NV_TEXT("   lead of the helix", "   spoed van de schroeflijn");
const std::string_view kExplThickness = NV_TEXT("   tooth thickness at d", "   tanddikte op d");
const std::string_view kExplAllowance =
    NV_TEXT("   thickness allowance (tool at x = ", "   afmaat (gereedschap op x = ");
const std::string_view kExplTipThickness = NV_TEXT("   tooth thickness at da", "   tanddikte op da");
const std::string_view kExplBore = NV_TEXT("   bore = ", "   boring = ");
const std::string_view kReportInspectionHeading =
    NV_TEXT("  Inspection dimensions (finished gear):", "  Controlematen (afgewerkt wiel):");
const std::string_view kExplSpan = NV_TEXT("   span over k = ", "   tandwijdte over k = ");
const std::string_view kWarnSpanOutsideInvolute =
    NV_TEXT("  ! Wk measuring points outside the involute", "  ! meetpunten Wk buiten de evolvente");
const std::string_view kWarnSpanFaceWidth =
    NV_TEXT("  ! b too narrow to measure Wk (min. ", "  ! b te smal om Wk te meten (min. ");
const std::string_view kExplOverPins = NV_TEXT("   over 2 pins Ø ", "   over 2 pennen Ø ");
const std::string_view kExplOverBalls = NV_TEXT("   over 2 balls Ø ", "   over 2 kogels Ø ");
const std::string_view kExplOddTeeth = NV_TEXT(" (odd z)", " (z oneven)");
const std::string_view kWarnPinNotProtruding =
    NV_TEXT("  ! pin does not protrude beyond the tip circle", "  ! pen steekt niet buiten de kopcirkel");
const std::string_view kWarnPinOutsideInvolute =
    NV_TEXT("  ! pin touches outside the involute", "  ! pen raakt buiten de evolvente");
const std::string_view kWarnUndercut = NV_TEXT("  ! undercut (x < x min)", "  ! ondersnijding (x < x min)");
const std::string_view kWarnToolTipRounding =
    NV_TEXT("  ! tool tip roundings reduced to ρ = ", "  ! kopafrondingen van het gereedschap verkleind tot ρ = ");
const std::string_view kWarnToolTipRoundingSuffix =
    NV_TEXT(" mm to fit the tool tooth", " mm om in de gereedschapstand te passen");
const std::string_view kWarnPointed =
    NV_TEXT("  ! pointed tooth, tip circle reduced", "  ! spitse tand, kopcirkel verkleind");
const std::string_view kWarnTipThickness = NV_TEXT("  ! tip thickness < 0.25 m", "  ! kopdikte < 0.25 m");
const std::string_view kWarnBoreRoot =
    NV_TEXT("  ! bore larger than root circle", "  ! boring groter dan voetcirkel");
const std::string_view kWarnBallOutsideInvolute =
    NV_TEXT("  ! ball touches outside the involute", "  ! kogel raakt buiten de evolvente");
const std::string_view kWarnInvalid = NV_TEXT("  ! invalid geometry", "  ! geometrie ongeldig");

const std::string_view kExplRackPitchLine =
    NV_TEXT("   pinion axis – rack pitch line", "   as rondsel – steeklijn heugel");
const std::string_view kExplRackBack = NV_TEXT("   pinion axis – rack back", "   as rondsel – heugelrug");
const std::string_view kExplRackPinionHand = NV_TEXT("°   pinion ", "°   rondsel ");
const std::string_view kExplRackSameAngle =
    NV_TEXT(", rack teeth at the same angle", ", heugeltanden onder dezelfde hoek");
const std::string_view kExplRackPitchAlong =
    NV_TEXT("   pitch along the rack (pn = ", "   steek langs de heugel (pn = ");
const std::string_view kExplPitch = NV_TEXT("   pitch", "   steek");
const std::string_view kExplTravel = NV_TEXT("   travel per revolution", "   verplaatsing per omwenteling");
const std::string_view kExplRackTeeth = NV_TEXT(" teeth   L = ", " tanden   L = ");
const std::string_view kExplLength = NV_TEXT("   length", "   lengte");
const std::string_view kExplRackThickness =
    NV_TEXT("   tooth thickness at the pitch line", "   tanddikte op de steeklijn");
const std::string_view kExplAddendumDedendum = NV_TEXT("   addendum / dedendum", "   kop-/voethoogte");
const std::string_view kExplRackBackFace =
    NV_TEXT("   back to pitch line   b = ", "   rug tot steeklijn   b = ");
const std::string_view kWarnRackRootRounding =
    NV_TEXT("  ! root roundings reduced to ρ = ", "  ! voetrondingen verkleind tot ρ = ");
const std::string_view kWarnRackRootRoundingSuffix =
    NV_TEXT(" mm to fit the tooth gap", " mm om in de tandholte te passen");
const std::string_view kWarnRackInvalidAllowance =
    NV_TEXT("  ! invalid: the thickness allowance As leaves no rack tooth",
            "  ! ongeldig: de afmaat As laat geen heugeltand over");
const std::string_view kWarnRackInvalidGapClosed =
    NV_TEXT("  ! invalid: the flanks of a tooth gap meet above the root line (α too large)",
            "  ! ongeldig: de flanken van een tandholte raken elkaar boven de voetlijn (α te groot)");
const std::string_view kWarnRackInvalidInputs =
    NV_TEXT("  ! invalid: module, number of teeth, α, β or b out of range",
            "  ! ongeldig: module, aantal tanden, α, β of b buiten bereik");
const std::string_view kWarnRackPointed = NV_TEXT("  ! pointed rack tooth", "  ! spitse heugeltand");
const std::string_view kWarnRackInvalid = NV_TEXT("  ! invalid: Hp must be larger than hf = 1.25 m",
                                                  "  ! ongeldig: Hp moet groter zijn dan hf = 1.25 m");

const std::string_view kWarnInternalInvalid =
    NV_TEXT("  ! invalid geometry (rim thickness > 0?)", "  ! geometrie ongeldig (randdikte > 0?)");
const std::string_view kExplInternalRatio =
    NV_TEXT("   (z2/z1, same direction of rotation)", "   (z2/z1, zelfde draairichting)");
const std::string_view kExplInternalHand = NV_TEXT("°   pinion and ring both ", "°   rondsel en ring beide ");
const std::string_view kExplShiftDifference = "   (x2 - x1)";
const std::string_view kExplClearance1 =
    NV_TEXT("   tip clearance pinion tip – ring root", "   kopspeling rondselkop – ringvoet");
const std::string_view kExplClearance2 =
    NV_TEXT("   tip clearance ring tip – pinion root", "   kopspeling ringkop – rondselvoet");
const std::string_view kWarnClearance =
    NV_TEXT("  ! tip clearance smaller than 0.1 m", "  ! kopspeling kleiner dan 0.1 m");
const std::string_view kWarnRingTipFillet =
    NV_TEXT("  ! ring tip touches the pinion root fillet (switch on 'shorten ring tip')",
            "  ! ringkop raakt de voetronding van het rondsel (zet 'ringkop inkorten' aan)");
const std::string_view kWarnInterferencePrefix =
    NV_TEXT("  ! INTERFERENCE: teeth overlap by ", "  ! INTERFERENTIE: tanden dringen ");
const std::string_view kWarnInterferenceSuffix = NV_TEXT(" mm", " mm in elkaar");
const std::string_view kWarnFlankOverlapHint =
    NV_TEXT("    (backlash below 0: the teeth are thicker than the gaps of the mate)",
            "    (flankspeling onder 0: de tanden zijn dikker dan de holten van het tegenwiel)");
const std::string_view kWarnInterferenceHint =
    NV_TEXT("    (larger tooth difference, other x or less addendum needed)",
            "    (groter tandverschil, andere x of minder kophoogte nodig)");
const std::string_view kReportNoInterference =
    NV_TEXT("  no interference (checked over one full pitch)",
            "  geen interferentie (gecontroleerd over een volle steek)");
const std::string_view kExplRingShift = NV_TEXT("   (x > 0: wider space)", "   (x > 0: holte breder)");
const std::string_view kExplRingTipCircle = NV_TEXT("   tip circle (inner)", "   kopcirkel (binnen)");
const std::string_view kExplOutsideDiameter = NV_TEXT("   outside diameter", "   buitendiameter");
const std::string_view kExplSpaceWidth = NV_TEXT("   space width at d", "   holtebreedte op d");
const std::string_view kExplRingTipThickness =
    NV_TEXT("   tooth thickness at the tip", "   tanddikte aan de kop");
const std::string_view kExplTipReduction =
    NV_TEXT("   tip reduction (against interference)", "   kopinkorting (tegen interferentie)");
const std::string_view kReportRingInspectionHeading =
    NV_TEXT("  Inspection dimension (finished gear):", "  Controlemaat (afgewerkt wiel):");
const std::string_view kExplBetweenBalls = NV_TEXT("   between 2 balls Ø ", "   tussen 2 kogels Ø ");
const std::string_view kWarnBallNotProtruding =
    NV_TEXT("  ! ball does not protrude inside the tip circle", "  ! kogel steekt niet binnen de kopcirkel uit");
const std::string_view kWarnRingTipBelowBase =
    NV_TEXT("  ! tip circle below the base circle", "  ! kopcirkel onder de basiscirkel");
const std::string_view kWarnRingPointed =
    NV_TEXT("  ! pointed ring tooth, tip circle enlarged", "  ! spitse ringtand, kopcirkel vergroot");
}

namespace texts {
const std::string_view kRatingOk = " ok";
const std::string_view kRatingTight = NV_TEXT(" tight", " krap");
const std::string_view kRatingFail = " !!";
}

namespace texts {
const std::string_view kWarnMeshUndefined =
    NV_TEXT("  ! no valid mesh: contact values cannot be computed",
            "  ! geen geldige ingrijping: overdekking niet te berekenen");
}

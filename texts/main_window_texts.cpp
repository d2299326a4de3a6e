#include "texts/main_window_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kMainWindowTitle = NV_TEXT("Norvale - involute gears (ISO 53 / DIN 867 / DIN 3960)", "Norvale - evolvente tandwielen (ISO 53 / DIN 867 / DIN 3960)");
const std::string_view kButtonOpenText = NV_TEXT("Open...", "Openen...");
const std::string_view kButtonOpenTip = NV_TEXT("Open project (Ctrl+O)", "Project openen (Ctrl+O)");
const std::string_view kButtonSaveText = NV_TEXT("Save", "Opslaan");
const std::string_view kButtonSaveTip = NV_TEXT("Save project (Ctrl+S)", "Project opslaan (Ctrl+S)");
const std::string_view kButtonSaveAsText = NV_TEXT("Save as...", "Opslaan als...");
const std::string_view kButtonHelpText = NV_TEXT("Help", "Help");
const std::string_view kButtonHelpTip = NV_TEXT("User guide (F1) and About Norvale", "Handleiding (F1) en Over Norvale");
const std::string_view kMenuUserGuide = NV_TEXT("User guide\tF1", "Handleiding\tF1");
const std::string_view kMenuAbout = NV_TEXT("About Norvale", "Over Norvale");
const std::string_view kTabPairTitle = NV_TEXT("Pair", "Paar");
const std::string_view kTabSingleTitle = NV_TEXT("Single", "Enkel");
const std::string_view kTabRackTitle = NV_TEXT("Rack", "Heugel");
const std::string_view kTabInternalTitle = NV_TEXT("Internal", "Binnen");
const std::string_view kCheckRotateText = NV_TEXT("Rotate", "Draaien");
const std::string_view kTrackSpeedTip = NV_TEXT("Animation speed", "Snelheid van de animatie");
const std::string_view kCheckLineOfActionText = NV_TEXT("Line of action", "Ingrijpingslijn");
const std::string_view kCheckLineOfActionTip = NV_TEXT("Show line of action", "Ingrijpingslijn tonen");
const std::string_view kButtonStrengthText = NV_TEXT("Strength...", "Sterkte...");
const std::string_view kButtonStrengthTip = NV_TEXT("Strength calculation (flank pressure and root stress) of the active pair", "Sterkteberekening (flankdruk en voetspanning) van het actieve paar");
const std::string_view kButtonHubKeywayText = NV_TEXT("Hub/key...", "Naaf/spie...");
const std::string_view kButtonHubKeywayTip = NV_TEXT("Hub and keyway (DIN 6885) for gear 1 and gear 2", "Naaf en spiebaan (DIN 6885) voor wiel 1 en wiel 2");
const std::string_view kExportBothItem = NV_TEXT("Export: both together, as shown", "Exporteren: beide samen, zoals in beeld");
const std::string_view kExportGear1Item = NV_TEXT("Export: gear 1 / pinion only", "Exporteren: alleen wiel 1 / rondsel");
const std::string_view kExportGear2Item = NV_TEXT("Export: gear 2 / rack / ring only", "Exporteren: alleen wiel 2 / heugel / ring");
const std::string_view kButtonExportDxfText = NV_TEXT("Export DXF...", "Export DXF...");
const std::string_view kButtonExportStepText = NV_TEXT("Export STEP...", "Export STEP...");
const std::string_view kButtonExportStlText = NV_TEXT("Export STL...", "Export STL...");
const std::string_view kChordToleranceLabel = NV_TEXT("STL chord tolerance [mm]", "STL-koordafwijking [mm]");
const std::string_view kChordToleranceTip = NV_TEXT("Maximum distance between the triangle mesh and the true shape", "Maximale afstand tussen het driehoeksnet en de echte vorm");
const std::string_view kLabelCentreDistance = NV_TEXT("Centre distance a [mm]", "Hartafstand a [mm]");
const std::string_view kLabelRatio = NV_TEXT("Ratio i = z2 / z1", "Overbrenging i = z2 / z1");
const std::string_view kLabelPressureAngle = NV_TEXT("Pressure angle α [°]", "Drukhoek α [°]");
const std::string_view kLabelHelixAngleHand = NV_TEXT("Helix angle β [°] / hand", "Schuinte β [°] / spoed");
const std::string_view kHelixAngleTip = NV_TEXT("Helix angle (the maximum when 'search' is on); then Calculate modules", "Schuintehoek (bij 'zoeken' de maximale); daarna Modulen berekenen");
const std::string_view kCheckPairHelixSearchText = NV_TEXT("β search: Σx = 0, β ≤ given", "β zoeken: Σx = 0, β ≤ opgegeven");
const std::string_view kCheckPairHelixSearchTip = NV_TEXT("Chooses for each combination the helix angle at which the centre distance fits without profile shift", "Kiest per combinatie de schuintehoek waarbij de hartafstand zonder profielverschuiving klopt");
const std::string_view kLabelTolerance = NV_TEXT("Tolerance i [±%]", "Tolerantie i [±%]");
const std::string_view kLabelShiftSumRange = NV_TEXT("Σx  min / max", "Σx  min / max");
const std::string_view kLabelZMin = NV_TEXT("z min", "z min");
const std::string_view kCheckSeries2Text = NV_TEXT("Also DIN 780 series 2 (non-preferred modules)", "Ook DIN 780 reeks 2 (niet-voorkeur modulen)");
const std::string_view kButtonCalculateText = NV_TEXT("Calculate modules", "Modulen berekenen");
const std::string_view kLabelProfileShiftX1 = NV_TEXT("Profile shift x1", "Profielverschuiving x1");
const std::string_view kTextX2Prefix = NV_TEXT("x2 =", "x2 =");
const std::string_view kLabelFaceWidth = NV_TEXT("Face width b [mm]", "Tandbreedte b [mm]");
const std::string_view kLabelBacklash = NV_TEXT("Backlash jn [mm]", "Flankspeling jn [mm]");
const std::string_view kLabelBores = NV_TEXT("Bore d1 / d2 [mm]", "Boring d1 / d2 [mm]");
const std::string_view kHandRightItem = NV_TEXT("right", "rechts");
const std::string_view kHandLeftItem = NV_TEXT("left", "links");
const std::string_view kLabelModule = NV_TEXT("Module m [mm]", "Modul m [mm]");
const std::string_view kLabelTeeth = NV_TEXT("Number of teeth z", "Aantal tanden z");
const std::string_view kLabelProfileShift = NV_TEXT("Profile shift x", "Profielverschuiving x");
const std::string_view kLabelThicknessAllowance = NV_TEXT("Thickness allowance As [mm]", "Tanddikte-afmaat As [mm]");
const std::string_view kLabelBore = NV_TEXT("Bore [mm]", "Boring [mm]");
const std::string_view kSingleNote = NV_TEXT("Changes are drawn immediately. Basic rack ISO 53 A: ha = 1,0 m   hf = 1,25 m   ρf = 0,38 m", "Wijzigingen worden direct getekend. Heugelprofiel ISO 53 A: ha = 1,0 m   hf = 1,25 m   ρf = 0,38 m");
const std::string_view kLabelPinionTeeth = NV_TEXT("Pinion teeth z", "Tanden rondsel z");
const std::string_view kRackHandTip = NV_TEXT("Hand of the pinion; the rack teeth are at the same angle", "Spoed van het rondsel; de heugeltanden staan onder dezelfde hoek");
const std::string_view kLabelPinionBore = NV_TEXT("Pinion bore [mm]", "Boring rondsel [mm]");
const std::string_view kLabelRackTeeth = NV_TEXT("Rack teeth n", "Heugeltanden n");
const std::string_view kLabelRackHeight = NV_TEXT("Rack height Hp [mm]", "Heugelhoogte Hp [mm]");
const std::string_view kRackHeightTip = NV_TEXT("Distance from the rack back to the pitch line", "Afstand van de heugelrug tot de steeklijn");
const std::string_view kInternalHandTip = NV_TEXT("Hand of pinion and ring (equal for internal gears)", "Spoed van rondsel en ring (bij binnenvertanding gelijk)");
const std::string_view kCheckIntHelixSearchText = NV_TEXT("β search: Δx = 0, β ≤ given", "β zoeken: Δx = 0, β ≤ opgegeven");
const std::string_view kLabelShiftDiffRange = NV_TEXT("Δx = x2 - x1  min / max", "Δx = x2 - x1  min / max");
const std::string_view kLabelZ1MinToothDiff = NV_TEXT("z1 min / min. tooth diff.", "z1 min / tandverschil min");
const std::string_view kZ1MinTip = NV_TEXT("Smallest number of pinion teeth", "Kleinste tandental van het rondsel");
const std::string_view kMinToothDiffTip = NV_TEXT("Smallest tooth difference z2 - z1", "Kleinste tandverschil z2 - z1");
const std::string_view kLabelPinionBoreRingRim = NV_TEXT("Pinion bore / ring rim", "Boring rondsel / rand ring");
const std::string_view kPinionBoreTip = NV_TEXT("Bore of the pinion [mm]", "Boring van het rondsel [mm]");
const std::string_view kRingRimTip = NV_TEXT("Rim thickness of the ring outside the root circle [mm]", "Randdikte van de ring buiten de voetcirkel [mm]");
const std::string_view kCheckShortenRingTipText = NV_TEXT("Shorten ring tip against interference", "Ringkop inkorten tegen interferentie");
const std::string_view kCheckShortenRingTipTip = NV_TEXT("Ring tip circle large enough for the ring tip to clear the pinion root fillet", "Kopcirkel van de ring zo groot dat de ringkop de voetronding van het rondsel niet raakt");
const std::string_view kLoadLabelPower = NV_TEXT("Power P [kW]", "Vermogen P [kW]");
const std::string_view kLoadLabelTorque = NV_TEXT("Torque T1 [Nm]", "Koppel T1 [Nm]");
}  // namespace texts

namespace texts {
const std::string_view kVersionText = NV_TEXT("Norvale 1.00", "Norvale 1.00");
}  // namespace texts

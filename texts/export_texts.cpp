#include "texts/export_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kExportDialogTitle = NV_TEXT("Export", "Exporteren");
const std::string_view kExportDxfExtension = NV_TEXT("dxf", "dxf");
const std::string_view kExportStepExtension = NV_TEXT("stp", "stp");
const std::string_view kExportStlExtension = NV_TEXT("stl", "stl");
const std::string_view kExportDxfFilter = NV_TEXT("DXF (*.dxf)|*.dxf", "DXF (*.dxf)|*.dxf");
const std::string_view kExportStepFilter =
    NV_TEXT("STEP (*.stp;*.step)|*.stp;*.step", "STEP (*.stp;*.step)|*.stp;*.step");
const std::string_view kExportStlFilter = NV_TEXT("STL (*.stl)|*.stl", "STL (*.stl)|*.stl");

const std::string_view kExportNameGear1 = NV_TEXT("gear1_m", "wiel1_m");
const std::string_view kExportNameGear2 = NV_TEXT("gear2_m", "wiel2_m");
const std::string_view kExportNamePair = NV_TEXT("pair_m", "paar_m");
const std::string_view kExportNameSingle = NV_TEXT("gear_m", "tandwiel_m");
const std::string_view kExportNamePinion = NV_TEXT("pinion_m", "rondsel_m");
const std::string_view kExportNameRack = NV_TEXT("rack_m", "heugel_m");
const std::string_view kExportNamePinionRack = NV_TEXT("pinion_rack_m", "rondsel_heugel_m");
const std::string_view kExportNameRing = NV_TEXT("ring_m", "ring_m");
const std::string_view kExportNameInternal = NV_TEXT("internal_m", "binnen_m");

const std::string_view kExportMessageTitle = NV_TEXT("Norvale", "Norvale");
const std::string_view kExportBadChordTolerance =
    NV_TEXT("Enter an STL chord tolerance between 0.0001 and 1 mm.", "Geef een STL-koordafwijking tussen 0,0001 en 1 mm.");
const std::string_view kExportNothingToExport =
    NV_TEXT("There is no (valid) gear to export yet.", "Er is nog geen (geldig) tandwiel om te exporteren.");
const std::string_view kExportBodyInvalidBefore =
    NV_TEXT("Nothing was exported: ", "Er is niets geëxporteerd: ");
const std::string_view kExportBodyInvalidAfter =
    NV_TEXT(" cannot be made from these inputs (the report says why).",
            " kan met deze invoer niet worden gemaakt (het rapport zegt waarom).");
const std::string_view kExportBodyNameGear1 = NV_TEXT("gear 1", "wiel 1");
const std::string_view kExportBodyNameGear2 = NV_TEXT("gear 2", "wiel 2");
const std::string_view kExportBodyNameSingle = NV_TEXT("the gear", "het tandwiel");
const std::string_view kExportBodyNamePinion = NV_TEXT("the pinion", "het rondsel");
const std::string_view kExportBodyNameRack = NV_TEXT("the rack", "de heugel");
const std::string_view kExportBodyNameRing = NV_TEXT("the ring gear", "de ring");
const std::string_view kExportStlWrittenBefore = NV_TEXT("STL written: ", "STL geschreven: ");
const std::string_view kExportStlWrittenTriangles = NV_TEXT(" triangles, ", " driehoeken, ");
const std::string_view kExportStlWrittenTolerance = NV_TEXT(" kB\r\nChord tolerance max. ", " kB\r\nKoordafwijking max. ");
const std::string_view kExportStlWrittenAfter = NV_TEXT(" mm", " mm");
const std::string_view kExportExistsBefore = NV_TEXT("'", "'");
const std::string_view kExportExistsAfter = NV_TEXT("' already exists. Overwrite?", "' bestaat al. Overschrijven?");
const std::string_view kExportWriteFailedBefore = NV_TEXT("File '", "Kan '");
const std::string_view kExportWriteFailedAfter = NV_TEXT("' could not be written.", "' niet schrijven.");

const std::string_view kExportBodyRefused =
    NV_TEXT("No closed solid or mesh can be made, so nothing was written: ",
            "Er kan geen gesloten volumemodel of mesh gemaakt worden, dus er is niets geschreven: ");
const std::string_view kExportBodyNotFinite =
    NV_TEXT("a size or position of the design is not a finite number or too large for the file.\r\n"
            "Enter finite values of usual size in the fields of the design.",
            "een maat of positie van het ontwerp is geen eindig getal of te groot voor het bestand.\r\n"
            "Geef eindige waarden van gangbare grootte in de velden van het ontwerp.");
const std::string_view kExportBodyFaceWidth =
    NV_TEXT("the face width is not greater than 0 mm.\r\nEnter a face width greater than 0.",
            "de tandbreedte is niet groter dan 0 mm.\r\nGeef een tandbreedte groter dan 0.");
const std::string_view kExportBodyBoreTooLarge =
    NV_TEXT("the bore or its keyway reaches the root circle.\r\nChoose a smaller bore or keyway.",
            "de boring of de spiebaan reikt tot de voetcirkel.\r\nKies een kleinere boring of spiebaan.");
const std::string_view kExportBodyHubTooSmall =
    NV_TEXT("the hub is not wider than the bore with its keyway.\r\n"
            "Enter a larger hub diameter, or 0 for the automatic size.",
            "de naaf is niet breder dan de boring met de spiebaan.\r\n"
            "Geef een grotere naafdiameter, of 0 voor de automatische maat.");
const std::string_view kExportBodyHubTooLarge =
    NV_TEXT("the hub reaches the root circle.\r\nEnter a smaller hub diameter.",
            "de naaf reikt tot de voetcirkel.\r\nGeef een kleinere naafdiameter.");
const std::string_view kExportBodyRimTooThin =
    NV_TEXT("the rim of the ring gear does not enclose its teeth.\r\nEnter a larger rim thickness.",
            "de rand van de ring omsluit de tanden niet.\r\nGeef een grotere randdikte.");
const std::string_view kExportBodyTwistTooLarge =
    NV_TEXT("the helical teeth turn too far over the face width.\r\nEnter a smaller face width or helix angle.",
            "de schuine tanden draaien te ver over de tandbreedte.\r\nGeef een kleinere tandbreedte of schuintehoek.");
const std::string_view kExportBodyTooManyTriangles =
    NV_TEXT("the mesh would have more than 100 million triangles.\r\n"
            "Enter a larger STL chord tolerance, or a smaller face width or helix angle.",
            "de mesh zou meer dan 100 miljoen driehoeken krijgen.\r\n"
            "Geef een grotere STL-koordafwijking, of een kleinere tandbreedte of schuintehoek.");
const std::string_view kExportBodyShape =
    NV_TEXT("the outline of the design cannot be closed.\r\nSee the warnings in the report and change the design.",
            "de omtrek van het ontwerp kan niet gesloten worden.\r\nZie de waarschuwingen in het rapport en wijzig het ontwerp.");
}  // namespace texts

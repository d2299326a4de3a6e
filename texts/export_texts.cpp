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
const std::string_view kExportStlWrittenBefore = NV_TEXT("STL written: ", "STL geschreven: ");
const std::string_view kExportStlWrittenTriangles = NV_TEXT(" triangles, ", " driehoeken, ");
const std::string_view kExportStlWrittenTolerance = NV_TEXT(" kB\r\nChord tolerance max. ", " kB\r\nKoordafwijking max. ");
const std::string_view kExportStlWrittenAfter = NV_TEXT(" mm", " mm");
const std::string_view kExportExistsBefore = NV_TEXT("'", "'");
const std::string_view kExportExistsAfter = NV_TEXT("' already exists. Overwrite?", "' bestaat al. Overschrijven?");
const std::string_view kExportWriteFailedBefore = NV_TEXT("File '", "Kan '");
const std::string_view kExportWriteFailedAfter = NV_TEXT("' could not be written.", "' niet schrijven.");
}  // namespace texts

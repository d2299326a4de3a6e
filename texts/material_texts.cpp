#include "texts/material_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kMaterialNames[13] = {
    NV_TEXT("S355 (St 52) structural steel", "S355 (St 52) constructiestaal"),
    NV_TEXT("C45 normalised", "C45 genormaliseerd"),
    NV_TEXT("C45 quenched and tempered", "C45 veredeld"),
    NV_TEXT("42CrMo4 quenched and tempered (~300 HB)", "42CrMo4 veredeld (~300 HB)"),
    NV_TEXT("C45 induction / flame hardened", "C45 inductie-/vlamgehard"),
    NV_TEXT("42CrMo4 induction / flame hardened", "42CrMo4 inductie-/vlamgehard"),
    NV_TEXT("42CrMo4 nitrided", "42CrMo4 genitreerd"),
    NV_TEXT("16MnCr5 case hardened", "16MnCr5 ingezet gehard"),
    NV_TEXT("18CrNiMo7-6 case hardened", "18CrNiMo7-6 ingezet gehard"),
    NV_TEXT("GJS-600 ductile iron", "GJS-600 nodulair gietijzer"),
    NV_TEXT("GJL-250 grey cast iron", "GJL-250 grijs gietijzer"),
    NV_TEXT("CuSn12 bronze", "CuSn12 brons"),
    NV_TEXT("Custom material", "Eigen materiaal"),
};

const std::string_view kShaftMaterialNames[6] = {
    "S235",
    "S355",
    NV_TEXT("C45 (+C or Q+T)", "C45 (+C of veredeld)"),
    NV_TEXT("42CrMo4 Q+T", "42CrMo4 veredeld"),
    NV_TEXT("34CrNiMo6 Q+T", "34CrNiMo6 veredeld"),
    NV_TEXT("Custom values", "Eigen waarden"),
};
}  // namespace texts

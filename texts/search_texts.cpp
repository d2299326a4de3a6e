#include "texts/search_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kPairSearchBadInput = NV_TEXT(
    "Check centre distance, ratio, pressure angle (10..35), β (0..45) and z min.",
    "Controleer hartafstand, verhouding, drukhoek (10..35), β (0..45) en z min.");
const std::string_view kPairSearchNoRowsHelix = NV_TEXT(
    "No combinations found. Increase the tolerance or the maximum β.",
    "Geen combinaties gevonden. Vergroot de tolerantie of de maximale β.");
const std::string_view kPairSearchNoRowsShift = NV_TEXT(
    "No combinations found. Increase the tolerance or the limits of Σx.",
    "Geen combinaties gevonden. Vergroot de tolerantie of de grenzen van Σx.");
const std::string_view kInternalSearchBadInput = NV_TEXT(
    "Check centre distance, ratio (> 1), pressure angle (10..35), β (0..45), z min and tooth difference.",
    "Controleer hartafstand, verhouding (> 1), drukhoek (10..35), β (0..45), z min en tandverschil.");
const std::string_view kInternalSearchNoRows = NV_TEXT(
    "No combinations found. Increase the tolerance, the limits of Δx or the maximum β.",
    "Geen combinaties gevonden. Vergroot de tolerantie, de grenzen van Δx of de maximale β.");
}

namespace texts {
const std::string_view kSearchMessageTitle = "Norvale";
}

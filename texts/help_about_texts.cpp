#include "texts/help_about_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kHelpFileName = NV_TEXT("help_en.html", "help_nl.html");
const std::string_view kHelpNotFoundStart = NV_TEXT("The help file '", "Het helpbestand '");
const std::string_view kHelpNotFoundEnd =
    NV_TEXT("' was not found. Place it next to the program.", "' is niet gevonden. Zet het naast het programma.");
const std::string_view kHelpNotOpenedStart =
    NV_TEXT("The system could not open the user guide. It is here:\r\n",
            "Het systeem kon de handleiding niet openen. Die staat hier:\r\n");
const std::string_view kHelpMessageTitle = NV_TEXT("Norvale", "Norvale");

// Both languages in both programs (not NV_TEXT): the caller passes the number.
const std::string_view kAboutTitle[2] = {"About", "Over"};
const std::string_view kAboutMakerLine[2] = {"Made by the Norvale developers",
                                             "Gemaakt door de ontwikkelaars van Norvale"};
const std::string_view kAboutCreditLine1[2] = {"Involute gears after ISO 53, DIN 867, DIN 3960",
                                               "Evolventevertanding: ISO 53, DIN 867, DIN 3960"};
const std::string_view kAboutCreditLine2[2] = {"Strength indicative after ISO 6336 / DIN 3990",
                                               "Sterkte indicatief volgens ISO 6336 / DIN 3990"};
const std::string_view kAboutCreatedUsing[2] = {"Created using:", "Gemaakt met:"};
const std::string_view kAboutClose[2] = {"Close", "Sluiten"};
}

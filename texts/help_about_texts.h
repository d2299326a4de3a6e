// Texts of the help file lookup and of the About box.
#pragma once

#include <string_view>

namespace texts {
// The user guide shipped beside the program: "help_en.html" or "help_nl.html".
extern const std::string_view kHelpFileName;
// "The help file '" + name + "' was not found. Place it next to the program."
extern const std::string_view kHelpNotFoundStart;
extern const std::string_view kHelpNotFoundEnd;
// The guide was found but the system opened no viewer: its full path follows.
extern const std::string_view kHelpNotOpenedStart;
extern const std::string_view kHelpMessageTitle;

// The About box chooses its texts by a language number at run time, so both
// programs carry both sets: index 0 English, 1 Dutch.
extern const std::string_view kAboutTitle[2];
extern const std::string_view kAboutMakerLine[2];
extern const std::string_view kAboutCreditLine1[2];
extern const std::string_view kAboutCreditLine2[2];
extern const std::string_view kAboutCreatedUsing[2];
extern const std::string_view kAboutClose[2];
}

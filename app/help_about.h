// The help file and the About box.
#pragma once

#include <cstdint>
#include <string_view>

int64_t OpenHelpFile();
int64_t ShowAboutBox(int64_t parentWindow, std::string_view version, const unsigned char* pictureStart,
                     const unsigned char* pictureEnd, int64_t language);

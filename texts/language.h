// The language of the linked texts: 0 English, 1 Dutch.
#pragma once

namespace texts {
extern const int kLanguageNumber;
}

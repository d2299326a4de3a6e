#include "texts/language.h"
#include "texts/text_select.h"

namespace texts {
const int kLanguageNumber = NV_TEXT(0, 1);
}

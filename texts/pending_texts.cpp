#include "texts/pending_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kPendingAskSaveChanges =
    NV_TEXT("The project has been changed. Save changes?", "Het project is gewijzigd. Wijzigingen opslaan?");
const std::string_view kPendingMessageTitle = NV_TEXT("Norvale", "Norvale");
}  // namespace texts

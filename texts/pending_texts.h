// Texts used only by the placeholders of procedures that are not built yet;
// removed together with app/pending_project.cpp.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kPendingAskSaveChanges;
extern const std::string_view kPendingMessageTitle;
}  // namespace texts

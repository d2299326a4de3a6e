// The texts of Qt's own message-box buttons, file dialogs and text-field
// context menus, for the Dutch program. Qt asks for them by its translation
// context and its English source text; the English program shows Qt's own.
#pragma once

#include <cstddef>
#include <string_view>

namespace texts {
struct QtWidgetText {
  std::string_view context;  // Qt's translation context, e.g. "QFileDialog"
  std::string_view english;  // Qt's source text, "&" marking the mnemonic
  std::string_view dutch;
};
extern const QtWidgetText kQtWidgetTexts[];
extern const std::size_t kQtWidgetTextCount;
}

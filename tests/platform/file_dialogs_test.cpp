// Tests of the conversion of "description|pattern" filters to the dialog's form.
#include "platform/file_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(ConvertFileFilter, TurnsPairsIntoDialogFiltersAndStarDotStarIntoStar) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"Norvale project (*.tdw)|*.tdw", "Norvale project (*.tdw)"},
      {"Norvale project (*.tdw)|*.tdw|All files (*.*)|*.*", "Norvale project (*.tdw);;All files (*)"},
      {"Drawings|*.dxf;*.DXF", "Drawings (*.dxf *.DXF)"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ConvertFileFilter(c.in), c.out) << c.in;
}

}  // namespace

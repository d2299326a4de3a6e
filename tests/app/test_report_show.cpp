// ReportShow puts the report of the active mode into the report editor.
#include <string>

#include "app/control_ids.h"
#include "app/report_show.h"
#include "app_fixture.h"
#include "design/report.h"
#include "geometry/gear_geometry.h"

TEST_F(AppTest, ReportShowFillsTheEditorForTheModeAndEmptiesItForNone) {
  InitGearRecord(gGear1, 2.0, 21, 0.1, 20.0, 20.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(gGear1, 1);
  gViewMode = kViewSingle;
  ReportShow();
  const std::string text = GadgetGetText(kEditorReport);
  EXPECT_EQ(text, ReportBuildGearBlock(gGear1, Pick("GEAR", "TANDWIEL")));
  EXPECT_EQ(text.rfind(Pick("GEAR\r\n  z  = 21     m = 2 mm\r\n", "TANDWIEL\r\n  z  = 21     m = 2 mm\r\n"), 0), 0u);

  gViewMode = kViewNone;
  ReportShow();
  EXPECT_EQ(GadgetGetText(kEditorReport), "");
}

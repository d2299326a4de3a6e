// Grabs the main window to a PNG (main_window_en.png / _nl.png in the test's
// working folder) for a person to look at, and checks that it is not blank.
#include <QImage>
#include <QPixmap>

#include "app_fixture.h"

TEST_F(AppTest, MainWindowGrabsToPng) {
  QWidget* window = MainWindowWidget();
  ASSERT_NE(window, nullptr);
  for (int tab = 0; tab < 4; ++tab) {
    GadgetSetState(0, tab);
    Pump();
    const QImage image = window->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const std::string name = std::string("main_window_") + (kLang == 0 ? "en" : "nl") + "_tab" +
                             std::to_string(tab) + (window->devicePixelRatioF() > 1 ? "_x2" : "") + ".png";
    EXPECT_TRUE(image.save(QString::fromStdString(name)));
    EXPECT_EQ(image.width(), WindowGetInnerWidth(0) * int(window->devicePixelRatioF()));
  }
}

// The headless program fixture.
#include "app_fixture.h"

#include <QApplication>
#include <QTest>

#include "platform/registry.h"

void AppTest::SetUp() {
  SetMessageResponder([this](const std::string& title, const std::string& text, int64_t flags) {
    messages_.push_back({title, text, flags});
    return nextAnswer_;
  });
  SetShellOpenHook([](const std::string&) { return true; });
  SetCommandLineParameters({});
  static char name[] = "norvale_test";
  char* argv[] = {name, nullptr};
  ASSERT_TRUE(AppStartup(1, argv));
  SetCommandLineParameters({});
  Pump();
}

void AppTest::TearDown() {
  EndProgram();
  SetMessageResponder(nullptr);
  SetShellOpenHook(nullptr);
  SetPopupResponder(nullptr);
}

void AppTest::Pump() {
  QApplication::processEvents();
  PumpEvents();
}

QWidget* AppTest::Widget(int64_t control) { return ControlWidget(control); }

QWidget* AppTest::MainWindowWidget() {
  WindowEntry* e = FindWindow(0);
  return e != nullptr ? e->widget.data() : nullptr;
}

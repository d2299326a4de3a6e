// A test fixture that starts the program headless and ends it afterwards,
// with a message-box responder that records every question and answers it.
#pragma once

#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_program.h"
#include "platform/gui.h"
#include "wait_for_state.h"

// The language of the linked texts: 0 English, 1 Dutch.
inline constexpr int kLang = NORVALE_TEST_LANG;
// Picks the text of the linked language from an English / Dutch pair.
inline const char* Pick(const char* english, const char* dutch) { return kLang == 0 ? english : dutch; }

// A pixel of the canvas's back buffer at a point in logical canvas pixels.
struct Rgba {
  int r, g, b, a;
};

inline Rgba PixelAt(double lx, double ly) {
  const int x = static_cast<int>(std::floor(lx * gDeviceScale));
  const int y = static_cast<int>(std::floor(ly * gDeviceScale));
  const uint32_t p = CanvasGetPixel(kCanvasView, x, y);
  return {int(p >> 24), int((p >> 16) & 255), int((p >> 8) & 255), int(p & 255)};
}

struct RecordedMessage {
  std::string title;
  std::string text;
  int64_t flags = 0;
};

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Processes Qt events and dispatches every queued event, without waiting.
  void Pump();
  // The Qt widget behind a numbered control or window.
  static QWidget* Widget(int64_t control);
  static QWidget* MainWindowWidget();

  std::vector<RecordedMessage> messages_;
  int64_t nextAnswer_ = kResultCancel;
};

// The strength window as a user meets it: opened by "Strength...", its preset
// inputs, choosing and typing materials, reading the inputs, the result shown
// for a missing pair or a failed calculation, closing it, its layout, and a
// grab to PNG (strength_window_en.png / _nl.png) for a person to look at.
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include <string>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app/strength_report_update.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {

QWidget* StrengthWindowWidget() {
  WindowEntry* e = FindWindow(kWindowStrength);
  return e != nullptr ? e->widget.data() : nullptr;
}

void Click(int64_t control) { QTest::mouseClick(ControlWidget(control), Qt::LeftButton); }

// A user's choice of a combo item (posts the changed event).
void Choose(int64_t combo, int item) { static_cast<QComboBox*>(ControlWidget(combo))->setCurrentIndex(item); }

// A user's keys at the end of a text entry: first `backspaces` deletions, then the text.
void TypeAtEnd(int64_t control, int backspaces, const char* text) {
  auto* edit = static_cast<QLineEdit*>(ControlWidget(control));
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_End);
  for (int i = 0; i < backspaces; ++i) QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

QColor BackColour(int64_t control) { return ControlWidget(control)->palette().color(QPalette::Window); }

const QColor kGrey(225, 225, 230);

}  // namespace

TEST_F(AppTest, StrengthButtonOpensTheWindowWithItsPresets) {
  ASSERT_FALSE(WindowIsVisible(kWindowStrength));
  Click(kButtonStrength);
  Pump();
  EXPECT_EQ(gStrengthWindowShown, 1);
  EXPECT_TRUE(WindowIsVisible(kWindowStrength));
  EXPECT_EQ(WindowGetTitle(kWindowStrength), Pick("Strength calculation (indicative, ISO 6336 / DIN 3990)",
                                                  "Sterkteberekening (indicatief, ISO 6336 / DIN 3990)"));

  // Both gears start with 42CrMo4 Q+T: 750, 300, 206000, 0.30.
  const char* steel = Pick("42CrMo4 quenched and tempered (~300 HB)", "42CrMo4 veredeld (~300 HB)");
  for (int64_t combo : {kComboMaterial1, kComboMaterial2}) {
    EXPECT_EQ(GadgetGetState(combo), 3);
    EXPECT_EQ(GadgetGetText(combo), steel);
    EXPECT_EQ(GadgetCountItems(combo), 13);
    EXPECT_EQ(GadgetGetItemText(combo, 12, 0), Pick("Custom material", "Eigen materiaal"));
    EXPECT_EQ(GadgetGetItemText(combo, 10, 0), Pick("GJL-250 grey cast iron", "GJL-250 grijs gietijzer"));
  }
  EXPECT_EQ(GadgetGetText(kFieldSigmaHlim1), "750");
  EXPECT_EQ(GadgetGetText(kFieldSigmaFlim1), "300");
  EXPECT_EQ(GadgetGetText(kFieldElasticModulus1), "206000");
  EXPECT_EQ(GadgetGetText(kFieldPoisson1), "0.30");
  EXPECT_EQ(GadgetGetText(kFieldSigmaHlim2), "750");
  EXPECT_EQ(GadgetGetText(kFieldPoisson2), "0.30");

  // Shaft: C45 with 40 and 490 N/mm^2.
  EXPECT_EQ(GadgetGetState(kComboShaftMaterial), 2);
  EXPECT_EQ(GadgetGetText(kComboShaftMaterial), Pick("As: C45 (+C or Q+T)", "As: C45 (+C of veredeld)"));
  EXPECT_EQ(GadgetCountItems(kComboShaftMaterial), 6);
  EXPECT_EQ(GadgetGetItemText(kComboShaftMaterial, 0, 0), "As: S235");
  EXPECT_EQ(GadgetGetItemText(kComboShaftMaterial, 5, 0), Pick("As: Custom values", "As: Eigen waarden"));
  EXPECT_EQ(GadgetGetText(kFieldShaftTauPerm), "40");
  EXPECT_EQ(GadgetGetText(kFieldShaftYield), "490");
  EXPECT_EQ(GadgetGetText(kFieldKeyLength), "");

  // Load and service inputs.
  EXPECT_EQ(GadgetGetText(kComboLoadKind), Pick("Load: power + speed", "Belasting: vermogen + toerental"));
  EXPECT_EQ(GadgetGetText(kTextLoadLabel), Pick("Power P [kW]", "Vermogen P [kW]"));
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "5");
  EXPECT_EQ(GadgetGetText(kFieldSpeed), "1500");
  EXPECT_EQ(GadgetGetText(kComboApplicationFactor), Pick("1.25 light shocks", "1,25 lichte stoten"));
  EXPECT_EQ(GadgetCountItems(kComboApplicationFactor), 5);
  EXPECT_EQ(GadgetGetText(kFieldServiceLife), "20000");
  EXPECT_EQ(GadgetGetText(kComboAccuracy), Pick("grade 7", "klasse 7"));
  EXPECT_EQ(GadgetGetItemText(kComboAccuracy, 5, 0), Pick("grade 10", "klasse 10"));
  EXPECT_EQ(GadgetGetText(kComboFlankFinish), Pick("hobbed / shaped", "gefreesd / gestoken"));
  EXPECT_EQ(GadgetGetItemText(kComboLubrication, 2, 0), Pick("dry (indicative)", "droog (indicatief)"));
  EXPECT_EQ(GadgetGetText(kFieldMinSafetyH), "1,0");
  EXPECT_EQ(GadgetGetText(kFieldMinSafetyF), "1,4");
  EXPECT_EQ(GadgetGetText(kComboKeyCount), Pick("1 key", "1 spie"));
  EXPECT_EQ(GadgetGetText(kButtonCopyReport), Pick("Copy report", "Rapport kopiëren"));
  EXPECT_EQ(GadgetGetText(kButtonStrengthClose), Pick("Close", "Sluiten"));
  EXPECT_EQ(GadgetGetToolTip(kFieldSpeed),
            Pick("Speed of gear 1 / the pinion", "Toerental van wiel 1 / het rondsel"));
  EXPECT_EQ(GadgetGetToolTip(kFieldKeyLength),
            Pick("Empty: over the full hub length", "Leeg: over de hele naaflengte"));
  EXPECT_EQ(GadgetGetToolTip(kFieldShaftTauPerm),
            Pick("Permissible torsional stress for preliminary sizing (with an allowance for bending)",
                 "Toelaatbare torsiespanning voor de voordimensionering (met toeslag voor buiging)"));
}

TEST_F(AppTest, ChoosingAGearMaterialFillsItsFourFields) {
  struct Case {
    int row;
    const char* sigmaH;
    const char* sigmaF;
    const char* e;
    const char* nu;
    int64_t lifeClass;
  };
  const Case cases[] = {
      {0, "430", "200", "206000", "0.30", 0},     // S355
      {6, "1100", "380", "206000", "0.30", 1},    // 42CrMo4 nitrided: flatter life curves
      {10, "360", "100", "120000", "0.26", 1},    // GJL-250 grey cast iron
      {11, "320", "120", "95000", "0.35", 0},     // CuSn12 bronze
  };
  Click(kButtonStrength);
  Pump();
  for (const Case& c : cases) {
    Choose(kComboMaterial1, c.row);
    Choose(kComboMaterial2, 8);  // 18CrNiMo7-6: 1500, 500
    Pump();
    EXPECT_EQ(GadgetGetText(kFieldSigmaHlim1), c.sigmaH) << c.row;
    EXPECT_EQ(GadgetGetText(kFieldSigmaFlim1), c.sigmaF) << c.row;
    EXPECT_EQ(GadgetGetText(kFieldElasticModulus1), c.e) << c.row;
    EXPECT_EQ(GadgetGetText(kFieldPoisson1), c.nu) << c.row;
    EXPECT_EQ(GadgetGetText(kFieldSigmaHlim2), "1500");
    EXPECT_EQ(GadgetGetText(kFieldSigmaFlim2), "500");
    const StrengthInputs in = ReadStrengthInputs();
    EXPECT_EQ(in.lifeClass[0], c.lifeClass) << c.row;
    EXPECT_EQ(in.lifeClass[1], 0);
  }
  // "Custom material" keeps what the fields show.
  GadgetSetText(kFieldSigmaHlim1, "612,5");
  Choose(kComboMaterial1, 12);
  Pump();
  EXPECT_EQ(GadgetGetText(kFieldSigmaHlim1), "612,5");
  EXPECT_EQ(GadgetGetText(kFieldSigmaFlim1), "120");
  EXPECT_EQ(GadgetGetText(kFieldPoisson1), "0.35");
}

TEST_F(AppTest, TypingAValueThatDiffersSwitchesToCustomMaterial) {
  struct Case {
    int64_t combo, field;
    int backspaces;
    const char* keys;  // typed at the end of the preset text
    bool switches;
  };
  const Case cases[] = {
      {kComboMaterial1, kFieldPoisson1, 1, "", false},               // 0.30 -> 0.3: equal
      {kComboMaterial1, kFieldPoisson1, 1, "1", true},               // 0.30 -> 0.31
      {kComboMaterial1, kFieldSigmaHlim1, 0, ".0000005", false},     // within 1e-6
      {kComboMaterial1, kFieldSigmaHlim1, 0, ".00001", true},        // 1e-5 off
      {kComboMaterial2, kFieldElasticModulus2, 0, ",0", false},      // decimal comma
      {kComboMaterial2, kFieldSigmaFlim2, 3, "x", true},             // not a number: 0
  };
  Click(kButtonStrength);
  Pump();
  for (const Case& c : cases) {
    Choose(c.combo, 0);  // a change of row refills the fields:
    Choose(c.combo, 3);  // back to 42CrMo4 Q+T with its values
    Pump();
    ASSERT_EQ(GadgetGetState(c.combo), 3);
    const int64_t other = c.combo == kComboMaterial1 ? kComboMaterial2 : kComboMaterial1;
    const int64_t otherState = GadgetGetState(other);
    TypeAtEnd(c.field, c.backspaces, c.keys);
    Pump();
    EXPECT_EQ(GadgetGetState(other), otherState);  // the other gear's combo never follows
    EXPECT_EQ(GadgetGetState(c.combo), c.switches ? 12 : 3) << c.field << " '" << GadgetGetText(c.field) << "'";
    if (c.switches) {
      EXPECT_EQ(GadgetGetText(c.combo), Pick("Custom material", "Eigen materiaal"));
    }
  }
}

TEST_F(AppTest, StrengthInputsAreReadWithTheirCorrections) {
  Click(kButtonStrength);
  Pump();
  StrengthInputs in = ReadStrengthInputs();
  EXPECT_NEAR(in.torque1, 9550.0 * 5 / 1500, 1e-9);  // 31.83 Nm
  EXPECT_EQ(in.speed1, 1500);
  EXPECT_EQ(in.applicationFactor, 1.25);  // "1.25 light shocks" / "1,25 lichte stoten"
  EXPECT_EQ(in.lifeHours, 20000);
  EXPECT_EQ(in.accuracyGrade, 7);
  EXPECT_EQ(in.flankFinish, 0);
  EXPECT_EQ(in.lubrication, 0);
  EXPECT_EQ(in.minSafetyH, 1.0);
  EXPECT_EQ(in.minSafetyF, 1.4);
  EXPECT_EQ(in.sigmaHlim[1], 750);
  EXPECT_EQ(in.sigmaFlim[0], 300);
  EXPECT_EQ(in.elasticModulus[0], 206000);
  EXPECT_EQ(in.poisson[1], 0.3);

  struct Case {
    int64_t control;
    const char* text;
    double StrengthInputs::*field;
    double expected;
  };
  const Case cases[] = {
      {kComboApplicationFactor, "0.8", &StrengthInputs::applicationFactor, 1.0},
      {kComboApplicationFactor, "1,75", &StrengthInputs::applicationFactor, 1.75},
      {kFieldServiceLife, "0", &StrengthInputs::lifeHours, 1.0},
      {kFieldServiceLife, "-50", &StrengthInputs::lifeHours, 1.0},
      {kFieldMinSafetyH, "0", &StrengthInputs::minSafetyH, 1.0},
      {kFieldMinSafetyH, " 1,3 ", &StrengthInputs::minSafetyH, 1.3},
      {kFieldMinSafetyF, "", &StrengthInputs::minSafetyF, 1.4},
      {kFieldLoadValue, "7.5", &StrengthInputs::torque1, 9550.0 * 7.5 / 1500},  // 47.75 Nm
  };
  for (const Case& c : cases) {
    const std::string old = GadgetGetText(c.control);
    GadgetSetText(c.control, c.text);
    EXPECT_NEAR(ReadStrengthInputs().*c.field, c.expected, 1e-12) << c.control << " '" << c.text << "'";
    GadgetSetText(c.control, old);
  }

  GadgetSetText(kFieldElasticModulus2, "0");
  EXPECT_EQ(ReadStrengthInputs().elasticModulus[1], 206000);
  GadgetSetState(kComboAccuracy, 5);
  GadgetSetState(kComboLubrication, 2);
  in = ReadStrengthInputs();
  EXPECT_EQ(in.accuracyGrade, 10);
  EXPECT_EQ(in.lubrication, 2);

  // Power without a speed gives no torque; a torque is taken as typed.
  GadgetSetText(kFieldSpeed, "0");
  EXPECT_EQ(ReadStrengthInputs().torque1, 0.0);
  GadgetSetState(kComboLoadKind, 1);
  GadgetSetText(kFieldLoadValue, "40");
  EXPECT_EQ(ReadStrengthInputs().torque1, 40.0);
}

// Fault: KA "abc" was rated as KA 1, and a service life of -1 h as 1 h, while
// the input line read "service life -1 h": each input the calculation takes as
// another value is named in the strength report and so in the copy text.
TEST_F(AppTest, StrengthInputsTakenAsAnotherValueAreNamedInTheReport) {
  Click(kButtonStrength);
  Pump();
  struct Case {
    int64_t control;
    const char* text;
    const char* english;
    const char* dutch;
  };
  const Case cases[] = {
      {kComboApplicationFactor, "abc", "  ! Application factor KA = abc cannot be used; calculated with 1",
       "  ! Bedrijfsfactor KA = abc is niet bruikbaar; gerekend met 1"},
      {kComboApplicationFactor, "0.8", "  ! Application factor KA = 0.8 cannot be used; calculated with 1",
       "  ! Bedrijfsfactor KA = 0.8 is niet bruikbaar; gerekend met 1"},
      {kFieldServiceLife, "-1", "  ! Service life [h] = -1 cannot be used; calculated with 1",
       "  ! Levensduur [h] = -1 is niet bruikbaar; gerekend met 1"},
      {kFieldMinSafetyF, "", "  ! Minimum S_F =  cannot be used; calculated with 1.4",
       "  ! Minimaal S_F =  is niet bruikbaar; gerekend met 1.4"},
      {kFieldElasticModulus2, "0", "  ! E gear 2 [N/mm²] = 0 cannot be used; calculated with 206000",
       "  ! E wiel 2 [N/mm²] = 0 is niet bruikbaar; gerekend met 206000"},
  };
  const std::string plain = GadgetGetText(kEditorStrengthReport);
  ASSERT_EQ(plain.rfind("  ! ", 0), std::string::npos) << plain;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    const std::string old = GadgetGetText(c.control);
    GadgetSetText(c.control, c.text);
    ReportUpdateStrength();
    const std::string shown = GadgetGetText(kEditorStrengthReport);
    EXPECT_EQ(shown.rfind(std::string(Pick(c.english, c.dutch)) + "\r\n", 0), 0u) << shown;
    EXPECT_NE(gStrengthReportText.find(Pick(c.english, c.dutch)), std::string::npos);
    GadgetSetText(c.control, old);
    ReportUpdateStrength();
    EXPECT_EQ(GadgetGetText(kEditorStrengthReport), plain);
  }
}

TEST_F(AppTest, SingleGearHasNoPairToCalculate) {
  static_cast<QTabWidget*>(ControlWidget(kPanelTabs))->setCurrentIndex(kTabSingle);
  Pump();
  ASSERT_EQ(gViewMode, kViewSingle);
  gStrengthReportText = "left over";
  Click(kButtonStrength);
  Pump();
  EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("No gear pair", "Geen tandwielpaar"));
  EXPECT_EQ(BackColour(kTextVerdict), kGrey);
  EXPECT_EQ(GadgetGetText(kEditorStrengthReport),
            Pick("Choose the tab Pair, Rack or Internal.\r\nA single gear has no mating gear to calculate with.",
                 "Kies het tabblad Paar, Heugel of Binnen.\r\n"
                 "Een enkel tandwiel heeft geen tegenwiel om mee te rekenen."));
  EXPECT_TRUE(gStrengthReportText.empty());
}

TEST_F(AppTest, PowerWithoutSpeedIsNotCalculatedAndCopiesWhatTheWindowShows) {
  Click(kButtonStrength);
  Pump();
  ASSERT_EQ(gViewMode, kViewPair);
  auto* speed = static_cast<QLineEdit*>(ControlWidget(kFieldSpeed));
  speed->setFocus();
  speed->selectAll();
  QTest::keyClicks(speed, "0");
  Pump();
  EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("Not calculated", "Niet berekend"));
  EXPECT_EQ(BackColour(kTextVerdict), kGrey);
  EXPECT_EQ(gStrength.valid, 0);
  EXPECT_EQ(GadgetGetText(kEditorStrengthReport), Pick("No valid input (geometry, torque or speed).",
                                                       "Geen geldige invoer (geometrie, koppel of toerental)."));
  EXPECT_TRUE(gStrengthReportText.empty());
  // "Copy report" copies what the window shows, never leaving an older report
  // on the clipboard.
  ClipboardSetText("kept");
  Click(kButtonCopyReport);
  Pump();
  EXPECT_EQ(ClipboardGetText(), GadgetGetText(kTextVerdict) + "\r\n" + GadgetGetText(kEditorStrengthReport));
}

TEST_F(AppTest, CopyReportPutsTheCopyTextOnTheClipboard) {
  Click(kButtonStrength);
  Pump();
  gStrengthReportText = "STRENGTH CALCULATION\r\n  σH = 812 N/mm²\r\nend";
  ClipboardSetText("old");
  Click(kButtonCopyReport);
  Pump();
  EXPECT_EQ(ClipboardGetText(), gStrengthReportText);
}

TEST_F(AppTest, StrengthWindowClosesByCloseBoxAndButtonAndKeepsTypedValues) {
  Click(kButtonStrength);
  Pump();
  TypeAtEnd(kFieldServiceLife, 0, "5");  // 200005 h
  Pump();
  ASSERT_NE(StrengthWindowWidget(), nullptr);
  StrengthWindowWidget()->close();  // the close box
  Pump();
  EXPECT_EQ(gStrengthWindowShown, 0);
  EXPECT_FALSE(WindowIsVisible(kWindowStrength));
  EXPECT_TRUE(WindowIsVisible(kWindowMain));
  EXPECT_EQ(GadgetGetText(kFieldServiceLife), "200005");

  // While hidden the report is not refreshed.
  GadgetSetText(kTextVerdict, "stale");
  ReportUpdateStrength();
  EXPECT_EQ(GadgetGetText(kTextVerdict), "stale");

  Click(kButtonStrength);
  Pump();
  EXPECT_EQ(gStrengthWindowShown, 1);
  EXPECT_TRUE(WindowIsVisible(kWindowStrength));
  EXPECT_NE(GadgetGetText(kTextVerdict), "stale");  // recomputed on showing
  EXPECT_EQ(GadgetGetText(kFieldServiceLife), "200005");

  Click(kButtonStrengthClose);
  Pump();
  EXPECT_EQ(gStrengthWindowShown, 0);
  EXPECT_FALSE(WindowIsVisible(kWindowStrength));
}

TEST_F(AppTest, F1InTheStrengthWindowAsksForTheUserGuide) {
  Click(kButtonStrength);
  Pump();
  QWidget* window = StrengthWindowWidget();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(ActivateAndWaitForFocus(window));
  while (EventPoll() != kEventNone) {
  }
  QTest::keyClick(window, Qt::Key_F1);
  ASSERT_EQ(EventPoll(), kEventMenu);
  EXPECT_EQ(EventWindow(), kWindowStrength);
  EXPECT_EQ(EventObject(), kMenuItemHelp);
}

TEST_F(AppTest, StrengthWindowLayoutFollowsTheMetrics) {
  Click(kButtonStrength);
  Pump();
  const int r = gRowStep;
  const int l = gLineHeight;
  const int c = gFieldX + gFieldWidth - 10;
  const int ys = 9 * r + l + 22;
  const int ym1 = ys + 3 * r + 6 + l + 6;
  const int ym2 = ym1 + 3 * r + l + 12;
  const int yb = ym2 + 3 * r + 10;
  const int h1 = std::max(22 * r + 40, yb + gFieldHeight + 16);
  // Combo boxes whose items the field width would cut are wider (the
  // application factors are); the right column then starts 10 px right of
  // the widest and the window is as much wider.
  int leftRight = gFieldX + gFieldWidth;
  for (int64_t combo : {kComboLoadKind, kComboApplicationFactor, kComboAccuracy, kComboFlankFinish,
                        kComboLubrication, kComboShaftMaterial, kComboMaterial1, kComboMaterial2}) {
    const int metric = GadgetGetX(combo) == 10 ? c : gFieldWidth;
    EXPECT_GE(GadgetGetWidth(combo), metric) << combo;
    leftRight = std::max(leftRight, GadgetGetX(combo) + GadgetGetWidth(combo));
  }
  const int xr = leftRight + 10;
  const int w1 = xr + 450;
  EXPECT_EQ(WindowGetInnerWidth(kWindowStrength), w1);
  EXPECT_EQ(WindowGetInnerHeight(kWindowStrength), h1);

  struct Box {
    int64_t control;
    int x, y, w, h;
  };
  const int rightHalf = gFieldX + gFieldWidth - gHalfFieldWidth;
  const int bw = (c - 6) / 2;
  const Box boxes[] = {
      {kComboLoadKind, 10, 10, c, gFieldHeight},
      {kFieldLoadValue, gFieldX, r + 10, gFieldWidth, gFieldHeight},
      {kTextLoadLabel, 10, r + 10 + (gFieldHeight - l) / 2, gFieldX - 12, l + 4},
      {kFieldMinSafetyH, gFieldX, 8 * r + 10, gHalfFieldWidth, gFieldHeight},
      {kFieldMinSafetyF, rightHalf, 8 * r + 10, gHalfFieldWidth, gFieldHeight},
      {kTextShaftHeading, 10, 9 * r + 16, c, l + 4},
      {kComboShaftMaterial, 10, ys, c, gFieldHeight},
      {kFieldShaftYield, rightHalf, ys + r, gHalfFieldWidth, gFieldHeight},
      {kTextMaterial1Heading, 10, ys + 3 * r + 6, c, l + 4},
      {kComboMaterial1, 10, ym1, c, gFieldHeight},
      {kFieldPoisson1, rightHalf, ym1 + 2 * r, gHalfFieldWidth, gFieldHeight},
      {kTextMaterial2Heading, 10, ym1 + 3 * r + 6, c, l + 4},
      {kComboMaterial2, 10, ym2, c, gFieldHeight},
      {kFieldSigmaHlim2, gFieldX, ym2 + r, gHalfFieldWidth, gFieldHeight},
      {kButtonCopyReport, 10, yb, bw, gFieldHeight + 6},
      {kButtonStrengthClose, c - bw + 10, yb, bw, gFieldHeight + 6},
      {kTextVerdict, xr, 10, 440, gFieldHeight + 6},
      {kEditorStrengthReport, xr, gFieldHeight + 22, 440, h1 - gFieldHeight - 32},
  };
  for (const Box& b : boxes) {
    EXPECT_EQ(GadgetGetX(b.control), b.x) << b.control;
    EXPECT_EQ(GadgetGetY(b.control), b.y) << b.control;
    EXPECT_EQ(GadgetGetWidth(b.control), b.w) << b.control;
    EXPECT_EQ(GadgetGetHeight(b.control), b.h) << b.control;
  }
  EXPECT_EQ(GadgetGetFont(kEditorStrengthReport), gReportFont);
  // The key count may be wider than half a field (the Dutch "2 spieen" is);
  // the key length beside it then starts as much later and keeps its right
  // edge and the 6 px between them.
  EXPECT_EQ(GadgetGetX(kComboKeyCount), gFieldX);
  EXPECT_EQ(GadgetGetY(kComboKeyCount), ys + 2 * r);
  EXPECT_GE(GadgetGetWidth(kComboKeyCount), gHalfFieldWidth);
  EXPECT_EQ(GadgetGetX(kFieldKeyLength),
            std::max(rightHalf, GadgetGetX(kComboKeyCount) + GadgetGetWidth(kComboKeyCount) + 6));
  EXPECT_EQ(GadgetGetX(kFieldKeyLength) + GadgetGetWidth(kFieldKeyLength), gFieldX + gFieldWidth);

  // A larger window widens the verdict and the report; the inputs stay.
  WindowResize(kWindowStrength, kKeep, kKeep, w1 + 200, h1 + 100);
  Pump();
  ASSERT_EQ(WindowGetInnerWidth(kWindowStrength), w1 + 200);
  EXPECT_EQ(GadgetGetWidth(kTextVerdict), w1 + 200 - xr - 10);
  EXPECT_EQ(GadgetGetHeight(kTextVerdict), gFieldHeight + 6);
  EXPECT_EQ(GadgetGetWidth(kEditorStrengthReport), w1 + 200 - xr - 10);
  EXPECT_EQ(GadgetGetHeight(kEditorStrengthReport), h1 + 100 - (gFieldHeight + 22) - 10);
  EXPECT_EQ(GadgetGetX(kFieldLoadValue), gFieldX);
  EXPECT_EQ(GadgetGetY(kButtonCopyReport), yb);

  // Never smaller than built: the inputs and the buttons always fit.
  WindowResize(kWindowStrength, kKeep, kKeep, 200, 150);
  Pump();
  EXPECT_EQ(WindowGetInnerWidth(kWindowStrength), w1);
  EXPECT_EQ(WindowGetInnerHeight(kWindowStrength), h1);
  EXPECT_EQ(GadgetGetWidth(kEditorStrengthReport), w1 - xr - 10);
}

TEST_F(AppTest, StrengthWindowGrabsToPng) {
  Click(kButtonStrength);
  Pump();
  ASSERT_FALSE(GadgetGetText(kEditorStrengthReport).empty());  // the default pair's report
  QWidget* window = StrengthWindowWidget();
  ASSERT_NE(window, nullptr);
  const QImage image = window->grab().toImage();
  ASSERT_FALSE(image.isNull());
  const std::string name = std::string("strength_window_") + (kLang == 0 ? "en" : "nl") +
                           (window->devicePixelRatioF() > 1 ? "_x2" : "") + ".png";
  EXPECT_TRUE(image.save(QString::fromStdString(name)));
  EXPECT_EQ(image.width(), WindowGetInnerWidth(kWindowStrength) * int(window->devicePixelRatioF()));
}

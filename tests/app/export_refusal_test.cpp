// The export command when a body cannot be a closed solid or mesh: the
// message names the cause and what to change, no file is left behind, and a
// real write failure still blames the file.
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "export/export_command.h"
#include "project_test_support.h"

namespace {

using project_test::ByLanguage;

constexpr double kDeg = std::numbers::pi / 180.0;

const std::string kRefused = ByLanguage("No closed solid or mesh can be made, so nothing was written: ",
                                        "Er kan geen gesloten volumemodel of mesh gemaakt worden, dus er is niets "
                                        "geschreven: ");

// A single gear as the user enters it, with the hub-and-keyway choices of gear 1.
struct SingleGear {
  const char* module = "2";
  const char* teeth = "20";
  const char* helix = "0";
  const char* faceWidth = "10";
  const char* bore = "0";
  int64_t keyway = 0;  // 0 none, 1 DIN 6885
  int64_t hub = 0;     // 0 none, 1 left
  const char* hubDiameter = "0";
};

struct RefusalCase {
  const char* what;
  SingleGear gear;
  std::vector<int64_t> kinds;
  const char* english;  // the cause and what to change
  const char* dutch;
};

class ExportRefusalTest : public project_test::ProjectFixture {
 protected:
  void ShowSingleGear(const SingleGear& g) {
    ChooseState(kPanelTabs, kTabSingle);
    PumpEvents();
    ChooseState(kComboKeyway1, g.keyway);
    ChooseState(kComboHub1, g.hub);
    EditText(kFieldHubDiameter1, g.hubDiameter);
    EditText(kFieldHubLength1, "10");
    const std::pair<int64_t, const char*> fields[] = {
        {kComboSingleModule, g.module}, {kFieldSingleTeeth, g.teeth},      {kFieldSingleShift, "0"},
        {kFieldSinglePressureAngle, "20"}, {kFieldSingleHelixAngle, g.helix}, {kFieldSingleFaceWidth, g.faceWidth},
        {kFieldSingleThicknessAllowance, "0"}, {kFieldSingleBore, g.bore}};
    for (const auto& [control, text] : fields) EditText(control, text);
    PumpEvents();
  }

  // Exports the shown design to name in the test folder; returns the messages shown.
  std::vector<project_test::Message> Export(int64_t kind, const std::string& name) {
    dialogAnswer_ = Path(name);
    messages_.clear();
    ExportToFile(kind);
    return messages_;
  }

  std::vector<std::string> FilesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
  }
};

const char* KindName(int64_t kind) { return kind == kExportDxf ? "DXF" : kind == kExportStep ? "STEP" : "STL"; }

const char* ExtensionOf(int64_t kind) { return kind == kExportDxf ? ".dxf" : kind == kExportStep ? ".stp" : ".stl"; }

// Fault: every body the writers refused was reported as "File '...' could not
// be written.", which blames the file and says nothing of what to change.
TEST_F(ExportRefusalTest, ABodyThatCannotBeMadeIsNamedWithWhatToChange) {
  Start();
  const RefusalCase cases[] = {
      {"bore 36 over the root circle of m 2, z 20 (df = 35)",
       {.bore = "36"},
       {kExportStep, kExportStl},
       "the bore or its keyway reaches the root circle.\r\nChoose a smaller bore or keyway.",
       "de boring of de spiebaan reikt tot de voetcirkel.\r\nKies een kleinere boring of spiebaan."},
      // A face width of 0 gives no design at all: the tab names the field and
      // every export refuses before a body is made (test_input_fault.cpp).
      {"hub 115 round a bore 100 whose keyway corners reach 58.1",
       {.module = "3", .teeth = "60", .bore = "100", .keyway = 1, .hub = 1, .hubDiameter = "115"},
       {kExportStep, kExportStl},
       "the hub is not wider than the bore with its keyway.\r\nEnter a larger hub diameter, or 0 for the automatic "
       "size.",
       "de naaf is niet breder dan de boring met de spiebaan.\r\nGeef een grotere naafdiameter, of 0 voor de "
       "automatische maat."},
      // A hub of 195 inside the root circle of 197.5 (over 0.98 of it) was
      // refused by STL alone; every writer takes it now (test_hub_limits_every_writer.cpp).
      {"twist of 21 rad over a face width of 300",
       {.module = "1", .helix = "45", .faceWidth = "300"},
       {kExportStep},
       "the helical teeth turn too far over the face width.\r\nEnter a smaller face width or helix angle.",
       "de schuine tanden draaien te ver over de tandbreedte.\r\nGeef een kleinere tandbreedte of schuintehoek."},
      {"a million slices over a face width of 1e6",
       {.module = "1", .helix = "45", .faceWidth = "1e6"},
       {kExportStl},
       "the mesh would have more than 100 million triangles.\r\nEnter a larger STL chord tolerance, or a smaller "
       "face width or helix angle.",
       "de mesh zou meer dan 100 miljoen driehoeken krijgen.\r\nGeef een grotere STL-koordafwijking, of een "
       "kleinere tandbreedte of schuintehoek."},
      {"module 1e40: coordinates beyond single precision",
       {.module = "1e40"},
       {kExportStl},
       "a size or position of the design is not a finite number or too large for the file.\r\nEnter finite "
       "values of usual size in the fields of the design.",
       "een maat of positie van het ontwerp is geen eindig getal of te groot voor het bestand.\r\nGeef eindige "
       "waarden van gangbare grootte in de velden van het ontwerp."},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.what);
    ShowSingleGear(c.gear);
    ASSERT_EQ(gViewMode, kViewSingle);
    ASSERT_EQ(gGear1.valid, 1);
    ASSERT_EQ(gGear1.normalModule, std::stod(c.gear.module));
    ASSERT_EQ(gGear1.faceWidth, std::stod(c.gear.faceWidth));
    ASSERT_EQ(gGear1.hubSide, c.gear.hub);
    for (int64_t kind : c.kinds) {
      SCOPED_TRACE(KindName(kind));
      const auto shown = Export(kind, std::string("gear") + ExtensionOf(kind));
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].title, "Norvale");
      EXPECT_EQ(shown[0].text, kRefused + ByLanguage(c.english, c.dutch));
      EXPECT_EQ(shown[0].text.find(ByLanguage("could not be written", "niet schrijven")), std::string::npos);
      EXPECT_EQ(shown[0].flags, kMessageOk | kMessageIconWarning);
      EXPECT_TRUE(FilesInFolder().empty()) << FilesInFolder()[0];
    }
  }
}

// The designs above are what the tables and the textbook say they are, so the
// refusals are the bodies' own and not some other fault.
TEST_F(ExportRefusalTest, TheRefusedDesignsHaveTheSizesTheCausesName) {
  Start();
  const auto rootRadius = [](double m, double z) { return m * (z / 2.0 - 1.25); };  // df = d - 2.5 m

  ShowSingleGear({.bore = "36"});
  EXPECT_NEAR(gGear1.rootRadius, rootRadius(2, 20), 1e-9);
  EXPECT_GT(18.0, gGear1.rootRadius);

  // DIN 6885-1, 95 < d <= 110: key 28 x 16, hub groove depth t2 = 6.4.
  ShowSingleGear({.module = "3", .teeth = "60", .bore = "100", .keyway = 1, .hub = 1, .hubDiameter = "115"});
  EXPECT_EQ(gGear1.keyWidth, 28.0);
  EXPECT_EQ(gGear1.hubKeywayDepth, 6.4);
  EXPECT_EQ(gGear1.hubDiameter, 115.0);
  EXPECT_GT(std::hypot(50.0 + 6.4, 28.0 / 2.0), 115.0 / 2.0);  // the corners stand out of the hub

  ShowSingleGear({.module = "1", .teeth = "200", .hub = 1, .hubDiameter = "195"});
  EXPECT_NEAR(gGear1.rootRadius, rootRadius(1, 200), 1e-9);
  EXPECT_GT(195.0 / 2.0, 0.98 * rootRadius(1, 200));
  EXPECT_EQ(gGear1.hubSide, 1);  // the design takes it: it stays inside rf - 0.25 m

  // Twist w = b tan(beta) / r with r = z m / (2 cos beta): 21.2 rad, more
  // than three turns.
  ShowSingleGear({.module = "1", .helix = "45", .faceWidth = "300"});
  EXPECT_NEAR(gGear1.pitchRadius, 20.0 / (2.0 * std::cos(45 * kDeg)), 1e-9);
  EXPECT_GT(300.0 * std::tan(45 * kDeg) / gGear1.pitchRadius, 3 * 2 * std::numbers::pi);
}

// Fault: a NaN bore gave a DXF and a STEP solid without the bore. A size of
// the shown record that is no finite number is refused by every export.
TEST_F(ExportRefusalTest, ARecordWithASizeThatIsNoNumberIsRefusedByEveryExport) {
  Start();
  ShowSingleGear({.bore = "10"});
  ASSERT_EQ(gGear1.valid, 1);
  const struct {
    double GearRecord::*size;
    double value;
  } sizes[] = {{&GearRecord::boreDiameter, std::numeric_limits<double>::quiet_NaN()},
               {&GearRecord::faceWidth, std::numeric_limits<double>::infinity()}};
  for (const auto& s : sizes) {
    const double kept = gGear1.*s.size;
    gGear1.*s.size = s.value;
    for (int64_t kind : {kExportDxf, kExportStep, kExportStl}) {
      SCOPED_TRACE(KindName(kind));
      const auto shown = Export(kind, std::string("gear") + ExtensionOf(kind));
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].text,
                kRefused + ByLanguage("a size or position of the design is not a finite number or too large for "
                                      "the file.\r\nEnter finite values of usual size in the fields of the design.",
                                      "een maat of positie van het ontwerp is geen eindig getal of te groot voor "
                                      "het bestand.\r\nGeef eindige waarden van gangbare grootte in de velden van "
                                      "het ontwerp."));
      EXPECT_TRUE(FilesInFolder().empty());
    }
    gGear1.*s.size = kept;
  }
}

// The file-error message stays for real write failures: a folder that does
// not exist.
TEST_F(ExportRefusalTest, AFileThatCannotBeWrittenStillBlamesTheFile) {
  Start();
  ShowSingleGear({});
  for (int64_t kind : {kExportDxf, kExportStep, kExportStl}) {
    SCOPED_TRACE(KindName(kind));
    const std::string path = Path("missing/gear") + ExtensionOf(kind);
    const auto shown = Export(kind, std::string("missing/gear") + ExtensionOf(kind));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, ByLanguage("File '" + path + "' could not be written.", "Kan '" + path + "' niet schrijven."));
    EXPECT_EQ(shown[0].flags, kMessageOk | kMessageIconError);
    EXPECT_TRUE(FilesInFolder().empty());
  }
  // And the same design is written where the folder exists.
  const auto shown = Export(kExportStep, "gear.stp");
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"gear.stp"});
}

}  // namespace

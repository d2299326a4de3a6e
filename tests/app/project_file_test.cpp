// Project files: round trip through a fresh program, files of either language, hand-written files, bad input.
#include <chrono>
#include <random>

#include "project_test_support.h"

namespace project_test {
namespace {

// A complete project as either language build writes it: every group and key
// in file order, values as typed (decimal commas kept), CR LF throughout.
// The pair row m = 2, z1 = 20, z2 = 40 has a = m (z1 + z2) / 2 = 60 mm and
// i = 2; the internal row m = 2, z1 = 20, z2 = 60 has a = m (z2 - z1) / 2 =
// 40 mm and i = 3, so both searches list them without profile shift.
const std::string kCanonicalProject =
    "\xEF\xBB\xBF\r\n"
    ";  Norvale-project\r\n"
    "[Tandwiel]\r\nversie = 1\r\ntabblad = 0\r\n"
    "[Paar]\r\nhartafstand = 60\r\nverhouding = 2\r\ndrukhoek = 20\r\nbeta = 0\r\nspoed = 1\r\n"
    "beta_zoeken = 0\r\ntolerantie = 2,5\r\nsx_min = -0,5\r\nsx_max = 1,0\r\nz_min = 12\r\nreeks2 = 0\r\n"
    "breedte = 12,5\r\nflankspeling = 0,05\r\nboring1 = 10\r\nboring2 = 14\r\n"
    "[Enkel]\r\nmodul = 2,5\r\ntanden = 23\r\nx = 0,15\r\ndrukhoek = 20\r\nbeta = 8,5\r\nspoed = 1\r\n"
    "breedte = 11\r\nafmaat = -0,02\r\nboring = 9\r\n"
    "[Heugel]\r\nmodul = 1,5\r\ntanden_rondsel = 31\r\nx = 0,2\r\ndrukhoek = 20\r\nbeta = 10\r\nspoed = 1\r\n"
    "breedte = 18\r\nboring = 7\r\nflankspeling = 0,1\r\ntanden_heugel = 25\r\nhoogte = 14,5\r\n"
    "[Binnen]\r\nhartafstand = 40\r\nverhouding = 3\r\ndrukhoek = 20\r\nbeta = 0\r\nspoed = 1\r\n"
    "beta_zoeken = 0\r\ntolerantie = 2,5\r\ndx_min = -0,5\r\ndx_max = 1,0\r\nz_min = 12\r\n"
    "tandverschil_min = 8\r\nreeks2 = 0\r\nbreedte = 9,5\r\nflankspeling = 0,03\r\nboring_rondsel = 7\r\n"
    "randdikte = 6,5\r\nkop_inkorten = 0\r\n"
    "[Sterkte]\r\nbelasting = 1\r\nwaarde = 7,5\r\ntoerental = 1450\r\nKA = 1,50\r\nlevensduur = 15000\r\n"
    "klasse = 3\r\nafwerking = 1\r\nsmering = 2\r\nSH_min = 1,1\r\nSF_min = 1,5\r\nmateriaal1 = 5\r\n"
    "sigHlim1 = 1500\r\nsigFlim1 = 460\r\nE1 = 210000\r\nnu1 = 0,3\r\nmateriaal2 = 7\r\nsigHlim2 = 1100\r\n"
    "sigFlim2 = 350\r\nE2 = 206000\r\nnu2 = 0,29\r\nasmateriaal = 4\r\ntau_toel = 45\r\nRe_as = 600\r\n"
    "spieen = 1\r\nspielengte = 25\r\n"
    // A standard keyway shows its DIN 6885-1 sizes (bore 10: 3 x 1.4) in the
    // width and depth fields, so a saved file holds them.
    "[Naaf]\r\nspiebaan1 = 1\r\nspie_b1 = 3\r\nspie_t1 = 1.4\r\nnaaf1 = 3\r\nnaaf_D1 = 30\r\nnaaf_L1 = 12\r\n"
    "spiebaan2 = 2\r\nspie_b2 = 6\r\nspie_t2 = 2,8\r\nnaaf2 = 1\r\nnaaf_D2 = 35\r\nnaaf_L2 = 15\r\n"
    "[Weergave]\r\nsnelheid = 9\r\ningrijpingslijn = 0\r\nexport = 2\r\nstl_tolerantie = 0,02\r\n"
    "[Keuze]\r\nmodul = 2.000000\r\nz1 = 20\r\nz2 = 40\r\nbeta = 0.000000\r\nx1 = 0,1\r\n"
    "[KeuzeBinnen]\r\nmodul = 2.000000\r\nz1 = 20\r\nz2 = 60\r\nbeta = 0.000000\r\nx1 = 0,05\r\n";

const std::string kTitleTail = "   (ISO 53 / DIN 867 / DIN 3960)";

// Replaces the value of the first line "key = ..." after "[group]".
std::string WithValue(std::string file, const std::string& group, const std::string& key, const std::string& value) {
  const std::size_t g = file.find("[" + group + "]\r\n");
  const std::size_t k = file.find("\r\n" + key + " = ", g);
  const std::size_t start = k + 2 + key.size() + 3;
  const std::size_t end = file.find("\r\n", start);
  return file.replace(start, end - start, value);
}

const SearchResultRow& ChosenPairRow() { return gPairSearchResults.at(static_cast<std::size_t>(gPairSelectedRow)); }
const SearchResultRow& ChosenInternalRow() {
  return gInternalSearchResults.at(static_cast<std::size_t>(gInternalSelectedRow));
}

using ProjectFileTest = ProjectFixture;

TEST_F(ProjectFileTest, RoundTripThroughAFreshProgramRestoresEveryControlRowsTabAndTitle) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  ASSERT_GE(gPairSearchResults.size(), 2u);
  // Every tab and both other windows, decimal commas included.
  const std::pair<int64_t, const char*> texts[] = {
      {7, "2,5"},   {16, "12,5"}, {17, "0,05"}, {18, "10"},  {19, "14"},   {20, "2,5"},  {21, "23"},
      {22, "0,15"}, {24, "8,5"},  {27, "-0,02"}, {29, "1,5"}, {30, "31"},  {33, "10"},   {37, "0,1"},
      {39, "14,5"}, {59, "2,5"},  {69, "9,5"},  {72, "6,5"}, {76, "7,5"},  {79, "1,50"}, {84, "1,1"},
      {88, "1500"}, {108, "25"},  {116, "2,3"}, {118, "30"}, {125, "35"},  {47, "0,02"}};
  for (const auto& [control, text] : texts) {
    EditText(control, text);
  }
  const std::pair<int64_t, int64_t> states[] = {{5, 1},   {25, 1},   {34, 1},  {73, 0},  {75, 1},  {81, 3},
                                                {82, 1},  {83, 2},   {87, 5},  {93, 7},  {104, 4}, {107, 1},
                                                {114, 1}, {117, 3},  {121, 2}, {124, 1}, {41, 9},  {42, 0},
                                                {43, 2}};
  for (const auto& [control, state] : states) {
    ChooseState(control, state);
  }
  ChooseState(13, 1);  // the second pair row
  EditText(14, "0,12");
  ChooseState(0, 3);  // Internal: its search runs and applies row 0
  ASSERT_GE(gInternalSearchResults.size(), 2u);
  ChooseState(66, 1);
  EditText(67, "0,05");
  ChooseState(0, 2);  // leave the Rack tab shown
  ASSERT_EQ(gProjectModified, 1);
  EXPECT_EQ(WindowGetTitle(0), "Norvale - " + ByLanguage("new project", "nieuw project") + " *" + kTitleTail);

  const ControlSnapshot before = TakeSnapshot();
  const SearchResultRow pairRow = ChosenPairRow();
  const SearchResultRow internalRow = ChosenInternalRow();
  const int64_t pairIndex = gPairSelectedRow;
  const int64_t internalIndex = gInternalSelectedRow;

  dialogAnswer_ = Path("round trip");  // no extension: ".tdw" is added
  HandleMenuEvent(101);                // Ctrl+S of a new project asks for a name
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_TRUE(dialogs_[0].save);
  EXPECT_EQ(dialogs_[0].defaultPath, "norvale.tdw");
  const std::string path = Path("round trip.tdw");
  EXPECT_EQ(gProjectPath, path);
  EXPECT_EQ(gProjectModified, 0);
  EXPECT_EQ(WindowGetTitle(0), "Norvale - round trip.tdw" + kTitleTail);

  const std::string bytes = Slurp(path);
  ASSERT_GE(bytes.size(), 5u);
  EXPECT_EQ(bytes.substr(0, 5), "\xEF\xBB\xBF\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_EQ(bytes[i - 1], '\r') << "bare LF at " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_EQ(bytes[i + 1], '\n') << "bare CR at " << i;
    }
  }
  EXPECT_NE(bytes.find("\r\n[Heugel]\r\nmodul = 1,5\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\ntabblad = 2\r\n"), std::string::npos);

  Start({path});
  EXPECT_EQ(TakeSnapshot(), before);
  EXPECT_EQ(gPairSelectedRow, pairIndex);
  EXPECT_EQ(ChosenPairRow().module, pairRow.module);
  EXPECT_EQ(ChosenPairRow().teeth1, pairRow.teeth1);
  EXPECT_EQ(ChosenPairRow().teeth2, pairRow.teeth2);
  EXPECT_EQ(GadgetGetState(13), pairIndex);
  EXPECT_EQ(gInternalSelectedRow, internalIndex);
  EXPECT_EQ(ChosenInternalRow().teeth1, internalRow.teeth1);
  EXPECT_EQ(ChosenInternalRow().teeth2, internalRow.teeth2);
  EXPECT_EQ(GadgetGetState(66), internalIndex);
  EXPECT_EQ(gViewMode, kViewRack);
  EXPECT_EQ(gProjectPath, path);
  EXPECT_EQ(gProjectModified, 0);
  EXPECT_EQ(WindowGetTitle(0), "Norvale - round trip.tdw" + kTitleTail);
  EXPECT_TRUE(messages_.empty());
}

// Both language builds run this test: each writes exactly the bytes it read,
// so a file of one build is a file of the other.
TEST_F(ProjectFileTest, CompleteFileOfEitherLanguageLoadsAndSavesByteForByte) {
  const std::string in = Path("canonical.tdw");
  Put(in, kCanonicalProject);
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  Start({in});
  ASSERT_TRUE(messages_.empty()) << messages_[0].text;
  ASSERT_GE(gPairSelectedRow, 0);
  EXPECT_EQ(ChosenPairRow().module, 2.0);
  EXPECT_EQ(ChosenPairRow().teeth1, 20);
  EXPECT_EQ(ChosenPairRow().teeth2, 40);
  EXPECT_EQ(GadgetGetText(14), "0,1");
  ASSERT_GE(gInternalSelectedRow, 0);
  EXPECT_EQ(ChosenInternalRow().teeth1, 20);
  EXPECT_EQ(ChosenInternalRow().teeth2, 60);
  EXPECT_EQ(GadgetGetText(67), "0,05");
  EXPECT_EQ(gViewMode, kViewPair);
  EXPECT_EQ(GadgetGetText(77), ByLanguage("Torque T1 [Nm]", "Koppel T1 [Nm]"));  // belasting = 1
  EXPECT_EQ(WindowGetTitle(0), "Norvale - canonical.tdw" + kTitleTail);

  const std::string out = Path("again.tdw");
  ASSERT_EQ(WriteProjectFile(out), 1);
  EXPECT_EQ(Slurp(out), kCanonicalProject);
}

TEST_F(ProjectFileTest, HandWrittenAnsiFileWithOddSpellingLoadsAndKeepsWhatIsMissing) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  const std::string face = GadgetGetText(16);
  // No BOM (Windows-1252), LF only, upper-case names, blanks and tabs around
  // "=", unknown keys and groups, keys missing, no chosen rows.
  const std::string file =
      "[TANDWIEL]\n"
      "VERSIE=1\n"
      "Tabblad\t=\t1 \n"
      "[paar]\n"
      "  BORING1   =   11  \n"
      "onbekend = 5\n"
      "[Onbekend]\n"
      "x = 1\n"
      "[ENKEL]\n"
      "Tanden = 27\n"
      "SPOED = 1\n"
      "[sterkte]\n"
      "spielengte = 12\xB5\n";  // "µ" is B5 in Windows-1252
  const std::string path = Path("hand.tdw");
  Put(path, file);
  ASSERT_EQ(ReadProjectFile(path), 1);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(GadgetGetText(18), "11");
  EXPECT_EQ(GadgetGetText(21), "27");
  EXPECT_EQ(GadgetGetState(25), 1);
  EXPECT_EQ(GadgetGetText(108), "12\xC2\xB5");
  EXPECT_EQ(GadgetGetText(16), face);  // missing key: value kept
  EXPECT_EQ(GadgetGetState(0), 1);
  EXPECT_EQ(gViewMode, kViewSingle);
  // No [Keuze]: the pair search's row 0 is applied with its own x1.
  EXPECT_EQ(gPairSelectedRow, 0);
  EXPECT_EQ(gProjectModified, 0);
  EXPECT_EQ(WindowGetTitle(0), "Norvale - hand.tdw" + kTitleTail);
}

TEST_F(ProjectFileTest, FileThatIsNoProjectGivesItsMessageAndChangesNothing) {
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"old.tdw", WithValue(kCanonicalProject, "Tandwiel", "versie", "0")},
      {"none.tdw", "\xEF\xBB\xBF\r\n[Paar]\r\nhartafstand = 99\r\n"},
      {"text.tdw", "just some text\r\nhartafstand = 99\r\n"},
      {"empty.tdw", ""},
  };
  Start();
  MarkProjectModified();
  const ControlSnapshot before = TakeSnapshot();
  const std::string title = WindowGetTitle(0);
  for (const auto& c : cases) {
    messages_.clear();
    const std::string path = Path(c.name);
    Put(path, c.bytes);
    EXPECT_EQ(ReadProjectFile(path), 0) << c.name;
    ASSERT_EQ(messages_.size(), 1u) << c.name;
    EXPECT_EQ(messages_[0].text, "'" + std::string(c.name) +
                                     ByLanguage("' is not a Norvale project.", "' is geen Norvale-project."));
    EXPECT_EQ(messages_[0].title, "Norvale");
    EXPECT_EQ(TakeSnapshot(), before) << c.name;
    EXPECT_EQ(gProjectPath, "");
    EXPECT_EQ(gProjectModified, 1);
    EXPECT_EQ(WindowGetTitle(0), title);
  }
}

TEST_F(ProjectFileTest, MissingFileGivesOpenMessageWithFullPath) {
  Start();
  const std::string path = Path("missing.tdw");
  EXPECT_EQ(ReadProjectFile(path), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            ByLanguage("File '" + path + "' could not be opened.", "Kan '" + path + "' niet openen."));
  EXPECT_NE(messages_[0].flags & kMessageIconError, 0);
}

TEST_F(ProjectFileTest, OutOfRangeStatesAreIgnoredAndTabSevenLoadsAsPair) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  ChooseState(0, 1);
  const int64_t hand = GadgetGetState(5);
  const int64_t speed = GadgetGetState(41);
  const int64_t search = GadgetGetState(6);
  std::string file = kCanonicalProject;
  file = WithValue(file, "Tandwiel", "tabblad", "7");
  file = WithValue(file, "Paar", "spoed", "5");
  file = WithValue(file, "Paar", "beta_zoeken", "-1");
  file = WithValue(file, "Weergave", "snelheid", "21");
  file = WithValue(file, "Sterkte", "belasting", "abc");  // not a number: 0, in range
  file = WithValue(file, "Sterkte", "klasse", "6");       // grades 5..10: items 0..5
  const std::string path = Path("range.tdw");
  Put(path, file);
  ASSERT_EQ(ReadProjectFile(path), 1);
  EXPECT_EQ(GadgetGetState(5), hand);
  EXPECT_EQ(GadgetGetState(6), search);
  EXPECT_EQ(GadgetGetState(41), speed);
  EXPECT_EQ(GadgetGetState(81), 2);  // the default grade 7 stays
  EXPECT_EQ(GadgetGetState(75), 0);
  EXPECT_EQ(GadgetGetText(77), ByLanguage("Power P [kW]", "Vermogen P [kW]"));
  EXPECT_EQ(GadgetGetState(0), 0);
  EXPECT_EQ(gViewMode, kViewPair);
}

TEST_F(ProjectFileTest, StoredRowNotFoundTakesRowZeroAndDropsStoredX1) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  std::string file = WithValue(kCanonicalProject, "Keuze", "modul", "7.000000");
  file = WithValue(file, "Keuze", "x1", "0,4321");
  file = WithValue(file, "KeuzeBinnen", "z1", "19");
  const std::string path = Path("gone.tdw");
  Put(path, file);
  ASSERT_EQ(ReadProjectFile(path), 1);
  EXPECT_EQ(gPairSelectedRow, 0);
  EXPECT_EQ(GadgetGetState(13), 0);
  EXPECT_NE(GadgetGetText(14), "0,4321");
  EXPECT_EQ(gInternalSelectedRow, -1);  // tab 0: the internal row stays unchosen
}

// The stored row is found again within 1e-9 mm of module and 1e-5 degrees of
// helix angle; beyond that the search's row 0 takes its place.
TEST_F(ProjectFileTest, StoredRowIsMatchedWithinItsTolerances) {
  Start();
  ASSERT_FALSE(gPairSearchResults.empty());
  const struct {
    const char* modul;
    const char* beta;
    bool found;
  } cases[] = {
      {"2.000000", "0.000000", true},      {"2.0000000005", "0.000000", true},
      {"2.000000", "0.000009", true},      {"2.000000", "-0.000009", true},
      {"2.000000001", "0.000000", false},  {"2.000000", "0.00002", false},
      {"nan", "0.000000", false},          {"2.000000", "abc", true},  // no number reads as 0
  };
  for (const auto& c : cases) {
    std::string file = WithValue(kCanonicalProject, "Keuze", "modul", c.modul);
    file = WithValue(file, "Keuze", "beta", c.beta);
    const std::string path = Path("tolerance.tdw");
    Put(path, file);
    ASSERT_EQ(ReadProjectFile(path), 1) << c.modul << " " << c.beta;
    ASSERT_GE(gPairSelectedRow, 0);
    const SearchResultRow& row = ChosenPairRow();
    const bool isStored = row.module == 2.0 && row.teeth1 == 20 && row.teeth2 == 40;
    if (c.found) {
      EXPECT_TRUE(isStored) << c.modul << " " << c.beta;
      EXPECT_EQ(GadgetGetText(14), "0,1") << c.modul << " " << c.beta;
    } else {
      EXPECT_EQ(gPairSelectedRow, 0) << c.modul << " " << c.beta;
      EXPECT_NE(GadgetGetText(14), "0,1") << c.modul << " " << c.beta;
    }
  }
}

// A load whose shown tab ends with no design must not leave the previous
// design on screen: it clears the mode and the report as a tab switch does.
TEST_F(ProjectFileTest, TabWithoutAnyRowShowsNoDesignAfterLoading) {
  const struct {
    const char* name;
    const char* tab;
    const char* group;
    const char* key;
    const char* value;
  } cases[] = {
      {"pair.tdw", "0", "Paar", "hartafstand", "0"},        // the pair search finds nothing
      {"internal.tdw", "3", "Binnen", "hartafstand", "0"},  // nor does the internal one
  };
  for (const auto& c : cases) {
    Start();
    ASSERT_FALSE(gPairSearchResults.empty());
    // A design on screen before the load.
    gViewMode = kViewPair;
    GadgetSetText(48, "report of the design shown");
    std::string file = WithValue(kCanonicalProject, "Tandwiel", "tabblad", c.tab);
    file = WithValue(file, c.group, c.key, c.value);
    const std::string path = Path(c.name);
    Put(path, file);
    ASSERT_EQ(ReadProjectFile(path), 1) << c.name;
    EXPECT_EQ(gViewMode, kViewNone) << c.name;
    EXPECT_EQ(GadgetGetText(48), "") << c.name;
    EXPECT_EQ(GadgetGetState(0), std::stoll(c.tab)) << c.name;
    EXPECT_EQ(gProjectModified, 0);
  }
}

// A few hundred damaged variants of a valid project, made by a fixed-seed
// generator: truncated, bytes changed, lines dropped or repeated, noise
// lines added. Each must load or be refused without a crash or a hang.
TEST_F(ProjectFileTest, DamagedFilesLoadWithoutFault) {
  Start();
  std::mt19937 rng(20261209);
  const std::string noise[] = {"[Keuze]", "[Tandwiel]", "versie = 1", "z1 = 99999999999999999999",
                               "modul = nan", "beta = -1e308", "tabblad = -3", "spoed = 2", "=", "[",
                               "x1 = \xFF\xFE", "hartafstand = 0", "tolerantie = -5", "\xEF\xBB\xBF"};
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  const std::string path = Path("damaged.tdw");
  int loaded = 0;
  const int kVariants = 300;
  for (int i = 0; i < kVariants; ++i) {
    std::string bytes = kCanonicalProject;
    switch (i % 4) {
      case 0:
        bytes.resize(rng() % bytes.size());
        break;
      case 1:
        for (int k = 0; k < 1 + static_cast<int>(rng() % 8); ++k) {
          bytes[rng() % bytes.size()] = static_cast<char>(rng() % 256);
        }
        break;
      case 2: {
        std::size_t a = rng() % bytes.size();
        std::size_t b = std::min(bytes.size(), a + rng() % 200);
        if (rng() % 2) {
          bytes.erase(a, b - a);
        } else {
          bytes.insert(a, bytes.substr(a, b - a));
        }
        break;
      }
      default:
        for (int k = 0; k < 1 + static_cast<int>(rng() % 4); ++k) {
          const std::size_t at = bytes.find("\r\n", rng() % bytes.size());
          const std::string line = "\r\n" + noise[rng() % std::size(noise)];
          bytes.insert(at == std::string::npos ? bytes.size() : at, line);
        }
        break;
    }
    Put(path, bytes);
    messages_.clear();
    if (ReadProjectFile(path) == 1) ++loaded;
    PumpEvents();
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "variant " << i;
  }
  EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace project_test

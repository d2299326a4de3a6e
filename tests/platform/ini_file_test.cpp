// Tests of the INI-style reader and writer: encodings, line ends, names, values.
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

TEST(IniWriter, WritesBomCrLfGroupsOnlyWithValuesAndBlanksForLineBreaks) {
  IniWriter w;
  IniWriterStart(w);
  IniWriteComment(w, " Project");
  IniWriteValue(w, "A", "x", "1,5");
  IniWriteValue(w, "A", "y", "");
  IniWriteValue(w, "B", "text", "one\r\ntwo\rthree\nfour");
  const std::string expected =
      "\xEF\xBB\xBF\r\n"
      ";  Project\r\n"
      "[A]\r\n"
      "x = 1,5\r\n"
      "y = \r\n"
      "[B]\r\n"
      "text = one  two three four\r\n";
  EXPECT_EQ(w.bytes, expected);
}

TEST(IniWriter, ValueWithLineBreaksCannotInjectAGroupOrKey) {
  IniWriter w;
  IniWriterStart(w);
  IniWriteValue(w, "Tandwiel", "versie", "1");
  IniWriteValue(w, "Paar", "beta", "8\r\n[Tandwiel]\r\nversie = 0");
  const IniDocument doc = IniParse(w.bytes);
  ASSERT_EQ(doc.groups.size(), 2u);
  EXPECT_EQ(IniReadInteger(doc, "Tandwiel", "versie", -1), 1);
  EXPECT_EQ(IniReadText(doc, "Paar", "beta", "?"), "8  [Tandwiel]  versie = 0");
}

TEST(IniParse, BomMeansUtf8AndNoBomMeansWindows1252) {
  // "é" is C3 A9 in UTF-8 and E9 in Windows-1252; "€" is E2 82 AC and 80;
  // "Š" is C5 A0 and 8A; "ß" is C3 9F and DF.
  const IniDocument utf8 = IniParse("\xEF\xBB\xBF\r\n[G]\r\nk = caf\xC3\xA9 \xE2\x82\xAC\r\n");
  EXPECT_EQ(IniReadText(utf8, "G", "k", ""), "caf\xC3\xA9 \xE2\x82\xAC");
  const IniDocument ansi = IniParse("[G]\r\nk = caf\xE9 \x80 \x8A \xDF\r\n");
  EXPECT_EQ(IniReadText(ansi, "G", "k", ""), "caf\xC3\xA9 \xE2\x82\xAC \xC5\xA0 \xC3\x9F");
  // Without a BOM the UTF-8 bytes of "é" are two Windows-1252 characters "Ã©".
  const IniDocument utf8NoBom = IniParse("[G]\r\nk = \xC3\xA9\r\n");
  EXPECT_EQ(IniReadText(utf8NoBom, "G", "k", ""), "\xC3\x83\xC2\xA9");
}

TEST(IniParse, NamesIgnoreCaseValuesAreTrimmedAndMissingKeysGiveDefaults) {
  const std::string file =
      "; comment\n"
      "  [ PAAR ]  \n"
      "\tHartafstand\t=\t 75,5 \t\n"
      "spoed=1\n"
      "no equals sign here\n"
      "leeg =\n"
      "[paar]\n"
      "hartafstand = 99\n"
      "[Keuze\n"
      "modul = 2.5\n";
  const IniDocument doc = IniParse(file);
  EXPECT_EQ(IniReadText(doc, "Paar", "hartafstand", "?"), "75,5");  // first wins
  EXPECT_EQ(IniReadInteger(doc, "paar", "SPOED", -1), 1);
  EXPECT_EQ(IniReadText(doc, "Paar", "leeg", "?"), "");
  EXPECT_EQ(IniReadText(doc, "Paar", "missing", "dflt"), "dflt");
  EXPECT_EQ(IniReadText(doc, "Other", "hartafstand", "dflt"), "dflt");
  EXPECT_EQ(IniReadInteger(doc, "Paar", "missing", 7), 7);
  EXPECT_EQ(IniReadText(doc, "keuze", "modul", "?"), "2.5");
  EXPECT_EQ(IniFindValue(doc, "Paar", "no equals sign here"), nullptr);
}

TEST(IniParse, AcceptsCrLfLfAndLoneCrLineEnds) {
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    const std::string file = std::string("[G]") + eol + "a = 1" + eol + "b = 2" + eol + eol + "c = 3";
    const IniDocument doc = IniParse(file);
    EXPECT_EQ(IniReadInteger(doc, "G", "a", 0), 1) << "eol length " << std::string(eol).size();
    EXPECT_EQ(IniReadInteger(doc, "G", "b", 0), 2);
    EXPECT_EQ(IniReadInteger(doc, "G", "c", 0), 3);  // last line without an end
  }
}

TEST(IniParse, WriterOutputReadsBackUnchanged) {
  IniWriter w;
  IniWriterStart(w);
  IniWriteComment(w, " Norvale-project");
  IniWriteValue(w, "Tandwiel", "versie", "1");
  IniWriteValue(w, "Sterkte", "nu1", "0,3");
  IniWriteValue(w, "Sterkte", "label", "\xCE\xB1 = 20\xC2\xB0");  // "α = 20°"
  const IniDocument doc = IniParse(w.bytes);
  EXPECT_EQ(IniReadText(doc, "TANDWIEL", "Versie", ""), "1");
  EXPECT_EQ(IniReadText(doc, "sterkte", "NU1", ""), "0,3");
  EXPECT_EQ(IniReadText(doc, "Sterkte", "label", ""), "\xCE\xB1 = 20\xC2\xB0");
}

struct IntegerCase {
  const char* text;
  std::int64_t expected;
};

TEST(IniParseInteger, ReadsLeadingWholeNumber) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const IntegerCase cases[] = {
      {"0", 0},
      {"3", 3},
      {" -2 ", -2},
      {"+7", 7},
      {"12abc", 12},
      {"2,5", 2},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"-9223372036854775808", kMin},
      {"-99999999999999999999999", kMin},
      {"123456789012345678901234567890", kMax},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(IniParseInteger(c.text), c.expected) << "text '" << c.text << "'";
  }
}

TEST(IniSanitizeUtf8, ReplacesInvalidSequencesOnly) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"plain", "plain"},
      {"\xCE\xB1\xCE\xB2", "\xCE\xB1\xCE\xB2"},                 // αβ stay
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                 // a 4-byte emoji stays
      {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},                       // stray byte
      {"\xC3", "\xEF\xBF\xBD"},                                 // truncated sequence
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // overlong "/"
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // surrogate D800
  };
  for (const auto& c : cases) EXPECT_EQ(IniSanitizeUtf8(c.in), c.out);
}

TEST(IniParse, RandomBytesParseWithoutFault) {
  // Deterministic random inputs, with and without BOM, biased towards the
  // characters that steer the parser.
  std::mt19937 rng(12345);
  const std::string alphabet = "[]=; \t\r\nabcAB01\xEF\xBB\xBF\xC3\x80\xFF";
  for (int round = 0; round < 500; ++round) {
    std::string bytes = (round % 2 == 0) ? std::string(kIniUtf8Bom) : std::string();
    const int len = static_cast<int>(rng() % 300);
    for (int i = 0; i < len; ++i) {
      bytes.push_back((rng() % 4 == 0) ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()]);
    }
    const IniDocument doc = IniParse(bytes);
    for (const IniGroup& g : doc.groups) {
      for (const IniEntry& e : g.entries) {
        EXPECT_EQ(IniSanitizeUtf8(e.value), e.value);  // always valid UTF-8
        EXPECT_EQ(e.value.find_first_of("\r\n"), std::string::npos);
      }
    }
    (void)IniReadInteger(doc, "a", "b", 0);
  }
}

}  // namespace

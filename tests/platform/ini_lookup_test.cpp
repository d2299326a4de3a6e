// Look-ups in parsed files: which of repeated groups and keys wins, names in
// either encoding, files with very many groups, and random files checked
// against a plain line-by-line reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/ini_file.h"

namespace {

std::optional<std::string> Find(const IniDocument& doc, std::string_view group, std::string_view key) {
  const IniFoundValue v = IniFindValue(doc, group, key);
  if (!v) return std::nullopt;
  return std::string(*v);
}

TEST(IniLookup, FirstValueInFileOrderWinsAcrossRepeatedGroupsAndKeys) {
  const std::string file =
      "\xEF\xBB\xBF\r\n"
      "top = before any group\r\n"
      "[Paar]\r\n"
      "a = 1\r\n"
      "[Enkel]\r\n"
      "[paar]\r\n"
      "A = 2\r\n"
      "b = 3\r\n"
      "[]\r\n"
      "top = second unnamed\r\n"
      "later = 9\r\n"
      "[PAAR]\r\n"
      "b = 4\r\n"
      "c = 5\r\n"
      "a = 6\r\n";
  const IniDocument doc = IniParse(file);
  const struct {
    const char* group;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"Paar", "a", "1"},  {"PAAR", "A", "1"},   {"paar", "b", "3"},     {"Paar", "c", "5"},
      {"Paar", "d", {}},   {"Enkel", "a", {}},   {"", "top", "before any group"},
      {"", "later", "9"},  {"Tandwiel", "a", {}}, {"Paa", "a", {}},        {"Paar ", "a", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Find(doc, c.group, c.key), c.value) << "[" << c.group << "] " << c.key;
  }
  // Only the winning lines are listed: the unnamed group (top, later) and
  // [Paar] (a, b, c) hold five values in all.
  std::size_t listed = 0;
  for (const IniGroup& g : doc.groups) {
    for (const IniEntry& e : g.entries) {
      EXPECT_EQ(Find(doc, g.name, e.key), std::string(e.value)) << "[" << g.name << "] " << e.key;
      ++listed;
    }
  }
  EXPECT_EQ(listed, 5u);
}

TEST(IniLookup, NamesMatchInTheirDecodedFormWithAsciiCaseOnly) {
  // "Größe" is 47 72 F6 DF 65 in Windows-1252 and 47 72 C3 B6 C3 9F 65 in UTF-8.
  const IniDocument ansi = IniParse("[Gr\xF6\xDF" "e]\r\nMa\xDF = 1\r\n");
  const IniDocument utf8 = IniParse("\xEF\xBB\xBF[Gr\xC3\xB6\xC3\x9F" "e]\r\nMa\xC3\x9F = 1\r\n");
  // Two different stray bytes both read as U+FFFD, so they name one group.
  const IniDocument stray = IniParse("\xEF\xBB\xBF[x\xFF]\r\nk = first\r\n[x\xFE]\r\nk = second\r\nj = 2\r\n");
  for (const IniDocument* doc : {&ansi, &utf8}) {
    EXPECT_EQ(Find(*doc, "Gr\xC3\xB6\xC3\x9F" "e", "Ma\xC3\x9F"), "1");
    EXPECT_EQ(Find(*doc, "GR\xC3\xB6\xC3\x9F" "E", "MA\xC3\x9F"), "1");  // ASCII letters in upper case
    EXPECT_EQ(Find(*doc, "Gr\xC3\x96\xC3\x9F" "e", "Ma\xC3\x9F"), std::nullopt);  // "Ö" is not "ö"
    EXPECT_EQ(Find(*doc, "Gr\xF6\xDF" "e", "Ma\xDF"), std::nullopt);  // undecoded bytes are no name
  }
  EXPECT_EQ(Find(stray, "x\xEF\xBF\xBD", "k"), "first");
  EXPECT_EQ(Find(stray, "X\xEF\xBF\xBD", "J"), "2");
}

// 200000 groups with a value each, 200000 empty groups between them and a
// repeat of every tenth group: every value is found again by its formula.
TEST(IniLookup, FileOfManyGroupsFindsEveryValue) {
  constexpr int kGroups = 200000;
  std::string file;
  for (int i = 0; i < kGroups; ++i) {
    file += "[g" + std::to_string(i) + "]\r\nv = " + std::to_string(7 * i + 3) + "\r\n[e" + std::to_string(i) + "]\r\n";
    if (i % 10 == 0) file += "[G" + std::to_string(i) + "]\r\nv = repeated\r\nw = " + std::to_string(i) + "\r\n";
  }
  const IniDocument doc = IniParse(file);
  std::size_t listed = 0;
  for (const IniGroup& g : doc.groups) listed += g.entries.size();
  EXPECT_EQ(listed, static_cast<std::size_t>(kGroups + kGroups / 10));
  for (int i = 0; i < kGroups; i += 1 + i / 3) {
    const std::string name = "g" + std::to_string(i);
    EXPECT_EQ(IniReadInteger(doc, name, "v", -1), 7 * i + 3) << name;
    EXPECT_EQ(IniReadInteger(doc, name, "w", -1), i % 10 == 0 ? i : -1) << name;
    EXPECT_EQ(Find(doc, "e" + std::to_string(i), "v"), std::nullopt) << name;
  }
  EXPECT_EQ(IniReadInteger(doc, "G199999", "V", -1), 7 * 199999 + 3);
  EXPECT_EQ(Find(doc, "g200000", "v"), std::nullopt);
}

// A reader that decodes the whole file first, splits it into lines and scans
// every group for each look-up.
struct PlainReader {
  struct Line {
    std::string group, key, value;
  };
  std::vector<Line> lines;

  static std::string Trim(const std::string& s) {
    std::size_t a = 0;
    std::size_t b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
  }
  static std::string Lower(std::string s) {
    for (char& c : s) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return s;
  }

  explicit PlainReader(const std::string& bytes) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string text =
        bytes.compare(0, 3, bom) == 0 ? IniSanitizeUtf8(bytes.substr(3)) : IniDecodeWindows1252(bytes);
    std::string group;
    std::string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
        line += text[i];
        continue;
      }
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
      const std::string t = Trim(line);
      line.clear();
      if (t.empty() || t[0] == ';') continue;
      if (t[0] == '[') {
        const std::size_t close = t.find(']');
        group = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      } else if (const std::size_t eq = t.find('='); eq != std::string::npos) {
        lines.push_back({group, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
      }
    }
  }

  std::optional<std::string> Find(const std::string& group, const std::string& key) const {
    for (const Line& l : lines) {
      if (Lower(l.group) == Lower(group) && Lower(l.key) == Lower(key)) return l.value;
    }
    return std::nullopt;
  }
};

TEST(IniLookup, RandomFilesAgreeWithAPlainLineReader) {
  std::mt19937 rng(4242);
  const std::vector<std::string> names = {"Paar", "PAAR", "paar", "Keuze", "keuzebinnen", "a", "A", "",
                                          "b c", "Gr\xC3\xB6\xC3\x9F" "e", "Gr\xF6\xDF" "e", "x\xFF", "x\xFE",
                                          "\xC3", "\xE2\x82\xAC", "\x80"};
  const std::vector<std::string> pads = {"", " ", "\t", "  \t "};
  const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
  auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
  for (int round = 0; round < 300; ++round) {
    std::string file = round % 2 == 0 ? "\xEF\xBB\xBF" : "";
    const int lineCount = static_cast<int>(rng() % 60);
    for (int i = 0; i < lineCount; ++i) {
      switch (rng() % 6) {
        case 0:
          file += pick(pads) + "[" + pick(pads) + pick(names) + pick(pads) + (rng() % 5 ? "]" : "") + pick(pads);
          break;
        case 1:
          file += "; " + pick(names) + " = comment";
          break;
        case 2:
          file += pick(names) + " no equals sign";
          break;
        default:
          file += pick(pads) + pick(names) + pick(pads) + "=" + pick(pads) + pick(names) +
                  (rng() % 4 ? "" : " = " + std::to_string(i)) + std::to_string(round) + pick(pads);
          break;
      }
      file += pick(ends);
    }
    const IniDocument doc = IniParse(file);
    const PlainReader plain(file);
    // Every name the plain reader saw, as read and in either ASCII case, and
    // every name of the list.
    std::set<std::pair<std::string, std::string>> queries;
    for (const auto& l : plain.lines) {
      queries.insert({l.group, l.key});
      queries.insert({PlainReader::Lower(l.group), l.key});
      queries.insert({l.group, PlainReader::Lower(l.key)});
    }
    for (const std::string& g : names) {
      for (const std::string& k : names) queries.insert({g, k});
    }
    for (const auto& [g, k] : queries) {
      ASSERT_EQ(Find(doc, g, k), plain.Find(g, k)) << "round " << round << " [" << g << "] " << k;
    }
    std::set<std::pair<std::string, std::string>> distinct;
    for (const auto& l : plain.lines) distinct.insert({PlainReader::Lower(l.group), PlainReader::Lower(l.key)});
    std::size_t listed = 0;
    for (const IniGroup& g : doc.groups) listed += g.entries.size();
    EXPECT_EQ(listed, distinct.size()) << "round " << round;
  }
}

}  // namespace

// The user guide of the linked language explains the warnings about the
// inputs: every text the program shows when an input describes no design (in
// the report, the view, the exports and the strength window) stands in it as
// the program writes it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "app/help_about.h"
#include "texts/export_texts.h"
#include "texts/input_fault_texts.h"
#include "texts/search_input_texts.h"
#include "texts/strength_report_texts.h"
#include "texts/view_texts.h"

namespace {

// Runs of blanks, tabs and line ends as one blank, none at either end.
std::string CollapseBlanks(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// The guide's body as a reader sees it: tags dropped, the references it uses
// decoded, blanks collapsed.
std::string ReadGuideText() {
  std::ifstream in(gHelpFileBuildFolder + (NORVALE_TEST_LANG == 0 ? "help_en.html" : "help_nl.html"),
                   std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  const std::string html = all.str();
  std::string text;
  const std::pair<std::string_view, std::string_view> references[] = {
      {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&ndash;", "\xE2\x80\x93"}};
  for (std::size_t i = html.find("<body"); i != std::string::npos && i < html.size();) {
    if (html[i] == '<') {
      const std::size_t end = html.find('>', i);
      if (end == std::string::npos) break;
      i = end + 1;
      continue;
    }
    bool decoded = false;
    for (const auto& [name, character] : references) {
      if (html.compare(i, name.size(), name) == 0) {
        text += character;
        i += name.size();
        decoded = true;
        break;
      }
    }
    if (!decoded) text += html[i++];
  }
  return CollapseBlanks(text);
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) out += part;
  return out;
}

// Fault: the guides said nothing of these warnings.
TEST(HelpInputFaults, TheGuideQuotesEveryWarningAboutTheInputs) {
  if (gHelpFileBuildFolder.empty()) GTEST_SKIP() << "built without a help folder";
  const std::string guide = ReadGuideText();
  ASSERT_GT(guide.size(), 20000u) << "the guide is missing or thin";
  using namespace texts;
  const std::string quoted[] = {
      CollapseBlanks(kFaultReportKeptDesign),
      CollapseBlanks(kViewInputFaultLead),
      CollapseBlanks(kFaultExportRefused),
      CollapseBlanks(kFaultStrengthLead),
      CollapseBlanks(kStrengthNotCalculated),
      CollapseBlanks(kFaultNotSearchedStart),
      CollapseBlanks(kFaultNotSearchedEnd),
      CollapseBlanks(kSearchCheckNowTicked),
      CollapseBlanks(kSearchInputPressCalculate),
      Joined({kExportBodyInvalidBefore, kExportBodyNameRack, kExportBodyInvalidAfter}),
      CollapseBlanks(kExportNothingToExport),
  };
  for (const std::string& text : quoted) {
    EXPECT_NE(guide.find(text), std::string::npos) << "not in the guide: '" << text << "'";
  }
}

}  // namespace

// The table of project-file bindings: order, groups, kinds and the change map.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/project_file.h"

namespace {

TEST(ProjectFields, NinetyThreeBindingsInFileOrderWithGroupsTogether) {
  RegisterProjectFields();
  ASSERT_EQ(gProjectFieldList.size(), 93u);
  // Each group once, in this order.
  std::vector<std::string> groups;
  for (const ProjectField& f : gProjectFieldList) {
    if (groups.empty() || groups.back() != f.section) groups.push_back(f.section);
  }
  EXPECT_EQ(groups, (std::vector<std::string>{"Paar", "Enkel", "Heugel", "Binnen", "Sterkte", "Naaf", "Weergave"}));
  // Rows at the seams of the table.
  const struct {
    std::size_t index;
    const char* section;
    const char* key;
    int64_t gadget;
    int64_t kind;
  } rows[] = {
      {0, "Paar", "hartafstand", 1, kProjectFieldText},    {4, "Paar", "spoed", 5, kProjectFieldState},
      {14, "Paar", "boring2", 19, kProjectFieldText},      {15, "Enkel", "modul", 20, kProjectFieldText},
      {51, "Binnen", "kop_inkorten", 73, kProjectFieldState}, {55, "Sterkte", "KA", 79, kProjectFieldText},
      {76, "Sterkte", "spielengte", 108, kProjectFieldText}, {77, "Naaf", "spiebaan1", 114, kProjectFieldState},
      {89, "Weergave", "snelheid", 41, kProjectFieldState}, {92, "Weergave", "stl_tolerantie", 47, kProjectFieldText},
  };
  for (const auto& r : rows) {
    const ProjectField& f = gProjectFieldList[r.index];
    EXPECT_EQ(f.section, r.section) << r.index;
    EXPECT_EQ(f.key, r.key) << r.index;
    EXPECT_EQ(f.gadget, r.gadget) << r.index;
    EXPECT_EQ(f.kind, r.kind) << r.index;
  }
  // One binding per control, and no key twice in a group.
  std::set<int64_t> controls;
  std::set<std::string> keys;
  for (const ProjectField& f : gProjectFieldList) {
    EXPECT_TRUE(controls.insert(f.gadget).second) << f.gadget;
    EXPECT_TRUE(keys.insert(f.section + "/" + f.key).second) << f.key;
  }
}

TEST(ProjectFields, ChangeMapHoldsTheBoundControlsAndBothX1Fields) {
  RegisterProjectFields();
  RegisterProjectFields();  // a second start-up does not double the list
  EXPECT_EQ(gProjectFieldList.size(), 93u);
  EXPECT_EQ(gProjectFieldMap.size(), 95u);
  for (const char* n : {"1", "14", "67", "73", "108", "126", "47"}) EXPECT_EQ(gProjectFieldMap.count(n), 1u) << n;
  for (const char* n : {"0", "12", "13", "48", "65", "66", "77", "102"}) EXPECT_EQ(gProjectFieldMap.count(n), 0u) << n;
}

}  // namespace

// Module search of gear pairs and internal pairs: rows checked against
// textbook values (DIN 3960 centre distance and shift relations) and the
// worked examples, the input checks and the list-item text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "design/module_search.h"
#include "design/module_series.h"

namespace {

constexpr double kPi = std::numbers::pi;
double Rad(double deg) { return deg * kPi / 180.0; }
double Inv(double a) { return std::tan(a) - a; }

// Shift sum (or difference) that makes a gear pair of `teeth` = z1 + z2 (or
// z2 - z1) mesh at a, computed from the operating pressure angle:
// a cos alpha_w = a0 cos alpha_t and
// x1 + x2 = teeth (inv alpha_w - inv alpha_t) / (2 tan alpha_n).
double ExpectedShift(double m, double teeth, double a, double alphaDeg, double betaDeg) {
  const double an = Rad(alphaDeg);
  const double at = std::atan(std::tan(an) / std::cos(Rad(betaDeg)));
  const double a0 = m * teeth / (2.0 * std::cos(Rad(betaDeg)));
  const double aw = std::acos(a0 * std::cos(at) / a);
  return teeth * (Inv(aw) - Inv(at)) / (2.0 * std::tan(an));
}

ModuleSearchInputs DefaultPairInputs() {
  ModuleSearchInputs in;
  in.centreDistance = 60.0;
  in.ratio = 2.0;
  in.pressureAngleDeg = 20.0;
  in.tolerance = 0.02;
  in.shiftMin = -0.5;
  in.shiftMax = 1.0;
  in.minTeeth = 12;
  in.helixAngleDeg = 0.0;
  return in;
}

ModuleSearchInputs DefaultInternalInputs() {
  ModuleSearchInputs in;
  in.centreDistance = 40.0;
  in.ratio = 3.0;
  in.pressureAngleDeg = 20.0;
  in.tolerance = 0.02;
  in.shiftMin = -0.5;
  in.shiftMax = 1.0;
  in.minTeeth = 12;
  in.minToothDifference = 8;
  return in;
}

const SearchResultRow* FindRow(const std::vector<SearchResultRow>& rows, double m, int64_t z1) {
  for (const auto& row : rows) {
    if (row.module == m && row.teeth1 == z1) return &row;
  }
  return nullptr;
}

void ExpectSortedOnKey(const std::vector<SearchResultRow>& rows) {
  for (size_t k = 1; k < rows.size(); ++k) EXPECT_LE(rows[k - 1].sortKey, rows[k].sortKey) << "row " << k;
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(row.sortKey, std::fabs(row.shiftSum) + 10000.0 * row.module + 0.001 * row.helixAngleDeg);
  }
}

}  // namespace

TEST(ModuleSeries, HoldDin780ValuesAndEndMark) {
  EXPECT_EQ(ModuleSeries1.front(), 0.05);
  EXPECT_EQ(ModuleSeries1[33], 60.0);
  EXPECT_EQ(ModuleSeries2.front(), 0.055);
  EXPECT_EQ(ModuleSeries2[33], 70.0);
  EXPECT_LT(ModuleSeries1.back(), 0.0);
  EXPECT_LT(ModuleSeries2.back(), 0.0);
  for (size_t k = 1; k < 34; ++k) {
    EXPECT_LT(ModuleSeries1[k - 1], ModuleSeries1[k]);
    EXPECT_LT(ModuleSeries2[k - 1], ModuleSeries2[k]);
  }
}

TEST(PairSearch, DefaultInputsGiveFifteenRowsStartingWithTheSmallestModule) {
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindPairCombinations(DefaultPairInputs(), rows), SearchStatus::kRowsFound);
  ASSERT_EQ(rows.size(), 15u);
  ExpectSortedOnKey(rows);

  // m 0.2: 200 + 400 teeth give a0 = 0.2 * 600 / 2 = 60 = a, so no shift;
  // the smaller modules would need more than 400 teeth.
  EXPECT_EQ(rows[0].module, 0.2);
  EXPECT_EQ(rows[0].teeth1, 200);
  EXPECT_EQ(rows[0].teeth2, 400);
  EXPECT_NEAR(rows[0].shiftSum, 0.0, 1e-9);
  EXPECT_EQ(rows[1].module, 0.25);
  EXPECT_EQ(rows[1].teeth1, 160);
  EXPECT_EQ(rows[1].teeth2, 320);

  // i = 2 is met exactly by every row (z2 = 2 z1).
  for (const auto& row : rows) {
    EXPECT_EQ(row.teeth2, 2 * row.teeth1);
    EXPECT_DOUBLE_EQ(row.ratio, 2.0);
    EXPECT_NEAR(row.ratioDeviation, 0.0, 1e-12);
    EXPECT_EQ(row.helixAngleDeg, 0.0);
    EXPECT_GE(row.shiftSum, -0.5 - 1e-9);
    EXPECT_LE(row.shiftSum, 1.0 + 1e-9);
  }

  // m 0.3: a0 = 0.45 z1 < 60 needs z1 <= 133; only z1 = 133 (a0 = 59.85)
  // keeps the shift sum below 1.
  const SearchResultRow* row03 = FindRow(rows, 0.3, 133);
  ASSERT_NE(row03, nullptr);
  EXPECT_NEAR(row03->shiftSum, ExpectedShift(0.3, 399.0, 60.0, 20.0, 0.0), 1e-9);
  EXPECT_EQ(FindRow(rows, 0.3, 132), nullptr);

  // m 2 with 20 / 40 teeth has a0 = 60 and comes before every row of m 2.5.
  const SearchResultRow* row2 = FindRow(rows, 2.0, 20);
  ASSERT_NE(row2, nullptr);
  EXPECT_NEAR(row2->shiftSum, 0.0, 1e-9);
  bool seenLarger = false;
  for (const auto& row : rows) {
    if (row.module >= 2.5) seenLarger = true;
    if (&row == row2) {
      EXPECT_FALSE(seenLarger);
    }
  }
}

TEST(PairSearch, ShiftSumMatchesWorkedExampleE1) {
  // m 3, z 12 / 24, x1 + x2 = 0.60 + 0.36 = 0.96 at a = 56.4999.
  ModuleSearchInputs in = DefaultPairInputs();
  in.centreDistance = 56.4999;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindPairCombinations(in, rows), SearchStatus::kRowsFound);
  const SearchResultRow* row = FindRow(rows, 3.0, 12);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->teeth2, 24);
  EXPECT_NEAR(row->shiftSum, 0.96, 2e-4);
}

TEST(PairSearch, HalfwayTeethRoundAwayFromZeroAndDeviationIsSigned) {
  // i = 2.5: z1 = 15 gives 37.5, rounded to 38; m 2 at a = 2 * 53 / 2 = 53.
  ModuleSearchInputs in = DefaultPairInputs();
  in.centreDistance = 53.0;
  in.ratio = 2.5;
  in.minTeeth = 15;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindPairCombinations(in, rows), SearchStatus::kRowsFound);
  const SearchResultRow* row = FindRow(rows, 2.0, 15);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->teeth2, 38);
  EXPECT_DOUBLE_EQ(row->ratio, 38.0 / 15.0);
  EXPECT_NEAR(row->ratioDeviation, (38.0 / 15.0 - 2.5) / 2.5 * 100.0, 1e-12);  // +1.333 %
  EXPECT_NEAR(row->shiftSum, 0.0, 1e-9);
}

TEST(PairSearch, HelixSearchSolvesTheHelixAngleForZeroShift) {
  // E2: mn 3, z 12 / 60 at beta 30 deg has a0 = 3 * 72 / (2 cos 30 deg).
  ModuleSearchInputs in = DefaultPairInputs();
  in.centreDistance = 3.0 * 72.0 / (2.0 * std::cos(Rad(30.0)));
  in.ratio = 5.0;
  in.helixSearch = true;
  in.helixAngleDeg = 30.0;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindPairCombinations(in, rows), SearchStatus::kRowsFound);
  ExpectSortedOnKey(rows);
  const SearchResultRow* row = FindRow(rows, 3.0, 12);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->teeth2, 60);
  EXPECT_NEAR(row->helixAngleDeg, 30.0, 1e-9);
  for (const auto& r : rows) {
    EXPECT_EQ(r.shiftSum, 0.0);
    EXPECT_LE(r.helixAngleDeg, 30.0 + 1e-9);
    // cos beta = m (z1 + z2) / (2 a)
    EXPECT_NEAR(std::cos(Rad(r.helixAngleDeg)), r.module * (r.teeth1 + r.teeth2) / (2.0 * in.centreDistance),
                1e-12);
  }
}

TEST(PairSearch, HelixSearchWithZeroHelixKeepsOnlyExactCentreDistances) {
  ModuleSearchInputs in = DefaultPairInputs();
  in.helixSearch = true;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindPairCombinations(in, rows), SearchStatus::kRowsFound);
  ASSERT_FALSE(rows.empty());
  for (const auto& r : rows) {
    EXPECT_EQ(r.helixAngleDeg, 0.0);
    EXPECT_DOUBLE_EQ(r.module * (r.teeth1 + r.teeth2) / 2.0, 60.0);
  }
  EXPECT_NE(FindRow(rows, 0.2, 200), nullptr);
  EXPECT_NE(FindRow(rows, 2.0, 20), nullptr);
}

TEST(PairSearch, SeriesTwoRowsMixIntoTheSortedList) {
  ModuleSearchInputs in = DefaultPairInputs();
  std::vector<SearchResultRow> series1;
  ASSERT_EQ(FindPairCombinations(in, series1), SearchStatus::kRowsFound);
  in.series2 = true;
  std::vector<SearchResultRow> both;
  ASSERT_EQ(FindPairCombinations(in, both), SearchStatus::kRowsFound);
  EXPECT_GT(both.size(), series1.size());
  ExpectSortedOnKey(both);
  for (const auto& row : series1) EXPECT_NE(FindRow(both, row.module, row.teeth1), nullptr);
  // 1.75 is a series 2 module: its rows sit after those of m 1.5 and before m 2.
  bool seen175 = false;
  for (size_t k = 0; k < both.size(); ++k) {
    if (both[k].module == 1.75) {
      seen175 = true;
      EXPECT_TRUE(k == 0 || both[k - 1].module <= 1.75);
      EXPECT_TRUE(k + 1 == both.size() || both[k + 1].module >= 1.75);
    }
  }
  EXPECT_TRUE(seen175);
}

TEST(PairSearch, ToleranceZeroAcceptsExactRatiosOnly) {
  ModuleSearchInputs in = DefaultPairInputs();
  in.tolerance = 0.0;
  std::vector<SearchResultRow> rows;
  EXPECT_EQ(FindPairCombinations(in, rows), SearchStatus::kRowsFound);
  EXPECT_EQ(rows.size(), 15u);
  in.ratio = 2.0001;  // z2 = round(2.0001 z1) = 2 z1 for every z1 <= 400
  EXPECT_EQ(FindPairCombinations(in, rows), SearchStatus::kNoRows);
  EXPECT_TRUE(rows.empty());
}

TEST(PairSearch, EmptyResultsAndRejectedInputsClearTheRows) {
  struct Case {
    const char* name;
    void (*edit)(ModuleSearchInputs&);
    SearchStatus expected;
  };
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"zmin 401", [](ModuleSearchInputs& in) { in.minTeeth = 401; }, SearchStatus::kNoRows},
      {"huge zmin", [](ModuleSearchInputs& in) { in.minTeeth = std::numeric_limits<int64_t>::max(); },
       SearchStatus::kNoRows},
      {"ratio 1e300", [](ModuleSearchInputs& in) { in.ratio = 1e300; }, SearchStatus::kNoRows},
      {"ratio 1e-300", [](ModuleSearchInputs& in) { in.ratio = 1e-300; }, SearchStatus::kNoRows},
      {"centre distance 1e300", [](ModuleSearchInputs& in) { in.centreDistance = 1e300; }, SearchStatus::kNoRows},
      {"a 0", [](ModuleSearchInputs& in) { in.centreDistance = 0.0; }, SearchStatus::kBadInput},
      {"a infinite", [](ModuleSearchInputs& in) { in.centreDistance = inf; }, SearchStatus::kBadInput},
      {"a NaN", [](ModuleSearchInputs& in) { in.centreDistance = nan; }, SearchStatus::kBadInput},
      {"ratio 0", [](ModuleSearchInputs& in) { in.ratio = 0.0; }, SearchStatus::kBadInput},
      {"ratio infinite", [](ModuleSearchInputs& in) { in.ratio = inf; }, SearchStatus::kBadInput},
      {"ratio NaN", [](ModuleSearchInputs& in) { in.ratio = nan; }, SearchStatus::kBadInput},
      {"alpha 9.99", [](ModuleSearchInputs& in) { in.pressureAngleDeg = 9.99; }, SearchStatus::kBadInput},
      {"alpha 35.01", [](ModuleSearchInputs& in) { in.pressureAngleDeg = 35.01; }, SearchStatus::kBadInput},
      {"zmin 2", [](ModuleSearchInputs& in) { in.minTeeth = 2; }, SearchStatus::kBadInput},
      {"beta -0.1", [](ModuleSearchInputs& in) { in.helixAngleDeg = -0.1; }, SearchStatus::kBadInput},
      {"beta 45.01", [](ModuleSearchInputs& in) { in.helixAngleDeg = 45.01; }, SearchStatus::kBadInput},
      {"tolerance NaN", [](ModuleSearchInputs& in) { in.tolerance = nan; }, SearchStatus::kBadInput},
      {"tolerance infinite", [](ModuleSearchInputs& in) { in.tolerance = inf; }, SearchStatus::kBadInput},
      {"shift max infinite", [](ModuleSearchInputs& in) { in.shiftMax = inf; }, SearchStatus::kBadInput},
      {"shift min -infinite", [](ModuleSearchInputs& in) { in.shiftMin = -inf; }, SearchStatus::kBadInput},
  };
  for (const Case& c : cases) {
    ModuleSearchInputs in = DefaultPairInputs();
    c.edit(in);
    std::vector<SearchResultRow> rows(3);  // left over from an earlier search
    EXPECT_EQ(FindPairCombinations(in, rows), c.expected) << c.name;
    EXPECT_TRUE(rows.empty()) << c.name;
  }
  // Bounds are inclusive.
  ModuleSearchInputs in = DefaultPairInputs();
  std::vector<SearchResultRow> rows;
  in.pressureAngleDeg = 10.0;
  EXPECT_NE(FindPairCombinations(in, rows), SearchStatus::kBadInput);
  in.pressureAngleDeg = 35.0;
  in.helixAngleDeg = 45.0;
  in.minTeeth = 3;
  EXPECT_NE(FindPairCombinations(in, rows), SearchStatus::kBadInput);
}

TEST(InternalSearch, DefaultInputsGiveNineteenRows) {
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindInternalCombinations(DefaultInternalInputs(), rows), SearchStatus::kRowsFound);
  ASSERT_EQ(rows.size(), 19u);
  ExpectSortedOnKey(rows);
  // The ring may have up to 1000 teeth: m 0.12, 333 / 999, a0 = 0.12 * 666 / 2 = 39.96.
  EXPECT_EQ(rows[0].module, 0.12);
  EXPECT_EQ(rows[0].teeth1, 333);
  EXPECT_EQ(rows[0].teeth2, 999);
  EXPECT_NEAR(rows[0].shiftSum, ExpectedShift(0.12, 666.0, 40.0, 20.0, 0.0), 1e-9);
  EXPECT_NEAR(rows[0].shiftSum, 0.335, 0.001);
  const SearchResultRow* row2 = FindRow(rows, 2.0, 20);
  ASSERT_NE(row2, nullptr);
  EXPECT_EQ(row2->teeth2, 60);
  EXPECT_NEAR(row2->shiftSum, 0.0, 1e-9);
  for (const auto& row : rows) {
    EXPECT_GE(row.teeth2 - row.teeth1, 8);
    EXPECT_LE(row.teeth2, 1000);
  }
}

TEST(InternalSearch, ShiftDifferenceMatchesWorkedExampleE4) {
  // m 3, z 16 / 24, x2 - x1 = 0.5 at a = 13.1683.
  ModuleSearchInputs in = DefaultInternalInputs();
  in.centreDistance = 13.1683;
  in.ratio = 1.5;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindInternalCombinations(in, rows), SearchStatus::kRowsFound);
  const SearchResultRow* row = FindRow(rows, 3.0, 16);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->teeth2, 24);
  EXPECT_NEAR(row->shiftSum, 0.5, 2e-4);
}

TEST(InternalSearch, RingTeethLimitEndsEachModule) {
  // i = 10: z1 = 101 would need 1010 ring teeth.
  ModuleSearchInputs in = DefaultInternalInputs();
  in.ratio = 10.0;
  in.shiftMin = -100.0;
  in.shiftMax = 100.0;
  in.series2 = true;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindInternalCombinations(in, rows), SearchStatus::kRowsFound);
  for (const auto& row : rows) EXPECT_LE(row.teeth1, 100);
}

TEST(InternalSearch, SmallToothDifferencesAreSkippedNotEnding) {
  // i = 1.1: z2 - z1 = round(0.1 z1) reaches 8 only from z1 = 75.
  ModuleSearchInputs in = DefaultInternalInputs();
  in.ratio = 1.1;
  in.centreDistance = 4.0;  // m 1 with 80 / 88 teeth: a0 = 4
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindInternalCombinations(in, rows), SearchStatus::kRowsFound);
  const SearchResultRow* row = FindRow(rows, 1.0, 80);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->teeth2, 88);
  for (const auto& r : rows) EXPECT_GE(r.teeth2 - r.teeth1, 8);
}

TEST(InternalSearch, HelixSearchUsesTheToothDifference) {
  ModuleSearchInputs in = DefaultInternalInputs();
  in.helixSearch = true;
  in.helixAngleDeg = 20.0;
  std::vector<SearchResultRow> rows;
  ASSERT_EQ(FindInternalCombinations(in, rows), SearchStatus::kRowsFound);
  for (const auto& r : rows) {
    EXPECT_EQ(r.shiftSum, 0.0);
    EXPECT_LE(r.helixAngleDeg, 20.0 + 1e-9);
    EXPECT_NEAR(std::cos(Rad(r.helixAngleDeg)), r.module * (r.teeth2 - r.teeth1) / 80.0, 1e-12);
  }
}

TEST(InternalSearch, RejectsRatioOneAndNoToothDifference) {
  struct Case {
    const char* name;
    void (*edit)(ModuleSearchInputs&);
  };
  const Case cases[] = {
      {"ratio 1", [](ModuleSearchInputs& in) { in.ratio = 1.0; }},
      {"tooth difference 0", [](ModuleSearchInputs& in) { in.minToothDifference = 0; }},
      {"ratio infinite", [](ModuleSearchInputs& in) { in.ratio = std::numeric_limits<double>::infinity(); }},
      {"z1 min 2", [](ModuleSearchInputs& in) { in.minTeeth = 2; }},
  };
  for (const Case& c : cases) {
    ModuleSearchInputs in = DefaultInternalInputs();
    c.edit(in);
    std::vector<SearchResultRow> rows(2);
    EXPECT_EQ(FindInternalCombinations(in, rows), SearchStatus::kBadInput) << c.name;
    EXPECT_TRUE(rows.empty()) << c.name;
  }
  // The pair search accepts i = 1.
  ModuleSearchInputs pair = DefaultPairInputs();
  pair.ratio = 1.0;
  std::vector<SearchResultRow> rows;
  EXPECT_NE(FindPairCombinations(pair, rows), SearchStatus::kBadInput);
  // A ratio of 1e300 ends every module at once without reaching an integer.
  ModuleSearchInputs huge = DefaultInternalInputs();
  huge.ratio = 1e300;
  EXPECT_EQ(FindInternalCombinations(huge, rows), SearchStatus::kNoRows);
}

TEST(SearchListItem, SevenColumnsWithFixedDecimalsAndNoNegativeZero) {
  SearchResultRow row;
  row.module = 1.25;
  row.teeth1 = 20;
  row.teeth2 = 41;
  row.helixAngleDeg = 12.3456;
  row.ratio = 41.0 / 20.0;
  row.ratioDeviation = -0.004;
  row.shiftSum = -3e-14;
  EXPECT_EQ(FormatSearchListItem(row), "1.25\n20\n41\n2.050\n0.00\n0.000\n12.346");
  row.module = 2.0;
  row.ratioDeviation = 1.3333;
  row.shiftSum = 0.4567;
  row.helixAngleDeg = 0.0;
  EXPECT_EQ(FormatSearchListItem(row), "2\n20\n41\n2.050\n1.33\n0.457\n0.000");
}

// Module, teeth and helix-angle search of gear pairs and internal pairs over
// the DIN 780 module series.
#include "design/module_search.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "design/module_series.h"
#include "geometry/format.h"
#include "geometry/involute.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

enum class PairKind { kExternal, kInternal };

// The common input checks of both searches. Every double must be finite: a
// ratio of 1e300 or "Infinity" would otherwise reach the tooth-number rounding.
bool AreSearchInputsSound(const ModuleSearchInputs& in, PairKind kind) {
  const double values[] = {in.centreDistance, in.ratio,    in.pressureAngleDeg, in.tolerance,
                           in.shiftMin,       in.shiftMax, in.helixAngleDeg};
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  if (!(in.centreDistance > 0.0)) return false;
  if (kind == PairKind::kExternal ? !(in.ratio > 0.0) : !(in.ratio > 1.0)) return false;
  if (!(in.pressureAngleDeg >= 10.0 && in.pressureAngleDeg <= 35.0)) return false;
  if (in.minTeeth < 3) return false;
  if (!(in.helixAngleDeg >= 0.0 && in.helixAngleDeg <= 45.0)) return false;
  if (kind == PairKind::kInternal && in.minToothDifference < 1) return false;
  return true;
}

SearchResultRow MakeRow(double m, int64_t z1, int64_t z2, double betaDeg, double wantedRatio,
                        double shift) {
  SearchResultRow row;
  row.module = m;
  row.teeth1 = z1;
  row.teeth2 = z2;
  row.helixAngleDeg = betaDeg;
  row.ratio = static_cast<double>(z2) / static_cast<double>(z1);
  row.ratioDeviation = (row.ratio - wantedRatio) / wantedRatio * 100.0;
  row.shiftSum = shift;
  row.sortKey = std::fabs(shift) + 10000.0 * m + 0.001 * betaDeg;
  return row;
}

// Tries every z1 of one module and appends the rows that fit.
//   External pair: a0 = m (z1 + z2) / (2 cos beta), sum x1 + x2 from
//     inv alpha_w = inv alpha_t + 2 tan alpha_n (x1 + x2) / (z1 + z2)  (DIN 3960).
//   Internal pair: the same with z2 - z1 and x2 - x1.
// Both a0 and the helix-search cosine grow with z1, so the first z1 that
// passes the limit ends the module.
void SearchOneModule(const ModuleSearchInputs& in, PairKind kind, double m,
                     std::vector<SearchResultRow>& rows) {
  const double alphaN = in.pressureAngleDeg * kDegToRad;
  const double betaG = in.helixAngleDeg * kDegToRad;
  const double alphaT = std::atan(std::tan(alphaN) / std::cos(betaG));
  const double a = in.centreDistance;
  const double i = in.ratio;

  for (int64_t z1 = in.minTeeth; z1 <= kMaxSearchTeeth; ++z1) {
    // z2 = z1 i, halves away from zero; bounds are tested on the double so
    // that no out-of-range value is ever converted to an integer.
    const double z2Real = std::round(static_cast<double>(z1) * i);
    if (kind == PairKind::kExternal) {
      if (!(z2Real >= static_cast<double>(in.minTeeth) && z2Real <= kMaxSearchTeeth)) continue;
    } else if (!(z2Real <= kMaxRingTeeth)) {
      break;
    }
    const int64_t z2 = static_cast<int64_t>(z2Real);
    if (kind == PairKind::kInternal && z2 - z1 < in.minToothDifference) continue;

    const double teethSum = kind == PairKind::kExternal ? static_cast<double>(z1 + z2)
                                                        : static_cast<double>(z2 - z1);
    const double u = static_cast<double>(z2) / static_cast<double>(z1);
    const bool ratioFits = std::fabs(u - i) / i <= in.tolerance + kSearchRatioTolerance;

    if (in.helixSearch) {
      // cos beta at which the reference centre distance equals a.
      const double c = m * teethSum / (2.0 * a);
      if (c > 1.0) break;
      if (!ratioFits) continue;
      const double betaDeg = std::acos(c) / kDegToRad;
      if (betaDeg > in.helixAngleDeg + kSearchAngleTolerance) continue;
      rows.push_back(MakeRow(m, z1, z2, betaDeg, i, 0.0));
    } else {
      const double a0 = m * teethSum / (2.0 * std::cos(betaG));
      if (a0 > 1.2 * a) break;
      if (!ratioFits) continue;
      const double cosAlphaW = a0 * std::cos(alphaT) / a;
      if (!(cosAlphaW < 1.0)) continue;
      const double alphaW = std::acos(cosAlphaW);
      const double shift = teethSum * (Involute(alphaW) - Involute(alphaT)) / (2.0 * std::tan(alphaN));
      if (!(shift >= in.shiftMin - kSearchShiftTolerance && shift <= in.shiftMax + kSearchShiftTolerance))
        continue;
      rows.push_back(MakeRow(m, z1, z2, in.helixAngleDeg, i, shift));
    }
  }
}

SearchStatus FindCombinations(const ModuleSearchInputs& in, PairKind kind,
                              std::vector<SearchResultRow>& rows) {
  rows.clear();
  if (!AreSearchInputsSound(in, kind)) return SearchStatus::kBadInput;

  for (int series = 1; series <= 2; ++series) {
    if (series == 2 && !in.series2) break;
    const auto& modules = series == 1 ? ModuleSeries1 : ModuleSeries2;
    for (double m : modules) {
      if (m < 0.0) break;
      SearchOneModule(in, kind, m, rows);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const SearchResultRow& l, const SearchResultRow& r) {
    return l.sortKey < r.sortKey;
  });
  return rows.empty() ? SearchStatus::kNoRows : SearchStatus::kRowsFound;
}

}  // namespace

SearchStatus FindPairCombinations(const ModuleSearchInputs& in, std::vector<SearchResultRow>& rows) {
  return FindCombinations(in, PairKind::kExternal, rows);
}

SearchStatus FindInternalCombinations(const ModuleSearchInputs& in, std::vector<SearchResultRow>& rows) {
  return FindCombinations(in, PairKind::kInternal, rows);
}

std::string FormatSearchListItem(const SearchResultRow& row) {
  std::string item = FormatNumberTrimmed(row.module);
  item += '\n';
  item += std::to_string(row.teeth1);
  item += '\n';
  item += std::to_string(row.teeth2);
  item += '\n';
  item += FormatNumber(row.ratio, 3);
  item += '\n';
  item += FormatNumber(row.ratioDeviation, 2);
  item += '\n';
  item += FormatNumber(row.shiftSum, 3);
  item += '\n';
  item += FormatNumber(row.helixAngleDeg, 3);
  return item;
}

// Helpers of the report tests: language choice, fixed-decimal formatting done
// independently of the program's own formatter, and textbook gear values.
#pragma once

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace report_test {

constexpr double kPi = std::numbers::pi;

inline const char* Lang(const char* english, const char* dutch) {
  return NORVALE_TEST_LANG == 1 ? dutch : english;
}

inline double Rad(double deg) { return deg * kPi / 180.0; }
inline double Deg(double rad) { return rad * 180.0 / kPi; }
inline double Inv(double a) { return std::tan(a) - a; }

// The angle a with tan a - a = v, by Newton's method from a = 0.5.
inline double InvInverse(double v) {
  double a = 0.5;
  for (int k = 0; k < 60; ++k) a -= (Inv(a) - v) / (std::tan(a) * std::tan(a));
  return a;
}

// printf fixed-point text; the cases avoid values that round to -0.
inline std::string Fix(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// Splits a CR LF text into its lines; fails the caller's check when a line
// ends without CR LF or a lone CR or LF appears.
inline bool SplitCrLf(const std::string& text, std::vector<std::string>& lines) {
  lines.clear();
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return false;
    const std::string line = text.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) return false;
    lines.push_back(line);
    start = end + 2;
  }
  return true;
}

// Textbook values of one external gear (DIN 3960, basic rack ISO 53 A:
// ha* 1, hf* 1.25, rho_f* 0.38), cut at the tool shift xE = x - As / (2 mn tan an).
struct TextbookGear {
  double mn, z, x, alphaDeg, betaDeg, as;
  double k = 0.0;  // tip shortening in modules
  double an() const { return Rad(alphaDeg); }
  double beta() const { return Rad(betaDeg); }
  double mt() const { return mn / std::cos(beta()); }
  double at() const { return std::atan(std::tan(an()) / std::cos(beta())); }
  double betaB() const { return std::asin(std::sin(beta()) * std::cos(an())); }
  double xE() const { return x - as / (2.0 * mn * std::tan(an())); }
  double r() const { return mt() * z / 2.0; }
  double rb() const { return r() * std::cos(at()); }
  double ra() const { return r() + mn * (1.0 + x - k); }
  double rf() const { return r() - mn * (1.25 - xE()); }
  double st() const { return mt() * (kPi / 2.0 + 2.0 * xE() * std::tan(an())); }
  double sa() const {
    const double aat = std::acos(rb() / ra());
    return 2.0 * ra() * (st() / (2.0 * r()) + Inv(at()) - Inv(aat));
  }
  double xMin() const {
    return 1.25 - 0.38 * (1.0 - std::sin(an())) - z * std::pow(std::sin(at()), 2) / (2.0 * std::cos(beta()));
  }
  // Span over k teeth: Wk = mn cos an [pi (k - 0.5) + z inv at] + 2 xE mn sin an.
  double span(double spanTeeth) const {
    return mn * std::cos(an()) * (kPi * (spanTeeth - 0.5) + z * Inv(at())) + 2.0 * xE() * mn * std::sin(an());
  }
  // Dimension over two pins or balls of diameter dm (even z: dM + DM, odd z:
  // dM cos(90 deg / z) + DM), inv aM = inv at + DM / (mn z cos an) - pi / (2z) + 2 xE tan an / z.
  double overPins(double dm) const {
    const double invM = Inv(at()) + dm / (mn * z * std::cos(an())) - kPi / (2.0 * z) + 2.0 * xE() * std::tan(an()) / z;
    const double a = InvInverse(invM);
    const double dM = 2.0 * rb() / std::cos(a);
    return (static_cast<long>(z) % 2 == 0) ? dM + dm : dM * std::cos(kPi / (2.0 * z)) + dm;
  }
};

}  // namespace report_test

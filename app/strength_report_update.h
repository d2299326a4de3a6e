// Refreshes the strength window's verdict and report from the shown design.
#pragma once

#include <string>

extern std::string gStrengthReportText;  // the last strength copy text, empty when none
void ReportUpdateStrength();

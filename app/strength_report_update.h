// Refreshes the strength window's verdict and report from the shown design.
#pragma once

#include <string>
#include <vector>

#include "design/strength_results.h"

extern std::string gStrengthReportText;  // the last strength copy text, empty when none
void ReportUpdateStrength();

// The strength window's inputs as the calculation takes them: T1 from the load
// kind (power: T1 = 9550 P / n1), KA at least 1, a service life of at least
// 1 h, the grade as combo index + 5, minimum safeties 1.0 / 1.4 when not
// positive, E 206000 when not positive, the life class of each chosen material.
// Each input taken as another value than its text is named in replaced, e.g.
// "Application factor KA = abc cannot be used; calculated with 1".
StrengthInputs ReadStrengthInputs(std::vector<std::string>* replaced = nullptr);

// "Copy report": the strength copy text, or, when nothing is calculated, the
// verdict line and the report the window shows instead.
void CopyStrengthReport();

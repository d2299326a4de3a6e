// Line assembly shared by the report builders.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "design/report.h"

// Appends the pieces and CR LF.
inline void ReportAppendLine(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) out += piece;
  out += kReportLineEnd;
}

// Warning lines for contact outside the involute flanks of a mesh.
#include "design/report_fillet_contact.h"

#include "design/report_lines.h"
#include "geometry/format.h"
#include "texts/involute_contact_texts.h"

void ReportAppendFilletContactLines(std::string& out, const InvoluteContactRecord& contact,
                                    std::string_view name1, std::string_view name2) {
  if (contact.valid != 1) return;
  const std::string usable = FormatNumber(contact.involuteContactRatio, 3);
  // A before F1: the mate's tip meets gear 1 below its form circle.
  if (contact.belowForm1 != 0) {
    ReportAppendLine(out, {texts::kWarnFilletContactPrefix, name2, texts::kWarnFilletContactMiddle, name1,
                           texts::kWarnFilletContactSuffix, usable});
  }
  // E beyond F2: gear 1's tip meets the mate below its form circle.
  if (contact.belowForm2 != 0) {
    ReportAppendLine(out, {texts::kWarnFilletContactPrefix, name1, texts::kWarnFilletContactMiddle, name2,
                           texts::kWarnFilletContactSuffix, usable});
  }
}

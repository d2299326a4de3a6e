// The mesh reports' warning lines for a tip that meets the mate's root fillet,
// where the path of contact A..E leaves the involute flanks.
#pragma once

#include <string>
#include <string_view>

#include "geometry/path_of_contact.h"

// One line for each gear whose root fillet the mate's tip reaches, with the
// usable contact ratio of the pair (3 decimals); nothing for full involute
// contact. name1 names gear 1 (the pinion), name2 its mate.
void ReportAppendFilletContactLines(std::string& out, const InvoluteContactRecord& contact,
                                    std::string_view name1, std::string_view name2);

// The table of project-file bindings: which control is saved under which group and key.
#include <array>
#include <string>

#include "app/globals.h"
#include "app/project_file.h"

namespace {

struct Binding {
  std::string_view section;
  std::string_view key;
  int64_t gadget;
  int64_t kind;
};

constexpr int64_t kT = kProjectFieldText;
constexpr int64_t kS = kProjectFieldState;

// Group and key names are Dutch words, the same in every language build, so
// that each build reads the other's files. The groups stay together and in
// this order; saving writes and loading reads in this order.
constexpr std::array<Binding, 93> kBindings = {{
    {"Paar", "hartafstand", 1, kT},         // pair: centre distance a
    {"Paar", "verhouding", 2, kT},          // pair: ratio i
    {"Paar", "drukhoek", 3, kT},            // pair: pressure angle
    {"Paar", "beta", 4, kT},                // pair: helix angle
    {"Paar", "spoed", 5, kS},               // pair: hand (0 right, 1 left)
    {"Paar", "beta_zoeken", 6, kS},         // pair: helix search on/off
    {"Paar", "tolerantie", 7, kT},          // pair: ratio tolerance %
    {"Paar", "sx_min", 8, kT},              // pair: shift sum minimum
    {"Paar", "sx_max", 9, kT},              // pair: shift sum maximum
    {"Paar", "z_min", 10, kT},              // pair: z minimum
    {"Paar", "reeks2", 11, kS},             // pair: also module series 2
    {"Paar", "breedte", 16, kT},            // pair: face width
    {"Paar", "flankspeling", 17, kT},       // pair: backlash jn
    {"Paar", "boring1", 18, kT},            // pair: bore of gear 1
    {"Paar", "boring2", 19, kT},            // pair: bore of gear 2
    {"Enkel", "modul", 20, kT},             // single: module (editable combo text)
    {"Enkel", "tanden", 21, kT},            // single: teeth
    {"Enkel", "x", 22, kT},                 // single: profile shift
    {"Enkel", "drukhoek", 23, kT},          // single: pressure angle
    {"Enkel", "beta", 24, kT},              // single: helix angle
    {"Enkel", "spoed", 25, kS},             // single: hand
    {"Enkel", "breedte", 26, kT},           // single: face width
    {"Enkel", "afmaat", 27, kT},            // single: thickness allowance As
    {"Enkel", "boring", 28, kT},            // single: bore
    {"Heugel", "modul", 29, kT},            // rack: module
    {"Heugel", "tanden_rondsel", 30, kT},   // rack: pinion teeth
    {"Heugel", "x", 31, kT},                // rack: pinion profile shift
    {"Heugel", "drukhoek", 32, kT},         // rack: pressure angle
    {"Heugel", "beta", 33, kT},             // rack: helix angle
    {"Heugel", "spoed", 34, kS},            // rack: hand
    {"Heugel", "breedte", 35, kT},          // rack: face width
    {"Heugel", "boring", 36, kT},           // rack: pinion bore
    {"Heugel", "flankspeling", 37, kT},     // rack: backlash jn
    {"Heugel", "tanden_heugel", 38, kT},    // rack: rack teeth n
    {"Heugel", "hoogte", 39, kT},           // rack: rack height Hp
    {"Binnen", "hartafstand", 53, kT},      // internal: centre distance
    {"Binnen", "verhouding", 54, kT},       // internal: ratio
    {"Binnen", "drukhoek", 55, kT},         // internal: pressure angle
    {"Binnen", "beta", 56, kT},             // internal: helix angle
    {"Binnen", "spoed", 57, kS},            // internal: hand
    {"Binnen", "beta_zoeken", 58, kS},      // internal: helix search on/off
    {"Binnen", "tolerantie", 59, kT},       // internal: ratio tolerance %
    {"Binnen", "dx_min", 60, kT},           // internal: shift difference minimum
    {"Binnen", "dx_max", 61, kT},           // internal: shift difference maximum
    {"Binnen", "z_min", 62, kT},            // internal: z1 minimum
    {"Binnen", "tandverschil_min", 63, kT}, // internal: minimum tooth difference
    {"Binnen", "reeks2", 64, kS},           // internal: also module series 2
    {"Binnen", "breedte", 69, kT},          // internal: face width
    {"Binnen", "flankspeling", 70, kT},     // internal: backlash jn
    {"Binnen", "boring_rondsel", 71, kT},   // internal: pinion bore
    {"Binnen", "randdikte", 72, kT},        // internal: ring rim thickness
    {"Binnen", "kop_inkorten", 73, kS},     // internal: shorten ring tip
    {"Sterkte", "belasting", 75, kS},       // strength: load kind (0 power, 1 torque)
    {"Sterkte", "waarde", 76, kT},          // strength: power or torque value
    {"Sterkte", "toerental", 78, kT},       // strength: speed n1
    {"Sterkte", "KA", 79, kT},              // strength: application factor (editable combo text)
    {"Sterkte", "levensduur", 80, kT},      // strength: service life
    {"Sterkte", "klasse", 81, kS},          // strength: accuracy grade
    {"Sterkte", "afwerking", 82, kS},       // strength: flank finish
    {"Sterkte", "smering", 83, kS},         // strength: lubrication
    {"Sterkte", "SH_min", 84, kT},          // strength: minimum S_H
    {"Sterkte", "SF_min", 85, kT},          // strength: minimum S_F
    {"Sterkte", "materiaal1", 87, kS},      // strength: material of gear 1
    {"Sterkte", "sigHlim1", 88, kT},        // strength: sigma H,lim of gear 1
    {"Sterkte", "sigFlim1", 89, kT},        // strength: sigma F,lim of gear 1
    {"Sterkte", "E1", 90, kT},              // strength: E of gear 1
    {"Sterkte", "nu1", 91, kT},             // strength: Poisson's ratio of gear 1
    {"Sterkte", "materiaal2", 93, kS},      // strength: material of gear 2 / rack / ring
    {"Sterkte", "sigHlim2", 94, kT},        // strength: sigma H,lim of gear 2
    {"Sterkte", "sigFlim2", 95, kT},        // strength: sigma F,lim of gear 2
    {"Sterkte", "E2", 96, kT},              // strength: E of gear 2
    {"Sterkte", "nu2", 97, kT},             // strength: Poisson's ratio of gear 2
    {"Sterkte", "asmateriaal", 104, kS},    // strength: shaft material
    {"Sterkte", "tau_toel", 105, kT},       // strength: permissible shaft torsion stress
    {"Sterkte", "Re_as", 106, kT},          // strength: shaft yield strength
    {"Sterkte", "spieen", 107, kS},         // strength: number of keys
    {"Sterkte", "spielengte", 108, kT},     // strength: key length (empty = hub length)
    {"Naaf", "spiebaan1", 114, kS},         // gear 1: keyway kind
    {"Naaf", "spie_b1", 115, kT},           // gear 1: keyway width b
    {"Naaf", "spie_t1", 116, kT},           // gear 1: keyway depth in the hub
    {"Naaf", "naaf1", 117, kS},             // gear 1: hub side
    {"Naaf", "naaf_D1", 118, kT},           // gear 1: hub diameter
    {"Naaf", "naaf_L1", 119, kT},           // gear 1: hub length
    {"Naaf", "spiebaan2", 121, kS},         // gear 2: keyway kind
    {"Naaf", "spie_b2", 122, kT},           // gear 2: keyway width b
    {"Naaf", "spie_t2", 123, kT},           // gear 2: keyway depth in the hub
    {"Naaf", "naaf2", 124, kS},             // gear 2: hub side
    {"Naaf", "naaf_D2", 125, kT},           // gear 2: hub diameter
    {"Naaf", "naaf_L2", 126, kT},           // gear 2: hub length
    {"Weergave", "snelheid", 41, kS},       // view: animation speed (track bar)
    {"Weergave", "ingrijpingslijn", 42, kS},// view: show line of action
    {"Weergave", "export", 43, kS},         // view: export choice
    {"Weergave", "stl_tolerantie", 47, kT}, // view: STL chord tolerance
}};

// The "Profile shift x1" fields: no binding of their own (x1 is saved with the
// chosen row), but editing them changes the project.
constexpr int64_t kPairShiftX1 = 14;
constexpr int64_t kInternalShiftX1 = 67;
constexpr std::size_t kBindingsBeforeInternalX1 = 52;  // after "kop_inkorten"

void EnterIntoFieldMap(int64_t gadget) { gProjectFieldMap[std::to_string(gadget)] = 1; }

}  // namespace

void RegisterProjectField(std::string_view section, std::string_view key, int64_t gadget, int64_t kind) {
  gProjectFieldList.push_back(ProjectField{std::string(section), std::string(key), gadget, kind});
  EnterIntoFieldMap(gadget);
}

void RegisterProjectFields() {
  gProjectFieldList.clear();
  gProjectFieldMap.clear();
  gProjectFieldMap.reserve(kProjectFieldMapBuckets);
  for (std::size_t i = 0; i < kBindings.size(); ++i) {
    const Binding& b = kBindings[i];
    RegisterProjectField(b.section, b.key, b.gadget, b.kind);
    if (i + 1 == kBindingsBeforeInternalX1) EnterIntoFieldMap(kInternalShiftX1);
  }
  EnterIntoFieldMap(kPairShiftX1);
}

// Every export of a spread of designs read back by readers written
// elsewhere: the DXF by ezdxf, the STL by admesh and the STEP by the Open
// CASCADE kernel. Each must read the file without a complaint or a repair,
// find the bodies the design has, and agree on the volume with the closed
// form of the cross-sections (and with each other).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <numbers>
#include <ostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "export/dxf_file.h"
#include "export/export_command.h"
#include "export/step_file.h"
#include "export/stl_file.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "tests/export_step_cad/cross_section_areas.h"

#if NORVALE_HAVE_OCCT
#include "tests/export_step_cad/step_kernel_read.h"
#endif

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kChordTolerance = 0.01;  // the program's default STL tolerance
constexpr double kVolumeTolerance = 1e-3;  // relative: 0.1 %

// --- Designs ---------------------------------------------------------------

// One exported body as the export command places it: record, centre (the
// rack: its reference point) and angle; the hub length counts per side.
struct Body {
  GearRecord rec;
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
};

struct Design {
  const char* name;
  std::function<std::vector<Body>()> build;
};

GearRecord Gear(double m, int64_t z, double x, double bore, double betaDeg, int64_t hand, double b) {
  GearRecord g;
  InitGearRecord(g, m, z, x, 20.0, b, bore, 0.0, betaDeg, hand);
  EXPECT_EQ(BuildGearGeometry(g, 1), 1);
  return g;
}

GearRecord WithKeyAndHubs(GearRecord g, double keyWidth, double t2, int64_t sides, double hubD, double hubL) {
  g.keyWidth = keyWidth;
  g.hubKeywayDepth = t2;
  g.hubSide = sides;
  g.hubDiameter = hubD;
  g.hubLength = hubL;
  return g;
}

// An external pair: gear 2 has the other hand and lies at the reference
// centre distance, turned into mesh with gear 1 at angle1.
std::vector<Body> Pair(double m, int64_t z1, int64_t z2, double betaDeg, double b, double angle1) {
  const GearRecord g1 = Gear(m, z1, 0.0, 0.0, betaDeg, 1, b);
  const GearRecord g2 = Gear(m, z2, 0.0, 0.0, betaDeg, -1, b);
  const double a = m * static_cast<double>(z1 + z2) / (2.0 * std::cos(betaDeg * kPi / 180.0));
  return {{g1, 0.0, 0.0, angle1}, {g2, a, 0.0, ComputeGear2MeshAngle(g1, g2, angle1)}};
}

// Pinion and rack of the pinion's hand, the rack placed as the view shows it.
std::vector<Body> PinionAndRack(double betaDeg, double angle1) {
  const GearRecord pinion = Gear(2.0, 20, 0.0, 0.0, betaDeg, 1, 20.0);
  GearRecord rack;
  EXPECT_EQ(BuildRackGeometry(rack, 2.0, 20.0, betaDeg, 1, 10, 20.0, 20.0, 0.0, 1), 0);
  return {{pinion, 0.0, 0.0, angle1},
          {rack, ComputeRackOffset(pinion, rack, angle1), ComputeRackPitchLineOffset(pinion), 0.0}};
}

// Internal pair: the ring (the pinion's hand) at the origin turned by
// theta z1 / z2, the pinion at (a, 0) turned by theta.
std::vector<Body> InternalPair(double betaDeg, double theta) {
  const GearRecord pinion = Gear(2.0, 20, 0.0, 0.0, betaDeg, 1, 20.0);
  GearRecord ring;
  EXPECT_EQ(BuildRingGearGeometry(ring, 2.0, 50, 0.0, 20.0, 20.0, 6.0, 0.0, betaDeg, 1, 1, 0.0), 0);
  const double a = 2.0 * (50 - 20) / (2.0 * std::cos(betaDeg * kPi / 180.0));
  return {{ring, 0.0, 0.0, theta * 20.0 / 50.0}, {pinion, a, 0.0, theta}};
}

const Design kDesigns[] = {
    {"spur_pair", [] { return Pair(2.0, 20, 40, 0.0, 20.0, 0.1); }},
    {"helical_pair_25", [] { return Pair(2.0, 18, 37, 25.0, 25.0, 0.2); }},
    {"keyed_bore_two_hubs_spur",
     [] { return std::vector<Body>{{WithKeyAndHubs(Gear(3.0, 30, 0.0, 20.0, 0.0, 1, 20.0), 6.0, 2.8, 3, 50.0, 15.0)}}; }},
    {"keyed_bore_two_hubs_helical_20",
     [] { return std::vector<Body>{{WithKeyAndHubs(Gear(3.0, 30, 0.0, 20.0, 20.0, -1, 20.0), 6.0, 2.8, 3, 50.0, 15.0)}}; }},
    {"plain_bore", [] { return std::vector<Body>{{Gear(2.0, 25, 0.0, 12.0, 0.0, 1, 15.0)}}; }},
    {"pinion_and_rack_spur", [] { return PinionAndRack(0.0, 0.3); }},
    {"pinion_and_rack_helical_20", [] { return PinionAndRack(20.0, 0.3); }},
    // 25 deg: the root roundings of each gap shrink until they meet in its middle.
    {"rack_25_deg_reduced_roundings",
     [] {
       GearRecord rack;
       EXPECT_EQ(BuildRackGeometry(rack, 2.0, 25.0, 0.0, 1, 10, 20.0, 20.0, 0.0, 1), 0);
       return std::vector<Body>{{rack}};
     }},
    {"helical_rack_28_deg_reduced_roundings",
     [] {
       GearRecord rack;
       EXPECT_EQ(BuildRackGeometry(rack, 2.5, 28.0, 15.0, -1, 7, 15.0, 20.0, 0.0, 1), 0);
       return std::vector<Body>{{rack}};
     }},
    {"internal_pair_spur", [] { return InternalPair(0.0, 0.11); }},
    {"internal_pair_helical_20", [] { return InternalPair(20.0, 0.11); }},
    {"undercut_pinion_z8", [] { return std::vector<Body>{{Gear(2.0, 8, 0.0, 0.0, 0.0, 1, 16.0)}}; }},
    {"gear_z200", [] { return std::vector<Body>{{Gear(1.0, 200, 0.0, 30.0, 0.0, 1, 10.0)}}; }},
};

// --- Closed-form volumes ---------------------------------------------------

using cadtest::OutlineArea;

// The bore's cross-section: a circle, or with a keyway the keyed hole.
double HoleArea(const GearRecord& g) {
  const double R = g.boreDiameter / 2.0;
  if (R <= 0.0) return 0.0;
  if (GearHasKeyway(g) == 0) return kPi * R * R;
  return cadtest::KeyedHoleArea(R, g.keyWidth / 2.0, g.hubKeywayDepth);
}

int HubSides(const GearRecord& g) {
  if (GearHasHub(g) == 0) return 0;
  return g.hubSide == 3 ? 2 : 1;
}

// Volume of one body from its cross-sections: an oblique or twisted prism
// has the volume of the straight one (Cavalieri).
double BodyVolume(const GearRecord& g) {
  if (g.isInternal != 0) return (kPi * g.rimRadius * g.rimRadius + OutlineArea(g)) * g.faceWidth;
  const double hole = HoleArea(g);
  const double hub = kPi * g.hubDiameter * g.hubDiameter / 4.0;
  return (OutlineArea(g) - hole) * g.faceWidth + HubSides(g) * (hub - hole) * g.hubLength;
}

// --- Running the outside readers --------------------------------------------

struct CommandResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error
};

CommandResult RunCommand(const std::string& command) {
  CommandResult r;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return r;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
  const int status = ::pclose(pipe);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

bool HasCommand(const std::string& name) { return RunCommand("command -v " + name).exitCode == 0; }

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

struct DxfEntityRead {
  std::string type;
  std::string layer;
  int closed = 0;
  int vertices = 0;
  double area = 0.0;
};

struct DxfRead {
  int errors = -1;
  int fixes = -1;
  std::string version;
  std::string insunits;
  std::vector<DxfEntityRead> entities;
};

DxfRead ParseDxfFacts(const std::string& text) {
  DxfRead r;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() == 3 && f[0] == "audit") {
      r.errors = std::stoi(f[1]);
      r.fixes = std::stoi(f[2]);
    } else if (f.size() == 2 && f[0] == "version") {
      r.version = f[1];
    } else if (f.size() == 2 && f[0] == "insunits") {
      r.insunits = f[1];
    } else if (f.size() == 6 && f[0] == "entity") {
      r.entities.push_back({f[1], f[2], std::stoi(f[3]), std::stoi(f[4]), std::stod(f[5])});
    }
  }
  return r;
}

// The figures admesh prints in its report, by their label ("Number of
// parts", "Degenerate facets", "Volume", ...).
std::map<std::string, double> ParseAdmeshReport(const std::string& text) {
  std::map<std::string, double> figures;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    // "Label   :  value" or "Label : value  Label : value" on one line.
    std::size_t start = 0;
    while (true) {
      const std::size_t colon = line.find(':', start);
      if (colon == std::string::npos) break;
      std::string label = line.substr(start, colon - start);
      const std::size_t first = label.find_first_not_of(' ');
      const std::size_t last = label.find_last_not_of(' ');
      if (first == std::string::npos) break;
      label = label.substr(first, last - first + 1);
      char* end = nullptr;
      const char* value = line.c_str() + colon + 1;
      const double v = std::strtod(value, &end);
      if (end == value) break;
      figures[label] = v;
      start = static_cast<std::size_t>(end - line.c_str());
    }
  }
  return figures;
}

std::string TempPath(const char* design, const char* extension) {
  return (std::filesystem::temp_directory_path() /
          ("norvale_readers_" + std::to_string(::getpid()) + "_" + design + "." + extension))
      .string();
}

const std::string kOutlineLayer = "GEAR";
const std::string kHubLayer = "HUB";
const std::string kPitchLayer = "PITCH";

// What the DXF of one body must hold, in the order written: the outline;
// the bore (a polyline with a keyway, else a circle); the hub circle; a
// ring's rim circle; the pitch circle, or the rack's pitch line.
std::vector<std::pair<std::string, std::string>> ExpectedDxfEntities(const GearRecord& g) {
  std::vector<std::pair<std::string, std::string>> e{{"POLYLINE", kOutlineLayer}};
  if (g.boreDiameter > 0.0) e.push_back({GearHasKeyway(g) != 0 ? "POLYLINE" : "CIRCLE", kOutlineLayer});
  if (GearHasHub(g) != 0 && g.isInternal == 0) e.push_back({"CIRCLE", kHubLayer});
  if (g.isInternal != 0 && g.rimRadius > 0.0) e.push_back({"CIRCLE", kOutlineLayer});
  e.push_back({g.isRack != 0 ? "LINE" : "CIRCLE", kPitchLayer});
  return e;
}

// The volume a body's DXF entities describe: outline, bore, hub and rim
// areas as ezdxf measured them, times the lengths of the record.
double VolumeFromDxf(const GearRecord& g, const std::vector<DxfEntityRead>& own) {
  const double outline = own[0].area;
  if (g.isInternal != 0) return (own[1].area - outline) * g.faceWidth;
  const double hole = g.boreDiameter > 0.0 ? own[1].area : 0.0;
  const double hub = GearHasHub(g) != 0 ? own[g.boreDiameter > 0.0 ? 2 : 1].area : 0.0;
  return (outline - hole) * g.faceWidth + HubSides(g) * (hub - hole) * g.hubLength;
}

// Failures name the design, not the bytes of the case.
void PrintTo(const Design& design, std::ostream* out) { *out << design.name; }

class ExportReaders : public ::testing::TestWithParam<Design> {};

TEST_P(ExportReaders, EveryExportReadsBackCleanWithTheVolumeOfTheDesign) {
  const Design& design = GetParam();
  const std::vector<Body> bodies = design.build();
  ASSERT_FALSE(bodies.empty());
  for (const Body& body : bodies) ASSERT_EQ(body.rec.valid, 1);
  const Body* second = bodies.size() > 1 ? &bodies[1] : nullptr;
  const Body& first = bodies[0];

  double expected = 0.0;
  for (const Body& body : bodies) expected += BodyVolume(CopyAtDxfDensity(body.rec));

  // STL through admesh. Its default run checks and would repair; the report
  // must show that nothing needed repairing.
  double stlVolume = 0.0;
  {
    ASSERT_TRUE(HasCommand("admesh")) << "admesh is not installed (Debian package admesh)";
    const std::string path = TempPath(design.name, "stl");
    ASSERT_GE(StlWriteFile(path, kChordTolerance, first.rec, first.angle, second ? &second->rec : nullptr,
                           second ? second->x : 0.0, second ? second->angle : 0.0, second ? second->y : 0.0),
              1);
    const CommandResult run = RunCommand("admesh " + Quoted(path));
    std::filesystem::remove(path);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::map<std::string, double> f = ParseAdmeshReport(run.output);
    for (const char* label : {"Number of facets", "Number of parts", "Volume"}) {
      ASSERT_TRUE(f.count(label)) << label << " missing in:\n" << run.output;
    }
    for (const char* label :
         {"Facets with 1 disconnected edge", "Facets with 2 disconnected edges", "Facets with 3 disconnected edges",
          "Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed", "Facets added", "Facets reversed", "Backwards edges",
          "Normals fixed"}) {
      ASSERT_TRUE(f.count(label)) << label << " missing in:\n" << run.output;
      EXPECT_EQ(f.at(label), 0.0) << label << "\n" << run.output;
    }
    EXPECT_EQ(f.at("Number of parts"), static_cast<double>(bodies.size())) << run.output;
    stlVolume = f.at("Volume");
    EXPECT_NEAR(stlVolume, expected, kVolumeTolerance * expected) << run.output;
  }

  // DXF through ezdxf: recovered and audited without errors or fixes, R12 in
  // millimetres, the entities each body should give, closed polylines, and
  // areas that give the STL's volume.
  {
    const std::string path = TempPath(design.name, "dxf");
    std::vector<GearRecord> shown;
    for (const Body& body : bodies) shown.push_back(CopyAtDxfDensity(body.rec));
    ASSERT_EQ(DxfWriteFile(path, shown[0], first.angle, second ? &shown[1] : nullptr, second ? second->x : 0.0,
                           second ? second->angle : 0.0, second ? second->y : 0.0),
              1);
    const CommandResult run = RunCommand(std::string(NORVALE_READER_PYTHON) + " " + Quoted(NORVALE_READ_DXF_SCRIPT) + " " +
                                  Quoted(path));
    std::filesystem::remove(path);
    ASSERT_NE(run.exitCode, 2) << "ezdxf is not installed (Debian package python3-ezdxf):\n" << run.output;
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const DxfRead dxf = ParseDxfFacts(run.output);
    EXPECT_EQ(dxf.errors, 0) << run.output;
    EXPECT_EQ(dxf.fixes, 0) << run.output;
    EXPECT_EQ(dxf.version, "AC1009");
    EXPECT_EQ(dxf.insunits, "4");  // millimetres

    std::vector<std::pair<std::string, std::string>> wanted;
    for (const GearRecord& g : shown) {
      for (const auto& e : ExpectedDxfEntities(g)) wanted.push_back(e);
    }
    std::vector<std::pair<std::string, std::string>> found;
    for (const DxfEntityRead& e : dxf.entities) found.push_back({e.type, e.layer});
    ASSERT_EQ(found, wanted);
    for (const DxfEntityRead& e : dxf.entities) {
      if (e.type == "POLYLINE") {
        EXPECT_EQ(e.closed, 1);
        EXPECT_GE(e.vertices, 4);
      }
    }
    double dxfVolume = 0.0;
    std::size_t next = 0;
    for (const GearRecord& g : shown) {
      const std::size_t count = ExpectedDxfEntities(g).size();
      dxfVolume += VolumeFromDxf(g, {dxf.entities.begin() + next, dxf.entities.begin() + next + count});
      next += count;
    }
    EXPECT_NEAR(dxfVolume, stlVolume, kVolumeTolerance * stlVolume);
  }

  // STEP through the CAD kernel: one valid closed solid per body without free
  // edges, of the design's volume.
  {
#if NORVALE_HAVE_OCCT
    const std::string path = TempPath(design.name, "stp");
    ASSERT_EQ(StepWriteFileStamped(path, first.rec, first.angle, second ? &second->rec : nullptr,
                                   second ? second->x : 0.0, second ? second->angle : 0.0, second ? second->y : 0.0,
                                   "2026-01-01T00:00:00"),
              1);
    const cadtest::KernelRead read = cadtest::ReadStepWithKernel(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(read.read);
    EXPECT_EQ(read.solids, static_cast<int>(bodies.size()));
    EXPECT_TRUE(read.shellsClosed);
    EXPECT_TRUE(read.valid);
    EXPECT_EQ(read.freeWires, 0);
    EXPECT_NEAR(read.volume, expected, kVolumeTolerance * expected);
#else
    FAIL() << "the Open CASCADE kernel is not installed (Debian packages libocct-data-exchange-dev and "
              "libocct-modeling-algorithms-dev); install them and configure again";
#endif
  }
}

INSTANTIATE_TEST_SUITE_P(Designs, ExportReaders, ::testing::ValuesIn(kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

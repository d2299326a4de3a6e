// The gear-material and shaft-material tables and the filling of the strength
// window's material value fields from the chosen row.
//
// Endurance limits sigma_H,lim and sigma_F,lim are indicative mid-quality values
// in the spirit of ISO 6336-5 / DIN 3990-5 (N/mm^2); E and nu are the usual
// elastic constants; the life-factor class 1 marks nitrided steel and grey cast
// iron, whose life curves are flatter. The shaft table gives a permissible
// torsional stress for preliminary sizing (with an allowance for bending).
#include "app/material_tables.h"

#include <cstddef>

#include "app/globals.h"
#include "geometry/format.h"
#include "platform/gui.h"
#include "texts/material_texts.h"

void SetMaterialRow(int64_t index, std::string_view name, double sigmaHlim, double sigmaFlim,
                    double elasticModulus, double poisson, int64_t lifeClass, double yieldStrength) {
  if (index < 0 || index >= int64_t(gMaterials.size())) return;
  MaterialRow& row = gMaterials[std::size_t(index)];
  row.name = std::string(name);
  row.sigmaHlim = sigmaHlim;
  row.sigmaFlim = sigmaFlim;
  row.elasticModulus = elasticModulus;
  row.poisson = poisson;
  row.lifeClass = lifeClass;
  row.yieldStrength = yieldStrength;
}

void InitMaterialTable() {
  if (gMaterials.size() < std::size_t(kMaterialRowCount)) gMaterials.resize(std::size_t(kMaterialRowCount));
  const auto& n = texts::kMaterialNames;
  //                 name   sHlim  sFlim  E       nu    class  R_e
  SetMaterialRow(0, n[0], 430, 200, 206000, 0.30, 0, 355);
  SetMaterialRow(1, n[1], 560, 220, 206000, 0.30, 0, 340);
  SetMaterialRow(2, n[2], 650, 260, 206000, 0.30, 0, 490);
  SetMaterialRow(3, n[3], 750, 300, 206000, 0.30, 0, 750);
  SetMaterialRow(4, n[4], 1100, 340, 206000, 0.30, 0, 490);
  SetMaterialRow(5, n[5], 1150, 350, 206000, 0.30, 0, 750);
  SetMaterialRow(6, n[6], 1100, 380, 206000, 0.30, 1, 750);
  SetMaterialRow(7, n[7], 1500, 450, 206000, 0.30, 0, 590);
  SetMaterialRow(8, n[8], 1500, 500, 206000, 0.30, 0, 785);
  SetMaterialRow(9, n[9], 560, 220, 170000, 0.30, 0, 370);
  SetMaterialRow(10, n[10], 360, 100, 120000, 0.26, 1, 0);
  SetMaterialRow(11, n[11], 320, 120, 95000, 0.35, 0, 150);
  // The custom row keeps usable defaults for E, nu and R_e.
  SetMaterialRow(kCustomMaterialRow, n[12], 0, 0, 206000, 0.30, 0, 355);
}

void InitShaftMaterialTable() {
  struct ShaftValues {
    double allowableShear;
    double yieldStrength;
  };
  static constexpr ShaftValues kValues[kShaftMaterialRowCount] = {
      {25, 235}, {30, 355}, {40, 490}, {55, 750}, {65, 900}, {40, 490},
  };
  gShaftMaterials.resize(std::size_t(kShaftMaterialRowCount));
  for (std::size_t i = 0; i < gShaftMaterials.size(); ++i) {
    gShaftMaterials[i].name = std::string(texts::kShaftMaterialNames[i]);
    gShaftMaterials[i].allowableShear = kValues[i].allowableShear;
    gShaftMaterials[i].yieldStrength = kValues[i].yieldStrength;
  }
}

void FillMaterialFields(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                        int64_t fieldNu) {
  const int64_t r = GadgetGetState(combo);
  if (r < 0 || r >= kCustomMaterialRow || r >= int64_t(gMaterials.size())) return;
  const MaterialRow& m = gMaterials[std::size_t(r)];
  GadgetSetText(fieldSigmaH, FormatNumber(m.sigmaHlim, 0));
  GadgetSetText(fieldSigmaF, FormatNumber(m.sigmaFlim, 0));
  GadgetSetText(fieldE, FormatNumber(m.elasticModulus, 0));
  GadgetSetText(fieldNu, FormatNumber(m.poisson, 2));
}

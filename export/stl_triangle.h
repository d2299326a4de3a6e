// One triangle of the STL export mesh.
#pragma once

// Nine coordinates in mm: the three x of vertex 0, 1, 2, then the three y,
// then the three z. Vertex i is (x[i], y[i], z[i]).
struct StlTriangle {
  double x[3] = {0.0, 0.0, 0.0};
  double y[3] = {0.0, 0.0, 0.0};
  double z[3] = {0.0, 0.0, 0.0};
};

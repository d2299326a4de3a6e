// PLACEHOLDER for the STL writer: removed when it lands.
#include "export/stl_file.h"

int64_t StlWriteFile(const std::string&, double, const GearRecord&, double, const GearRecord*, double, double,
                     double) {
  return 0;
}

// PLACEHOLDER for the STEP writer: removed when it lands.
#include "export/step_file.h"

int64_t StepWriteFile(const std::string&, const GearRecord&, double, const GearRecord*, double, double, double) {
  return 0;
}

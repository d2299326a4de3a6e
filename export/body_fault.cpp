// The cause recorded when an export refuses a body.
#include "export/body_fault.h"

BodyFault gBodyFault = BodyFault::kNone;

void ClearBodyFault() { gBodyFault = BodyFault::kNone; }

bool RefuseBody(BodyFault fault) {
  if (gBodyFault == BodyFault::kNone) gBodyFault = fault;
  return false;
}

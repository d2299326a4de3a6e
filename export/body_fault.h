// Why an export could not turn a body into a closed solid or mesh. The
// meshers and solid writers record the first cause they meet, so that the
// export command can tell the user what to change instead of blaming the file.
#pragma once

#include <cstdint>

enum class BodyFault : int64_t {
  kNone = 0,
  kNotFinite,         // a size or position that is no finite number, or too large for the file
  kFaceWidth,         // face width not above 0
  kBoreTooLarge,      // the bore or its keyway reaches the root circle
  kHubTooSmall,       // a hub not wider than the bore with its keyway
  kHubTooLarge,       // a hub that reaches the root circle
  kRimTooThin,        // a ring gear's rim that does not enclose its teeth
  kTwistTooLarge,     // helical teeth that turn too far over the face width
  kTooManyTriangles,  // a mesh over the triangle limit
  kShape,             // an outline that cannot be closed or built finer
};

// The first cause recorded since the last ClearBodyFault.
extern BodyFault gBodyFault;

void ClearBodyFault();

// Records fault unless a cause is recorded already, and returns false: the
// meshers and solid writers end with `return RefuseBody(...)`, which gives
// their failure result 0.
bool RefuseBody(BodyFault fault);

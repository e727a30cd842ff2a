// The station's current shift number as the host answers it (HostCommand::ShiftNumber).
#pragma once

#include <cstdint>

#include "tarvel/contract.h"

namespace tarvel::autosend {

// An Integer answer as it is; Empty as 0, as a conversion gives it; a Text answer that holds,
// between blanks, a decimal integer with an optional sign, that integer. Anything else (Null,
// other text, a number outside 32 bits) throws std::runtime_error with a Windows-1251 message
// for the operator.
int32_t shiftNumberFromHost(const HostVariant& answer);

}  // namespace tarvel::autosend

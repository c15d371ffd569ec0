#pragma once
// The syntax check of a scanned formula.
#include <cstdint>

#include "korvel/Slots.h"

namespace korvel {

// Reads the slot's tokens from position 0 to the first end marker; returns 0
// or an error code ecCloseBeforeOpen to ecBarCloseBeforeOpen.
int32_t CheckSyntax(const TLexSlot& slot);

}  // namespace korvel

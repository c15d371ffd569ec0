#include "korvel/Slots.h"

namespace korvel {

int32_t CurNumber = 1;
int32_t TokenCount = 0;
TLexSlot LexSlots[2];

TLexKind GetTokenKind(const TLexSlot& slot, int32_t Pos) {
  if (Pos < 0 || static_cast<size_t>(Pos) >= slot.Tokens.size()) return lxEnd;
  return slot.Tokens[static_cast<size_t>(Pos)].Kind;
}

uint8_t GetTokenCode(const TLexSlot& slot, int32_t Pos) {
  if (Pos < 0 || static_cast<size_t>(Pos) >= slot.Tokens.size()) return tcEnd;
  return slot.Tokens[static_cast<size_t>(Pos)].Code;
}

}  // namespace korvel

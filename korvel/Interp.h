#pragma once
// The two-stack evaluator of a compiled slot.
#include "korvel/Lex_an.h"

namespace korvel {

extern long double ArgX;
extern long double ParamA, ParamB, ParamC;
extern bool Draw;

// Evaluates a compiled slot at ArgX. A failed operation sets Draw to false and
// leaves 0 in place of its result; the result is always finite.
long double Calculate(TLexSlot& slot);

}  // namespace korvel

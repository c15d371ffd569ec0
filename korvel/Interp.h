#pragma once
// The two-stack evaluator of a compiled slot.
#include "korvel/Slots.h"

namespace korvel {

// a, b, c; finite (a NaN or infinity is kept as 0). Steps that read x point
// at XOperand until BuildSteps gives them step codes of their own.
extern long double XOperand;
extern long double ParamA, ParamB, ParamC;
extern bool Draw;

// Runs the two-stack reduction (an operator stack and an operand stack,
// reducing by priority) over the slot's tokens up to the first end marker,
// and records in Steps each operand push and each operator application in
// the order the reduction makes them. Which operator is applied when depends
// only on the tokens, never on a value, so this is done once per compile.
// Throws std::bad_alloc.
void BuildSteps(TLexSlot& slot);

// Evaluates a compiled slot at x (finite when the slot reads it) by replaying
// its Steps. A failed operation sets Draw to false and leaves 0 in place of
// its result; the result is always finite. status holds the x87 status word
// on entry and receives it after.
long double Calculate(TLexSlot& slot, const long double& x, uint16_t& status);

}  // namespace korvel

#pragma once
// The prepared text, as the parser reads it (PrepareExpression is public).
#include <string>

namespace orv_engine {

// The preparation of an operand of a prepared text: removes the brackets that
// enclose it as a whole.
void StripEnclosingBrackets(std::string& S);

}  // namespace orv_engine

// Preparation: the text rewritten into the form the parser reads (lower case,
// explicit products, balanced brackets with the enclosing ones removed, a
// leading or bracketed "-" given its 0).
#include "orvanta/engine/FormulaPrepare.h"

#include <cstdint>

#include "orvanta/engine/FormulaLexer.h"
#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

namespace orv_engine {
namespace {

// The least depth of a text starts here, so that no more enclosing brackets
// than this are removed; a deeper formula keeps the rest and is incorrect.
constexpr int64_t kMaxEnclosingDepth = 32765;

// Removes the minDepth brackets that enclose a balanced text whose every
// other token lies at least that deep; a text of brackets alone becomes empty.
void DropEnclosingBrackets(std::string& S, int64_t minDepth) {
  if (minDepth <= 0) return;
  if (minDepth > static_cast<int64_t>(S.size()) / 2) {
    S.clear();
    return;
  }
  const size_t m = static_cast<size_t>(minDepth);
  S = S.substr(m, S.size() - 2 * m);
}

}  // namespace

// The preparation of an operand of a prepared text: its products are already
// explicit, its brackets balanced and no "(-" is left in it, so of all the
// steps only the removal of enclosing brackets can change it. Brackets are
// one-character tokens and every other token lies at one depth, so a scan of
// the characters finds the least depth.
void StripEnclosingBrackets(std::string& S) {
  int64_t depth = 0;
  int64_t minDepth = kMaxEnclosingDepth;
  for (char c : S) {
    if (c == '(') ++depth;
    else if (c == ')') --depth;
    else if (depth < minDepth) minDepth = depth;
  }
  DropEnclosingBrackets(S, minDepth);
}

}  // namespace orv_engine

using orv_engine::LexAt;
using orv_engine::Token;

void PrepareExpression(std::string& S, int32_t& Err) {
  if (S.empty() || S.size() > orv_engine::kMaxTextLength) {
    Err = errIncorrect;
    return;
  }
  for (char& c : S)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');

  // Explicit products: a number, x or ")" directly before a function, x or "(".
  {
    std::string out;
    out.reserve(S.size() + S.size() / 2 + 1);
    size_t p = 0;
    const size_t n = S.size();
    while (p < n) {
      const Token t = LexAt(S, p, false);
      out.append(S, p, t.len);
      p += t.len;
      if (p < n && (t.kind == lkNumber || t.kind == lkX || t.kind == lkClose)) {
        const Token next = LexAt(S, p, false);
        if (next.kind == lkFunction || next.kind == lkX || next.kind == lkOpen) out += '*';
      }
    }
    if (out.size() > orv_engine::kMaxTextLength) {
      Err = errIncorrect;
      return;
    }
    S.swap(out);
  }

  // Brackets: balanced, and the least depth of any other token.
  int64_t depth = 0;
  int64_t minDepth = orv_engine::kMaxEnclosingDepth;
  for (size_t p = 0; p < S.size();) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkOpen) {
      ++depth;
    } else if (t.kind == lkClose) {
      if (--depth < 0) {
        Err = errBrackets;
        return;
      }
    } else if (depth < minDepth) {
      minDepth = depth;
    }
    p += t.len;
  }
  if (depth != 0) {
    Err = errBrackets;
    return;
  }

  orv_engine::DropEnclosingBrackets(S, minDepth);
  if (S.empty()) {
    Err = errIncorrect;
    return;
  }

  if (S[0] == '-') S.insert(S.begin(), '0');

  // "(-" becomes "(0-"; a replacement never forms a new pair, so one pass does.
  if (S.find("(-") != std::string::npos) {
    std::string out;
    out.reserve(S.size() + 16);
    for (size_t i = 0; i < S.size(); ++i) {
      out += S[i];
      if (S[i] == '(' && i + 1 < S.size() && S[i + 1] == '-') out += '0';
    }
    S.swap(out);
  }
}

#include "orvanta/engine/FunctionUnit.h"

#include <unistd.h>

#include <cstring>

#include "orvanta/engine/EngineMath.h"
#include "orvanta/engine/FuncsUnit.h"

using orv_engine::Finite;

std::string ProgramDir;

std::string ExecutableDir() {
  std::string path(4096, '\0');
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return "./";
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

namespace {

// Positions are 32-bit: longer texts are refused as incorrect.
constexpr size_t kMaxTextLength = 0x3fffffff;

// The least depth of a text starts here, so that no more enclosing brackets
// than this are removed; a deeper formula keeps the rest and is incorrect.
constexpr int64_t kMaxEnclosingDepth = 32765;

inline bool IsDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// One token of S at the 0-based offset p < S.size(). Without wantValue the
// value of a number is not computed (its kind still is: a digit run too long
// to be sure it fits the extended range is converted anyway).
void Lex(const std::string& S, size_t p, int32_t& Kind, int32_t& Priority, int32_t& Len, int32_t& FuncIndex,
         long double& Value, bool wantValue) {
  const size_t n = S.size();
  const char c = S[p];
  if (IsDigitOrPoint(c)) {
    size_t q = p;
    bool point = false;
    bool bad = false;
    while (q < n && IsDigitOrPoint(S[q])) {
      if (S[q] == '.') {
        if (q == p || point) bad = true;
        point = true;
      }
      ++q;
    }
    // An invalid number takes its whole run of digits and points.
    Len = static_cast<int32_t>(q - p);
    if (bad) return;
    if (wantValue || q - p > 4000) {
      long double v;
      if (!orv_engine::DecimalToExt(S.data() + p, q - p, &v)) return;  // beyond the extended range
      if (wantValue) Value = v;
    }
    Kind = lkNumber;
    return;
  }
  Len = 1;
  switch (c) {
    case '+': Kind = lkPlus; Priority = 1; return;
    case '-': Kind = lkMinus; Priority = 1; return;
    case '*': Kind = lkMul; Priority = 2; return;
    case '/': Kind = lkDiv; Priority = 2; return;
    case '^': Kind = lkPower; Priority = 3; return;
    case '@': Kind = lkRoot; Priority = 3; return;
    case '(': Kind = lkOpen; return;
    case ')': Kind = lkClose; return;
    default: break;
  }
  for (int32_t i = 1; i <= 17; ++i) {
    const char* name = FuncNames[i];
    if (name[0] != c) continue;
    const size_t len = std::strlen(name);
    if (p + len <= n && std::memcmp(S.data() + p, name, len) == 0) {
      Kind = lkFunction;
      Priority = 4;
      Len = static_cast<int32_t>(len);
      FuncIndex = i;
      return;
    }
  }
  switch (c) {
    case 'p': Kind = lkNumber; if (wantValue) Value = orv_engine::kPi; return;
    case 'e': Kind = lkNumber; if (wantValue) Value = orv_engine::kE; return;
    case 'x': Kind = lkX; return;
    default: return;  // invalid
  }
}

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

struct Token {
  int32_t kind = 0, priority = 0, len = 0, func = 0;
  long double value = 0;
};

inline Token LexAt(const std::string& S, size_t p, bool wantValue) {
  Token t;
  Lex(S, p, t.kind, t.priority, t.len, t.func, t.value, wantValue);
  if (t.len < 1) t.len = 1;
  return t;
}

}  // namespace

void GetLexem(const std::string& S, int32_t Start, int32_t& Kind, int32_t& Priority, int32_t& Len,
              int32_t& FuncIndex, long double& Value) {
  Kind = 0;
  Priority = 0;
  Len = 0;
  if (Start < 1 || static_cast<size_t>(Start) > S.size()) {
    // The end of the text reads as one invalid character.
    if (Start >= 1 && static_cast<size_t>(Start) == S.size() + 1) Len = 1;
    return;
  }
  Lex(S, static_cast<size_t>(Start - 1), Kind, Priority, Len, FuncIndex, Value, true);
}

void PrepareExpression(std::string& S, int32_t& Err) {
  if (S.empty() || S.size() > kMaxTextLength) {
    Err = 1;
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
    if (out.size() > kMaxTextLength) {
      Err = 1;
      return;
    }
    S.swap(out);
  }

  // Brackets: balanced, and the least depth of any other token.
  int64_t depth = 0;
  int64_t minDepth = kMaxEnclosingDepth;
  for (size_t p = 0; p < S.size();) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkOpen) {
      ++depth;
    } else if (t.kind == lkClose) {
      if (--depth < 0) {
        Err = 2;
        return;
      }
    } else if (depth < minDepth) {
      minDepth = depth;
    }
    p += t.len;
  }
  if (depth != 0) {
    Err = 2;
    return;
  }

  DropEnclosingBrackets(S, minDepth);
  if (S.empty()) {
    Err = 1;
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

// ---------------------------------------------------------------------------
// objFunc

// The preparation of an operand of a prepared text: its products are already
// explicit, its brackets balanced and no "(-" is left in it, so of all the
// steps only the removal of enclosing brackets can change it. Brackets are
// one-character tokens and every other token lies at one depth, so a scan of
// the characters finds the least depth.
static void StripEnclosingBrackets(std::string& S) {
  int64_t depth = 0;
  int64_t minDepth = kMaxEnclosingDepth;
  for (char c : S) {
    if (c == '(') ++depth;
    else if (c == ')') --depth;
    else if (depth < minDepth) minDepth = depth;
  }
  DropEnclosingBrackets(S, minDepth);
}

void objFunc::ParseText(std::string S, bool prepared) {
  if (ErrorCode > 0) return;
  if (!prepared) StripEnclosingBrackets(S);
  if (S.empty()) {
    ErrorCode = 1;
    return;
  }
  const size_t n = S.size();
  const Token first = LexAt(S, 0, true);
  if (first.kind == lkInvalid) {
    ErrorCode = 1;
    return;
  }
  if (static_cast<size_t>(first.len) == n) {
    if (first.kind != lkX && first.kind != lkNumber) {
      ErrorCode = 1;
      return;
    }
    if (NodePos < 1 || NodePos > MaxFuncNodes) {
      ErrorCode = 1;
      return;
    }
    TFuncNode& node = Nodes[NodePos];
    if (first.kind == lkX) {
      node.Kind = 4;
      node.Code = 0;
      node.Value = 0;
      HasX = true;
    } else {
      node.Kind = 1;
      node.Code = 0;
      node.Value = first.value;
    }
    ++NodePos;
    return;
  }

  // Split at the loosest operator at depth 0: the last one of priorities
  // 1 to 3, else the first function, which must open the text. One scan
  // gathers every level's candidate.
  size_t cand[5] = {0, 0, 0, 0, 0};  // 1-based positions, 0 = none
  Token candTok[5];
  int64_t depth = 0;
  for (size_t p = 0; p < n;) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkInvalid) {
      ErrorCode = 1;
      return;
    }
    if (t.kind == lkOpen) {
      ++depth;
    } else if (t.kind == lkClose) {
      --depth;
    } else if (depth == 0 && t.kind >= lkPlus && t.kind <= lkFunction) {
      if (t.priority < 4 || cand[4] == 0) {
        cand[t.priority] = p + 1;
        candTok[t.priority] = t;
      }
    }
    p += t.len;
  }
  int level = 0;
  for (int i = 1; i <= 4; ++i)
    if (cand[i]) {
      level = i;
      break;
    }
  if (level == 0 || (level == 4 && cand[4] != 1)) {
    ErrorCode = 1;
    return;
  }
  if (NodePos < 1 || NodePos > MaxFuncNodes) {
    ErrorCode = 1;
    return;
  }
  const Token& t = candTok[level];
  const size_t at = cand[level] - 1;
  TFuncNode& node = Nodes[NodePos];
  node.Value = 0;
  if (t.kind == lkFunction) {
    node.Kind = 3;
    node.Code = t.func;
    if (t.func > 12) NonDiff = true;
  } else {
    node.Kind = 2;
    node.Code = t.kind - 1;
  }
  ++NodePos;
  // The operand texts are disjoint pieces of S; S itself is released first,
  // so that deep formulas hold no more than one copy of the text.
  std::string right = S.substr(at + t.len);
  if (t.kind == lkFunction) {
    S.clear();
    S.shrink_to_fit();
    ParseText(std::move(right));
  } else {
    S.resize(at);
    S.shrink_to_fit();
    ParseText(std::move(S));
    ParseText(std::move(right));
  }
}

void objFunc::Parse(std::string& S) {
  if (ErrorCode > 0) return;
  parsed_ = false;
  if (NodePos < 1) NodePos = 1;
  const int32_t start = NodePos;
  int32_t err = 0;
  PrepareExpression(S, err);
  if (err) {
    ErrorCode = err;
    return;
  }
  // A formula has one node per number, x, operator and function; one that
  // needs more than the array holds (or has an invalid token) is incorrect.
  int64_t nodes = 0;
  for (size_t p = 0; p < S.size();) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkInvalid) {
      ErrorCode = 1;
      return;
    }
    if (t.kind != lkOpen && t.kind != lkClose) ++nodes;
    p += t.len;
  }
  if (nodes > MaxFuncNodes - start + 1) {
    ErrorCode = 1;
    return;
  }
  ParseText(S, true);
  if (ErrorCode != 0) return;
  nodeCount_ = NodePos - 1;
  parsed_ = Compile();
}

// ---------------------------------------------------------------------------
// The program. Operands of an operation are the value stack (S), a constant
// of the instruction (C) or x (X); leaves never fail, so folding them into the
// operation keeps the evaluation order of every failing step. The top of the
// stack is kept apart (the accumulator), so most steps touch no memory.
//
// Evaluation runs first without testing the results of + - * / and of the
// squares and cubes: a non-finite value that they make (the sign of an
// overflow or an invalid operation, every operand being finite) is carried on
// by them into the final value. Only the operations that could hide it test their operands: the
// divisor, and the operands of powers, roots and functions. When that run ends
// in an error or a non-finite value it is repeated with every result tested,
// which finds the first failing operation exactly.

namespace {

enum : std::uint8_t {
  // D: the constant in its double form; T: a term D*x^k (k 1 to 3 in Code,
  // with a second constant in C for TC and CT).
  kModeSS = 0, kModeSC, kModeSX, kModeCS, kModeXS, kModeCX, kModeXC, kModeXX, kModeSD, kModeDS, kModeDX, kModeXD,
  kModeST, kModeTS, kModeTC, kModeCT, kModes,
  // Binary operations are kModes * (code - 1) + mode, code 1..6.
  kPushC = 6 * kModes, kPushD, kPushX, kPushT, kFuncS, kFuncX, kSqrS, kSqrX, kCubeS, kCubeX, kEnd,
  // The same as the first step, where the stack is empty: nothing to push.
  kLoadC, kLoadD, kLoadX, kLoadT, kLoadFuncX
};

// Finiteness where a non-finite value means a fault already made: the
// subtraction raises the invalid-operation flag only then, and the failure
// path clears the flags.
inline bool FastFinite(long double v) { return v - v == 0; }

template <bool Careful>
inline bool Checked(long double r, int32_t& e) {
  if (Careful && __builtin_expect(!Finite(r), 0)) {
    e = orv_engine::kFault;
    return false;
  }
  return true;
}

template <bool Careful>
inline bool OpAdd(long double a, long double b, long double& r, int32_t& e) {
  r = a + b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpSub(long double a, long double b, long double& r, int32_t& e) {
  r = a - b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpMul(long double a, long double b, long double& r, int32_t& e) {
  r = a * b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpDiv(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(b), 0)) {  // a finite value over it would hide it
    e = orv_engine::kFault;
    return false;
  }
  if (__builtin_expect(b == 0, 0)) {
    e = 3;
    return false;
  }
  r = a / b;
  return Checked<Careful>(r, e);
}
template <bool Careful>
inline bool OpPow(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a) || !FastFinite(b), 0)) {
    e = orv_engine::kFault;
    return false;
  }
  int32_t err = 0;
  r = orv_engine::Power(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
template <bool Careful>
inline bool OpRoot(long double a, long double b, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a) || !FastFinite(b), 0)) {
    e = orv_engine::kFault;
    return false;
  }
  int32_t err = 0;
  r = orv_engine::Root(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
inline bool OpBinary(int32_t code, long double a, long double b, long double& r, int32_t& e) {
  switch (code) {
    case 1: return OpAdd<true>(a, b, r, e);
    case 2: return OpSub<true>(a, b, r, e);
    case 3: return OpMul<true>(a, b, r, e);
    case 4: return OpDiv<true>(a, b, r, e);
    case 5: return OpPow<true>(a, b, r, e);
    case 6: return OpRoot<true>(a, b, r, e);
    default: e = 1; return false;
  }
}
template <bool Careful>
inline bool OpSqr(long double a, long double& r, int32_t& e) {
  r = a * a;
  return Checked<Careful>(r, e);
}
inline long double Cube(long double a) { return a == 0 ? 0 : a * a * a; }  // 0^3 is +0 like every power of 0

template <bool Careful>
inline bool OpCube(long double a, long double& r, int32_t& e) {
  r = Cube(a);
  return Checked<Careful>(r, e);
}

// A term D*x^k of the first run: the same operations as x^k, then D times it.
inline long double Term(const objFunc::TInstr& in, long double X) {
  const long double d = in.D;
  switch (in.Code) {
    case 1: return d * X;
    case 2: return d * (X * X);
    default: return d * Cube(X);
  }
}
template <bool Careful>
inline bool OpFunc(int32_t code, long double a, long double& r, int32_t& e) {
  if (!Careful && __builtin_expect(!FastFinite(a), 0)) {
    e = orv_engine::kFault;
    return false;
  }
  int32_t err = 0;
  r = orv_engine::Function(code, err, a);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}

// Runs the program at X (it ends with kEnd). Returns 0 with the value in
// res, or the code of the failing step with its index in failAt. (A switch
// keeps the accumulator in a register of the x87 stack; jumps through a
// table of labels would not.)
template <bool Careful>
[[gnu::always_inline]] inline int32_t Run(const objFunc::TInstr* prog, const long double X, long double& res,
                                          int32_t& failAt) {
  long double st[MaxFuncNodes + 1];
  int sp = 0;
  long double acc = X;  // any value: the first step pushes it unread
  int32_t err = 0;
  const objFunc::TInstr* ip = prog;
  for (;; ++ip) {
    long double r;
    switch (ip->Op) {
#define ORV_BIN_CASES(CODE, FN)                                 \
  case kModes * (CODE - 1) + kModeSS:                                \
    if (!FN<Careful>(st[--sp], acc, r, err)) goto fail;         \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeSC:                                \
    if (!FN<Careful>(acc, ip->C, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeSX:                                \
    if (!FN<Careful>(acc, X, r, err)) goto fail;                \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeCS:                                \
    if (!FN<Careful>(ip->C, acc, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeXS:                                \
    if (!FN<Careful>(X, acc, r, err)) goto fail;                \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeCX:                                \
    if (!FN<Careful>(ip->C, X, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeXC:                                \
    if (!FN<Careful>(X, ip->C, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeXX:                                \
    if (!FN<Careful>(X, X, r, err)) goto fail;                  \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeSD:                           \
    if (!FN<Careful>(acc, ip->D, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeDS:                           \
    if (!FN<Careful>(ip->D, acc, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeDX:                           \
    if (!FN<Careful>(ip->D, X, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeXD:                           \
    if (!FN<Careful>(X, ip->D, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeST:                           \
    if (!FN<Careful>(acc, Term(*ip, X), r, err)) goto fail;     \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeTS:                           \
    if (!FN<Careful>(Term(*ip, X), acc, r, err)) goto fail;     \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeTC:                           \
    if (!FN<Careful>(Term(*ip, X), ip->C, r, err)) goto fail;   \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - 1) + kModeCT:                           \
    if (!FN<Careful>(ip->C, Term(*ip, X), r, err)) goto fail;   \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;
      ORV_BIN_CASES(1, OpAdd)
      ORV_BIN_CASES(2, OpSub)
      ORV_BIN_CASES(3, OpMul)
      ORV_BIN_CASES(4, OpDiv)
      ORV_BIN_CASES(5, OpPow)
      ORV_BIN_CASES(6, OpRoot)
#undef ORV_BIN_CASES
      case kPushC:
        st[sp++] = acc;
        acc = ip->C;
        break;
      case kPushD:
        st[sp++] = acc;
        acc = ip->D;
        break;
      case kPushX:
        st[sp++] = acc;
        acc = X;
        break;
      case kPushT:
        st[sp++] = acc;
        acc = Term(*ip, X);
        break;
      case kFuncS:
        if (!OpFunc<Careful>(ip->Code, acc, r, err)) goto fail;
        acc = r;
        break;
      case kFuncX:
        if (!OpFunc<Careful>(ip->Code, X, r, err)) goto fail;
        st[sp++] = acc;
        acc = r;
        break;
      case kSqrS:
        if (!OpSqr<Careful>(acc, r, err)) goto fail;
        acc = r;
        break;
      case kSqrX:
        if (!OpSqr<Careful>(X, r, err)) goto fail;
        st[sp++] = acc;
        acc = r;
        break;
      case kCubeS:
        if (!OpCube<Careful>(acc, r, err)) goto fail;
        acc = r;
        break;
      case kCubeX:
        if (!OpCube<Careful>(X, r, err)) goto fail;
        st[sp++] = acc;
        acc = r;
        break;
      case kLoadC:
        acc = ip->C;
        break;
      case kLoadD:
        acc = ip->D;
        break;
      case kLoadX:
        acc = X;
        break;
      case kLoadT:
        acc = Term(*ip, X);
        break;
      case kLoadFuncX:
        if (!OpFunc<Careful>(ip->Code, X, r, err)) goto fail;
        acc = r;
        break;
      case kEnd:
        res = acc;
        return 0;
      default:
        __builtin_unreachable();  // programs are built by CompileProgram alone
    }
  }
fail:
  failAt = static_cast<int32_t>(ip - prog);
  res = acc;
  return err;
}

enum : int { kOnStack, kConst, kX, kTerm };

struct Operand {
  int kind = kOnStack;
  long double c = 0;  // the constant, or the factor of a term
  int32_t k = 0;      // the power of a term
};

inline bool ExactDouble(long double c) { return static_cast<long double>(static_cast<double>(c)) == c; }

// The tree of nodes [1, count] as a program ending with kEnd. The careful
// program keeps every operation of the tree; the fast one (for the first
// run) also gathers terms D*x^k into single steps, which changes no value.
bool CompileProgram(const TFuncNode* nodes, int32_t count, bool fast, objFunc::TInstr* prog, int32_t& len) {
  len = 0;
  int32_t pos = 1;
  bool ok = true;
  auto emit = [&](std::uint8_t op, int32_t code, long double c) {
    if (len >= MaxFuncNodes) {
      ok = false;
      return;
    }
    prog[len].Op = op;
    prog[len].Code = code;
    prog[len].C = c;
    prog[len].D = static_cast<double>(c);
    ++len;
  };
  // Puts a leaf operand on the stack.
  auto materialize = [&](Operand& a) {
    switch (a.kind) {
      case kConst: emit(ExactDouble(a.c) ? kPushD : kPushC, 0, a.c); break;
      case kX: emit(kPushX, 0, 0); break;
      case kTerm: emit(kPushT, a.k, a.c); break;
      default: break;
    }
    a.kind = kOnStack;
  };
  auto isPlainPower = [](const Operand& a) { return a.kind == kX || (a.kind == kTerm && a.c == 1); };
  auto powerOf = [](const Operand& a) { return a.kind == kX ? 1 : a.k; };
  // Recursion depth is bounded by the node count.
  auto gen = [&](auto& self, Operand& out) -> void {
    if (!ok || pos < 1 || pos > count) {
      ok = false;
      return;
    }
    const TFuncNode node = nodes[pos++];
    switch (node.Kind) {
      case 1:
        out = {kConst, node.Value, 0};
        return;
      case 4:
        out = {kX, 0, 0};
        return;
      case 2: {
        if (node.Code < 1 || node.Code > 6) {
          ok = false;
          return;
        }
        Operand a, b;
        self(self, a);
        self(self, b);
        if (!ok) return;
        if (a.kind == kConst && b.kind == kConst) {
          long double r;
          int32_t e = 0;
          if (OpBinary(node.Code, a.c, b.c, r, e)) {
            out = {kConst, r, 0};
            return;
          }
          materialize(a);  // fails when evaluated, in its place
        }
        if (node.Code == 5 && b.kind == kConst && (b.c == 2 || b.c == 3) && a.kind != kConst) {
          const int32_t k = b.c == 2 ? 2 : 3;
          if (fast && a.kind == kX) {
            out = {kTerm, 1, k};
            return;
          }
          if (a.kind == kX) {
            emit(k == 2 ? kSqrX : kCubeX, 0, 0);
          } else {
            materialize(a);
            emit(k == 2 ? kSqrS : kCubeS, 0, 0);
          }
          out = {kOnStack, 0, 0};
          return;
        }
        if (fast && node.Code == 3) {
          // D*x^k and x^k*D: one term.
          if (a.kind == kConst && ExactDouble(a.c) && isPlainPower(b)) {
            out = {kTerm, a.c, powerOf(b)};
            return;
          }
          if (b.kind == kConst && ExactDouble(b.c) && isPlainPower(a)) {
            out = {kTerm, b.c, powerOf(a)};
            return;
          }
        }
        out = {kOnStack, 0, 0};
        if ((a.kind == kTerm && b.kind == kConst) || (a.kind == kConst && b.kind == kTerm)) {
          // A term with a constant: one step.
          const Operand& t = a.kind == kTerm ? a : b;
          const Operand& k = a.kind == kTerm ? b : a;
          emit(static_cast<std::uint8_t>(kModes * (node.Code - 1) + (a.kind == kTerm ? kModeTC : kModeCT)), t.k, k.c);
          if (ok) prog[len - 1].D = static_cast<double>(t.c);
          return;
        }
        if (a.kind == kTerm && b.kind != kOnStack) materialize(a);
        if (b.kind == kTerm && a.kind != kOnStack) materialize(a);
        int mode;
        long double c = 0;
        int32_t code = 0;
        if (a.kind == kOnStack && b.kind == kOnStack) {
          mode = kModeSS;
        } else if (a.kind == kOnStack) {
          c = b.c;
          if (b.kind == kConst) mode = ExactDouble(b.c) ? kModeSD : kModeSC;
          else if (b.kind == kX) mode = kModeSX;
          else mode = kModeST, code = b.k;
        } else if (b.kind == kOnStack) {
          c = a.c;
          if (a.kind == kConst) mode = ExactDouble(a.c) ? kModeDS : kModeCS;
          else if (a.kind == kX) mode = kModeXS;
          else mode = kModeTS, code = a.k;
        } else if (a.kind == kConst) {
          mode = ExactDouble(a.c) ? kModeDX : kModeCX, c = a.c;
        } else if (b.kind == kConst) {
          mode = ExactDouble(b.c) ? kModeXD : kModeXC, c = b.c;
        } else {
          mode = kModeXX;
        }
        emit(static_cast<std::uint8_t>(kModes * (node.Code - 1) + mode), code, c);
        return;
      }
      case 3: {
        if (node.Code < 1 || node.Code > 17) {
          ok = false;
          return;
        }
        Operand a;
        self(self, a);
        if (!ok) return;
        if (a.kind == kConst) {
          long double r;
          int32_t e = 0;
          if (OpFunc<true>(node.Code, a.c, r, e)) {
            out = {kConst, r, 0};
            return;
          }
        }
        if (a.kind == kX) {
          emit(kFuncX, node.Code, 0);
        } else {
          materialize(a);
          emit(kFuncS, node.Code, 0);
        }
        out = {kOnStack, 0, 0};
        return;
      }
      default:
        ok = false;
        return;
    }
  };
  Operand root;
  gen(gen, root);
  if (!ok) return false;  // (nodes after the tree, from a parse without Reset, are not read)
  materialize(root);
  if (!ok) return false;
  switch (prog[0].Op) {
    case kPushC: prog[0].Op = kLoadC; break;
    case kPushD: prog[0].Op = kLoadD; break;
    case kPushX: prog[0].Op = kLoadX; break;
    case kPushT: prog[0].Op = kLoadT; break;
    case kFuncX: prog[0].Op = kLoadFuncX; break;
    default: break;
  }
  prog[len].Op = kEnd;  // one slot past the last step is always free
  return true;
}

}  // namespace

bool objFunc::Compile() {
  orv_engine::FpFlagsGuard guard;  // folding constants may fault
  int32_t fastLen = 0;
  if (!CompileProgram(Nodes, nodeCount_, false, prog_, progLen_) ||
      !CompileProgram(Nodes, nodeCount_, true, fast_, fastLen))
    return false;
  usesX_ = false;
  for (int32_t i = 1; i <= nodeCount_; ++i)
    if (Nodes[i].Kind == 4) usesX_ = true;
  return true;
}

namespace {

[[gnu::noinline]] int32_t RunCareful(const objFunc::TInstr* prog, long double X, long double& res, int32_t& failAt) {
  return Run<true>(prog, X, res, failAt);
}

}  // namespace

void objFunc::Calc(long double& Res, long double X) {
  if (ErrorCode > 0) return;
  if (!parsed_ || NodePos != 1 || progLen_ < 1) {
    ErrorCode = 1;  // nothing parsed, or the cursor is not at the tree
    return;
  }
  long double r = 0;
  int32_t failAt = -1;
  int32_t err = Run<false>(fast_, X, r, failAt);
  if (__builtin_expect(err == 0 && FastFinite(r), 1)) {
    Res = r;
    NodePos = nodeCount_ + 1;
    return;
  }
  // Some step failed: find the first failure exactly. A fault leaves the
  // overflow or invalid-operation flag raised (division by zero is always
  // caught before it is made), which is cleared so that callers never see it.
  if (usesX_ && !Finite(X)) {
    // No value of the formula at a non-finite x (the first run always
    // ends here for one: every step that could hide it tests its operands).
    feclearexcept(FE_OVERFLOW | FE_INVALID);
    ErrorCode = orv_engine::kFault;
    return;
  }
  err = RunCareful(prog_, X, r, failAt);
  if (err == orv_engine::kFault) feclearexcept(FE_OVERFLOW | FE_INVALID);
  if (err == 0) {
    Res = r;
    NodePos = nodeCount_ + 1;
    return;
  }
  ErrorCode = err;
  // The outermost operation writes its result 0 for a guarded failure (and a
  // function always); every inner failure leaves the caller's Res alone.
  const std::uint8_t op = prog_[failAt].Op;
  if (failAt == progLen_ - 1 && (err != orv_engine::kFault || op == kFuncS || op == kFuncX || op == kLoadFuncX)) Res = 0;
}

#include "orvanta/engine/FunctionUnit.h"

#include <unistd.h>

#include <climits>
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
  if (Start < 1 || static_cast<size_t>(Start) > S.size()) return;  // the end of the text reads as invalid
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
  int64_t minDepth = INT64_MAX;
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

  // Enclosing brackets; a text of brackets alone becomes empty.
  if (minDepth > 0) {
    if (minDepth > static_cast<int64_t>(S.size()) / 2) {
      S.clear();
    } else {
      const size_t m = static_cast<size_t>(minDepth);
      S = S.substr(m, S.size() - 2 * m);
    }
  }
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

void objFunc::Reset() {
  ErrorCode = 0;
  NodePos = 1;
  HasX = false;
  NonDiff = false;
}

void objFunc::ParseText(std::string S) {
  if (ErrorCode > 0) return;
  int32_t err = 0;
  PrepareExpression(S, err);
  if (err) {
    ErrorCode = err;
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
  ParseText(S);
  if (ErrorCode != 0) return;
  nodeCount_ = NodePos - 1;
  parsed_ = Compile();
}

// ---------------------------------------------------------------------------
// The program. Operands of an operation are on the value stack (S), a
// constant of the instruction (C) or x (X); leaves never fail, so folding them
// into the operation keeps the evaluation order of every failing step.

namespace {

enum : std::uint8_t {
  kModeSS = 0, kModeSC, kModeSX, kModeCS, kModeXS, kModeCX, kModeXC, kModeXX,
  // Binary operations are 8 * code + mode, code 1..6.
  kPushC = 64, kPushX, kFuncS, kFuncX, kSqrS, kSqrX, kCubeS, kCubeX
};

inline bool OpAdd(long double a, long double b, long double& r, int32_t& e) {
  r = a + b;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpSub(long double a, long double b, long double& r, int32_t& e) {
  r = a - b;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpMul(long double a, long double b, long double& r, int32_t& e) {
  r = a * b;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpDiv(long double a, long double b, long double& r, int32_t& e) {
  if (__builtin_expect(b == 0, 0)) { e = 3; return false; }
  r = a / b;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpPow(long double a, long double b, long double& r, int32_t& e) {
  int32_t err = 0;
  r = orv_engine::Power(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
inline bool OpRoot(long double a, long double b, long double& r, int32_t& e) {
  int32_t err = 0;
  r = orv_engine::Root(err, a, b);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}
inline bool OpBinary(int32_t code, long double a, long double b, long double& r, int32_t& e) {
  switch (code) {
    case 1: return OpAdd(a, b, r, e);
    case 2: return OpSub(a, b, r, e);
    case 3: return OpMul(a, b, r, e);
    case 4: return OpDiv(a, b, r, e);
    case 5: return OpPow(a, b, r, e);
    case 6: return OpRoot(a, b, r, e);
    default: e = 1; return false;
  }
}
inline bool OpSqr(long double a, long double& r, int32_t& e) {
  r = a * a;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpCube(long double a, long double& r, int32_t& e) {
  r = a == 0 ? 0 : a * a * a;
  if (__builtin_expect(!Finite(r), 0)) { e = orv_engine::kFault; return false; }
  return true;
}
inline bool OpFunc(int32_t code, long double a, long double& r, int32_t& e) {
  int32_t err = 0;
  r = orv_engine::Function(code, err, a);
  if (__builtin_expect(err != 0, 0)) { e = err; return false; }
  return true;
}

struct Operand {
  int mode;  // 0 on the stack, 1 constant, 2 x
  long double c;
};

}  // namespace

bool objFunc::Compile() {
  orv_engine::FpFlagsGuard guard;  // folding constants may fault
  progLen_ = 0;
  int32_t pos = 1;
  bool ok = true;
  auto emit = [&](std::uint8_t op, int32_t code, long double c) {
    if (progLen_ >= MaxFuncNodes) {
      ok = false;
      return;
    }
    prog_[progLen_].Op = op;
    prog_[progLen_].Code = code;
    prog_[progLen_].C = c;
    ++progLen_;
  };
  // Recursion depth is bounded by the node count.
  auto gen = [&](auto& self, Operand& out) -> void {
    if (!ok || pos < 1 || pos > nodeCount_) {
      ok = false;
      return;
    }
    const TFuncNode node = Nodes[pos++];
    switch (node.Kind) {
      case 1:
        out = {1, node.Value};
        return;
      case 4:
        out = {2, 0};
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
        if (a.mode == 1 && b.mode == 1) {
          long double r;
          int32_t e = 0;
          if (OpBinary(node.Code, a.c, b.c, r, e)) {
            out = {1, r};
            return;
          }
          emit(kPushC, 0, a.c);  // fails when evaluated, in its place
          a.mode = 0;
        }
        out = {0, 0};
        if (node.Code == 5 && b.mode == 1 && (b.c == 2 || b.c == 3) && a.mode != 1) {
          const bool sqr = b.c == 2;
          emit(a.mode == 0 ? (sqr ? kSqrS : kCubeS) : (sqr ? kSqrX : kCubeX), 0, 0);
          return;
        }
        int mode;
        long double c = 0;
        if (a.mode == 0 && b.mode == 0) mode = kModeSS;
        else if (a.mode == 0) mode = b.mode == 1 ? kModeSC : kModeSX, c = b.c;
        else if (b.mode == 0) mode = a.mode == 1 ? kModeCS : kModeXS, c = a.c;
        else if (a.mode == 1) mode = kModeCX, c = a.c;
        else if (b.mode == 1) mode = kModeXC, c = b.c;
        else mode = kModeXX;
        emit(static_cast<std::uint8_t>(8 * node.Code + mode), 0, c);
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
        if (a.mode == 1) {
          long double r;
          int32_t e = 0;
          if (OpFunc(node.Code, a.c, r, e)) {
            out = {1, r};
            return;
          }
          emit(kPushC, 0, a.c);
          a.mode = 0;
        }
        emit(a.mode == 0 ? kFuncS : kFuncX, node.Code, 0);
        out = {0, 0};
        return;
      }
      default:
        ok = false;
        return;
    }
  };
  Operand root{0, 0};
  gen(gen, root);
  if (!ok || pos != nodeCount_ + 1) return false;
  if (root.mode == 1) emit(kPushC, 0, root.c);
  else if (root.mode == 2) emit(kPushX, 0, 0);
  usesX_ = false;
  for (int32_t i = 0; i < progLen_; ++i) {
    const std::uint8_t op = prog_[i].Op;
    if (op == kPushX || op == kFuncX || op == kSqrX || op == kCubeX ||
        (op < kPushC && (op % 8 == kModeSX || op % 8 >= kModeXS)))
      usesX_ = true;
  }
  return ok;
}

void objFunc::Calc(long double& Res, long double X) {
  if (ErrorCode > 0) return;
  if (!parsed_ || NodePos != 1 || progLen_ < 1) {
    ErrorCode = 1;  // nothing parsed, or the cursor is not at the tree
    return;
  }
  if (usesX_ && !Finite(X)) {
    ErrorCode = orv_engine::kFault;  // no value of the formula at a non-finite x
    return;
  }
  const int before = fetestexcept(orv_engine::kFaultFlags);
  long double st[MaxFuncNodes + 1];
  int sp = 0;
  int32_t err = 0;
  const TInstr* ip = prog_;
  const TInstr* const end = prog_ + progLen_;
  for (; ip != end; ++ip) {
    switch (ip->Op) {
#define ORV_BIN_CASES(CODE, FN)                                         \
  case 8 * CODE + kModeSS: {                                            \
    long double r;                                                      \
    const long double b = st[--sp];                                     \
    if (!FN(st[sp - 1], b, r, err)) goto fail;                          \
    st[sp - 1] = r;                                                     \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeSC: {                                            \
    long double r;                                                      \
    if (!FN(st[sp - 1], ip->C, r, err)) goto fail;                      \
    st[sp - 1] = r;                                                     \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeSX: {                                            \
    long double r;                                                      \
    if (!FN(st[sp - 1], X, r, err)) goto fail;                          \
    st[sp - 1] = r;                                                     \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeCS: {                                            \
    long double r;                                                      \
    if (!FN(ip->C, st[sp - 1], r, err)) goto fail;                      \
    st[sp - 1] = r;                                                     \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeXS: {                                            \
    long double r;                                                      \
    if (!FN(X, st[sp - 1], r, err)) goto fail;                          \
    st[sp - 1] = r;                                                     \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeCX: {                                            \
    long double r;                                                      \
    if (!FN(ip->C, X, r, err)) goto fail;                               \
    st[sp++] = r;                                                       \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeXC: {                                            \
    long double r;                                                      \
    if (!FN(X, ip->C, r, err)) goto fail;                               \
    st[sp++] = r;                                                       \
    break;                                                              \
  }                                                                     \
  case 8 * CODE + kModeXX: {                                            \
    long double r;                                                      \
    if (!FN(X, X, r, err)) goto fail;                                   \
    st[sp++] = r;                                                       \
    break;                                                              \
  }
      ORV_BIN_CASES(1, OpAdd)
      ORV_BIN_CASES(2, OpSub)
      ORV_BIN_CASES(3, OpMul)
      ORV_BIN_CASES(4, OpDiv)
      ORV_BIN_CASES(5, OpPow)
      ORV_BIN_CASES(6, OpRoot)
#undef ORV_BIN_CASES
      case kPushC:
        st[sp++] = ip->C;
        break;
      case kPushX:
        st[sp++] = X;
        break;
      case kFuncS: {
        long double r;
        if (!OpFunc(ip->Code, st[sp - 1], r, err)) goto fail;
        st[sp - 1] = r;
        break;
      }
      case kFuncX: {
        long double r;
        if (!OpFunc(ip->Code, X, r, err)) goto fail;
        st[sp++] = r;
        break;
      }
      case kSqrS: {
        long double r;
        if (!OpSqr(st[sp - 1], r, err)) goto fail;
        st[sp - 1] = r;
        break;
      }
      case kSqrX: {
        long double r;
        if (!OpSqr(X, r, err)) goto fail;
        st[sp++] = r;
        break;
      }
      case kCubeS: {
        long double r;
        if (!OpCube(st[sp - 1], r, err)) goto fail;
        st[sp - 1] = r;
        break;
      }
      case kCubeX: {
        long double r;
        if (!OpCube(X, r, err)) goto fail;
        st[sp++] = r;
        break;
      }
      default:
        err = 1;
        goto fail;
    }
  }
  Res = st[0];
  NodePos = nodeCount_ + 1;
  return;

fail:
  ErrorCode = err;
  // The outermost operation writes its result 0 for a guarded failure (and a
  // function always); every inner failure leaves the caller's Res alone.
  if (ip == end - 1 && (err != orv_engine::kFault || ip->Op == kFuncS || ip->Op == kFuncX))
    Res = 0;
  {
    const int raised = fetestexcept(orv_engine::kFaultFlags) & ~before;
    if (raised) feclearexcept(raised);
  }
}

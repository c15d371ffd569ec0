// The evaluator: Calc runs the program of a parsed objFunc at one x.
//
// Evaluation runs first without testing the results of + - * / and of the
// squares and cubes: a non-finite value that they make (the sign of an
// overflow or an invalid operation, every operand being finite) is carried on
// by them into the final value. Only the operations that could hide it test
// their operands: the divisor, and the operands of powers, roots and
// functions. When that run ends in an error or a non-finite value it is
// repeated with every result tested, which finds the first failing operation
// exactly.
#include <cfenv>
#include <cstdint>

#include "orvanta/engine/FormulaProgram.h"
#include "orvanta/engine/FunctionUnit.h"

namespace orv_engine {
namespace {

// Runs the program at X (it ends with kEnd). Returns 0 with the value in
// res, or the code of the failing step with its index in failAt. (A switch
// keeps the accumulator in a register of the x87 stack; jumps through a
// table of labels would not.)
template <bool Careful>
[[gnu::always_inline]] inline int32_t Run(const TInstr* prog, const long double X, long double& res,
                                          int32_t& failAt) {
  long double st[MaxFuncNodes + 1];
  int sp = 0;
  long double acc = X;  // any value: the first step pushes it unread
  int32_t err = 0;
  const TInstr* ip = prog;
  for (;; ++ip) {
    long double r;
    switch (ip->Op) {
#define ORV_BIN_CASES(CODE, FN)                                 \
  case kModes * (CODE - opAdd) + kModeSS:                                \
    if (!FN<Careful>(st[--sp], acc, r, err)) goto fail;         \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeSC:                                \
    if (!FN<Careful>(acc, ip->C, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeSX:                                \
    if (!FN<Careful>(acc, X, r, err)) goto fail;                \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeCS:                                \
    if (!FN<Careful>(ip->C, acc, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeXS:                                \
    if (!FN<Careful>(X, acc, r, err)) goto fail;                \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeCX:                                \
    if (!FN<Careful>(ip->C, X, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeXC:                                \
    if (!FN<Careful>(X, ip->C, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeXX:                                \
    if (!FN<Careful>(X, X, r, err)) goto fail;                  \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeSD:                           \
    if (!FN<Careful>(acc, ip->D, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeDS:                           \
    if (!FN<Careful>(ip->D, acc, r, err)) goto fail;            \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeDX:                           \
    if (!FN<Careful>(ip->D, X, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeXD:                           \
    if (!FN<Careful>(X, ip->D, r, err)) goto fail;              \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeST:                           \
    if (!FN<Careful>(acc, Term(*ip, X), r, err)) goto fail;     \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeTS:                           \
    if (!FN<Careful>(Term(*ip, X), acc, r, err)) goto fail;     \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeTC:                           \
    if (!FN<Careful>(Term(*ip, X), ip->C, r, err)) goto fail;   \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;                                                      \
  case kModes * (CODE - opAdd) + kModeCT:                           \
    if (!FN<Careful>(ip->C, Term(*ip, X), r, err)) goto fail;   \
    st[sp++] = acc;                                             \
    acc = r;                                                    \
    break;
      ORV_BIN_CASES(opAdd, OpAdd)
      ORV_BIN_CASES(opSub, OpSub)
      ORV_BIN_CASES(opMul, OpMul)
      ORV_BIN_CASES(opDiv, OpDiv)
      ORV_BIN_CASES(opPower, OpPow)
      ORV_BIN_CASES(opRoot, OpRoot)
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

[[gnu::noinline]] int32_t RunCareful(const TInstr* prog, long double X, long double& res, int32_t& failAt) {
  return Run<true>(prog, X, res, failAt);
}

// The rare path of one evaluation, after the first run failed or ended in a
// non-finite value: find the first failure exactly. A fault leaves the
// overflow or invalid-operation flag raised (division by zero is always
// caught before it is made), which is cleared so that callers never see it.
[[gnu::noinline]] int32_t Recheck(const Program* program, long double& Res, long double X) {
  if (program->usesX && !Finite(X)) {
    // No value of the formula at a non-finite x (the first run always
    // ends here for one: every step that could hide it tests its operands).
    feclearexcept(FE_OVERFLOW | FE_INVALID);
    return kFault;
  }
  long double r = 0;
  int32_t failAt = -1;
  const int32_t err = RunCareful(program->careful, X, r, failAt);
  if (err == kFault) feclearexcept(FE_OVERFLOW | FE_INVALID);
  if (err == 0) {
    Res = r;
    return 0;
  }
  // The outermost operation writes its result 0 for a guarded failure (and a
  // function always); every inner failure leaves the caller's Res alone.
  const std::uint8_t op = program->careful[failAt].Op;
  if (failAt == program->len - 1 && (err != kFault || op == kFuncS || op == kFuncX || op == kLoadFuncX)) Res = 0;
  return err;
}

// One evaluation of a valid program at X: returns its error code, writing
// Res as Calc does.
[[gnu::always_inline]] inline int32_t Evaluate(const Program* program, long double& Res, long double X) {
  long double r = 0;
  int32_t failAt = -1;
  const int32_t err = Run<false>(program->fast, X, r, failAt);
  if (__builtin_expect(err == 0 && FastFinite(r), 1)) {
    Res = r;
    return 0;
  }
  return Recheck(program, Res, X);
}

}  // namespace
}  // namespace orv_engine

using namespace orv_engine;

void objFunc::Calc(long double& Res, long double X) {
  if (ErrorCode > 0) return;
  const orv_engine::Program* program = program_.get();
  if (!parsed_ || NodePos != 1 || program->len < 1) {
    ErrorCode = errIncorrect;  // nothing parsed, or the cursor is not at the tree
    return;
  }
  const int32_t err = Evaluate(program, Res, X);
  if (err == 0)
    NodePos = nodeCount_ + 1;
  else
    ErrorCode = err;
}

void objFunc::CalcRow(const long double* xs, long double* ys, int32_t* errs, int n) {
  if (n <= 0) return;
  Reset();
  const orv_engine::Program* program = program_.get();
  if (!parsed_ || program->len < 1) {
    for (int i = 0; i < n; ++i) errs[i] = errIncorrect;
    ErrorCode = errIncorrect;
    return;
  }
  int32_t err = 0;
  for (int i = 0; i < n; ++i) {
    err = Evaluate(program, ys[i], xs[i]);
    errs[i] = err;
  }
  // As the last point's Reset and Calc leave the object.
  if (err == 0)
    NodePos = nodeCount_ + 1;
  else
    ErrorCode = err;
}

// Every value and Draw flag of a broad set of formulas at many x, summed per
// formula and compared with sums recorded from the library as it was before
// its speed-ups: no change to the evaluation may move a single bit. The
// caller's exception flags after each call count too.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "korvel/korvel.h"
#include "tests/common/ResultSums.h"

namespace {

using orv_test::Expect;
using orv_test::Sum;

const std::vector<long double>& Points() {
  static const long double pi = 0xc.90fdaa22168c235p-2L;
  static const std::vector<long double> xs = orv_test::SumPoints(
      {0,        -0.0L,   1,        -1,    0.5L,   -0.5L,   2.5L, 3,      1e18L,  1e-4940L, 1e2000L,
       -1e2000L, 1e4000L, -1e4000L, 1e30L, pi / 2, -pi / 2, pi,   2 * pi, 1e-10L, 0.1L});
  return xs;
}

std::uint64_t KorvelSum(const char* text) {
  Sum s;
  std::string t = text;
  Init_Number(1);
  Lex_Analiz_Init();
  const int32_t code = Lexan(t.data());
  s.Int(code);
  if (code != 0) return s.h;
  Init_ABC(2.5L, -3, 0.125L);
  for (long double x : Points()) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const long double r = Interpret(x);
    s.Int(GetDraw());
    s.Ext(r);
    s.Int(std::fetestexcept(FE_ALL_EXCEPT));
  }
  return s.h;
}

const Expect KorvelCases[] = {
    {"x", 0x2984591ef2cc0ce2ULL},
    {"-x", 0xecc0fb66a1b97062ULL},
    {"(x^3-2*x^2+3*x-1)/(x^2+1)", 0xe38edc17b4231b13ULL},
    {"sin(x)*x^2+3*x-1", 0xe92bd82f8ecef873ULL},
    {"sin(cos(tg(x)))+sqrt(sqrt(sqr(x)))*exp(-x^2)", 0x40f755c205355db1ULL},
    {"(2+3)*x^2-(10/4)*x+sqrt(16)*(7-5)", 0x11ff785180b6187eULL},
    {"2*3*x+4/5-sqrt(2)*x^2", 0xcf2c93fb779dcf0aULL},
    {"(1+2)*(3-4)/5^2-x", 0x4a6c217be77edddaULL},
    {"-(2+3)+x", 0x6a186d1395787ae4ULL},
    {"-2^2+x", 0xe4e23047468c0fb5ULL},
    {"2^(-1)+x", 0xee2edbe34eedddc6ULL},
    {"(pi/2)+e*x", 0xf9b18040d6bd44b3ULL},
    {"sin(pi)+cos(1)*x+tg(1)-ctg(2)", 0x6094a23d4dfa8df0ULL},
    {"1/0+x", 0x126753717f440017ULL},
    {"1/(2-2)*x+5", 0xe5786d9832ddac7aULL},
    {"sqrt(-1)+x", 0x126753717f440017ULL},
    {"ln(0)*x+1", 0x602be7e9f060721dULL},
    {"arcsin(2)+x", 0x126753717f440017ULL},
    {"exp(20000)+x", 0x126753717f440017ULL},
    {"10^5000+x", 0x126753717f440017ULL},
    {"(10^4000)*(10^4000)+x", 0xd38bbe38ff47145bULL},
    {"(10^4000)*(10^4000)*0+x", 0xd38bbe38ff47145bULL},
    {"(-8)^(1/3)+x", 0xccbc7d32414e2063ULL},
    {"0^(-1)+x", 0x126753717f440017ULL},
    {"[2-5]*x", 0xf18d56e74eb044daULL},
    {"x^3/x^2", 0x45362fabe7342743ULL},
    {"1/x", 0xbc5d962a9872c754ULL},
    {"1/x+5", 0xbe4ac84540dfb50bULL},
    {"tg(x)", 0xa539b48cbb84b672ULL},
    {"ctg(x)", 0x86d5cfbcf59276bcULL},
    {"tg(x*1000)", 0x835b5a2503d0f370ULL},
    {"sin(x*10^20)", 0xa578794e758c007dULL},
    {"sqrt(x)", 0xb5c547920f7b3914ULL},
    {"ln(x)", 0x5f7a06ae2d1bf6b6ULL},
    {"arcsin(x/10)", 0x5b7a3764152ec214ULL},
    {"arccos(x)", 0xdb38514aeab35256ULL},
    {"arctg(x)+arcctg(x)", 0x2b25724f8a13dc58ULL},
    {"exp(x*1000)", 0x3d7747f446239f1dULL},
    {"x^x", 0xfa0079a7ea3c167aULL},
    {"(-2)^x", 0xa25e9a1473e342d4ULL},
    {"x^0.5", 0xde8c184e7eed7158ULL},
    {"x^(-1)", 0xbc5d962a9872c754ULL},
    {"x^(1/3)", 0xb7a83a7277899dc9ULL},
    {"x^7-x^20", 0xb068188fe81db13fULL},
    {"x*10^2000*x*10^2000", 0xe4e2090de01a57f0ULL},
    {"x*10^4000-x*10^4000", 0xb71210ec3a5f25daULL},
    {"sqr(x*10^3000)", 0x20e3e33d10e17b58ULL},
    {"a*x^2+b*x+c", 0xd53b72011f33481dULL},
    {"[x]^a-b/c", 0x9d57d0dd923491bcULL},
    {"x*x*x*x*x*x*x*x*x*x", 0x97b3fec3a47a639cULL},
    {"(x+1)*(x-1)*(x+2)/(x-2)", 0x859049a53e0aadc7ULL},
    {"sqr(sin(x))+sqr(cos(x))", 0xfef73815c1e4a2bbULL},
    {"1+x^2+2*(3+x)", 0xeb4fd01c1b4fb71aULL},
    {"2^0.5*x", 0x5d76c401adce398aULL},
    {"(-8)^(1/3)*x", 0xe3dd4a40326cd3b9ULL},
    {"sqrt(-4)+x", 0x126753717f440017ULL},
    {"ln(-1)+x", 0x126753717f440017ULL},
    {"arcsin(1.5)*x", 0x96a19e230a3fad5bULL},
    {"arccos(-1)+x", 0xdd99009e01cc1608ULL},
    {"1/(3-3)+x", 0x126753717f440017ULL},
    {"sin(10^30)+cos(10^19)+x", 0x5cb436355883fe62ULL},
    {"exp(11400)+x", 0x126753717f440017ULL},
    {"exp(-11400)+x", 0x5cb436355883fe62ULL},
    {"-(-(2))^3+x", 0x9502d43587fcee7fULL},
    {"[1-3]^2*x", 0xea40d793988583b5ULL},
    {"0^0+x", 0x30db5c5d71c96285ULL},
    {"0^(-2)+x", 0x126753717f440017ULL},
    {"2^40000+x", 0x126753717f440017ULL},
    {"2^32767+x", 0x126753717f440017ULL},
    {"2^(-16000)*x", 0x686784167290e4e1ULL},
    {"(1/3)*3-x", 0x316407c84936d71cULL},
    {"e^2-pi+x", 0xc1c500c97970bc0bULL},
    {"ctg(0)+x", 0x126753717f440017ULL},
    {"arcctg(0)*x", 0x96a19e230a3fad5bULL},
    {"tg(pi/2)+x", 0x664cb5d01b4c05d7ULL},
    {"sqr(10^3000)+x", 0xd38bbe38ff47145bULL},
    {"(10^3000)*(10^3000)*x", 0xd38bbe38ff47145bULL},
    {"3*4*x+2^(1/2)", 0x6d130c67320e3a08ULL},
    {"x*2*3+sqrt(2)^2", 0x9fd168fe89863fc4ULL},
};

TEST(KorvelResultSums, ValuesAndDrawFlagsStayTheSame) {
  orv_test::CheckSums(KorvelCases, KorvelSum);
}

}  // namespace

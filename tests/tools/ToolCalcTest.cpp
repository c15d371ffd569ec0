// The tool windows' computations: every result text the windows show.
#include <gtest/gtest.h>

#include <cmath>

#include <memory>
#include <string>
#include <vector>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"

namespace {

using tools::TPointsOutcome;

std::unique_ptr<objFunc> Parsed(const std::string& text) {
  auto f = std::make_unique<objFunc>();
  f->Reset();
  f->Expression = text;
  f->Parse(f->Expression);
  EXPECT_EQ(f->ErrorCode, 0) << text;
  return f;
}

// ---------------------------------------------------------------- derivative

TEST(ToolDerivative, TextsHeadingsAndRefusals) {
  struct Case {
    const char* formula;
    const char* heading;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"x", "(x)' =", "1", ""},
      {"5", "(5)' =", "0", ""},
      {"2x", "(2*x)' =", "2*(1)", ""},
      {"sin(x)", "(sin(x))' =", "cos(x)", ""},
      {"x^2", "(x^2)' =", "2*(1)*x", ""},
      {"abs(x)+x^2", "", "", tools::MsgNonDiff},
      {"sin(abs(x))", "", "", tools::MsgNonDiff},
      {"x+", "", "", "Выражение некорректно"},
      {"", "", "", "Выражение некорректно"},
  };
  for (const Case& c : cases) {
    const tools::TDerivative d = tools::Derivative(c.formula, 4);
    EXPECT_EQ(d.Message, c.message) << c.formula;
    EXPECT_EQ(d.Heading, c.heading) << c.formula;
    EXPECT_EQ(d.Text, c.text) << c.formula;
  }
}

TEST(ToolDerivative, DecimalsOnlyChangeFoldedConstants) {
  EXPECT_EQ(tools::Derivative("x/3", 2).Text, tools::Derivative("x/3", 5).Text);
  EXPECT_EQ(tools::Derivative("2@x", 4).Text, "0.5*(1)*x^(-0.5)");
  EXPECT_EQ(tools::Derivative("3@x", 2).Text, "0.33*(1)*x^(-0.67)");
  EXPECT_EQ(tools::Derivative("3@x", 3).Text, "0.333*(1)*x^(-0.667)");
  // The second derivative is the derivative of the shown text.
  EXPECT_EQ(tools::Derivative(tools::Derivative("x^2", 4).Text, 4).Text, "2*(1)");
}

// ---------------------------------------------------------------- tangent, normal

TEST(ToolTangent, EquationsAndMessages) {
  struct Case {
    const char* formula;
    long double x0;
    const char* tangent;  // equation, or the message when `tangentFails`
    bool tangentFails;
    const char* normal;
    bool normalFails;
  };
  const Case cases[] = {
      {"x^2", 1, "2*x-1", false, "-0.5*x+1.5", false},
      {"x", 3, "x", false, "-x+6", false},
      {"sin(x)", 0, "x", false, "-x", false},
      {"x^2", 0, "0*x", false, tools::MsgZeroDerivative, true},
      {"5", 1, "0*x+5", false, tools::MsgZeroDerivative, true},
      {"ln(x)", -1, tools::MsgCalcError, true, tools::MsgCalcError, true},
      {"sqrt(x)", 0, tools::MsgCalcError, true, tools::MsgCalcError, true},
      {"abs(x)", 1, tools::MsgNonDiff, true, tools::MsgNonDiff, true},
      {"x*", 1, "Выражение некорректно", true, "Выражение некорректно", true},
      {"x^3", -2, "12*x+16", false, "-0.0833*x-8.1667", false},
  };
  for (const Case& c : cases) {
    const tools::TTangent t = tools::TangentLine(c.formula, c.x0, 4, false);
    const tools::TTangent n = tools::TangentLine(c.formula, c.x0, 4, true);
    EXPECT_EQ(c.tangentFails ? t.Message : t.Equation, c.tangent) << c.formula;
    EXPECT_EQ(c.normalFails ? n.Message : n.Equation, c.normal) << c.formula;
    if (!c.tangentFails) {
      EXPECT_EQ(t.Message, "") << c.formula;
    }
    if (c.normalFails) {
      EXPECT_EQ(n.Equation, "") << c.formula;
    }
  }
}

TEST(ToolTangent, SlopeAndInterceptTexts) {
  struct Case {
    long double slope, b;
    int digits;
    const char* text;
  };
  const Case cases[] = {
      {1.00001L, 0, 4, "x"},          {1.00001L, 0, 5, "1.00001*x"},
      {-0.99999L, 2, 4, "-x+2"},      {2, 1e-9L, 4, "2*x+0"},
      {2, -1e-9L, 4, "2*x-0"},        {-0.5L, -0.25L, 4, "-0.5*x-0.25"},
      {0, 0, 4, "0*x"},               {1e40L, 0, 1, "10000000000000000000000000000000000000000*x"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tools::KasatEquation(c.slope, c.b, c.digits), c.text) << c.text;
}

TEST(ToolTangent, OverflowOfOwnArithmeticIsReported) {
  // -1/k of a slope of 2e-4940 leaves the extended range.
  const tools::TTangent n = tools::TangentLine("x^2", 1e-4940L, 4, true);
  EXPECT_TRUE(n.Overflow);
  EXPECT_EQ(n.Equation, "");
  EXPECT_EQ(n.Message, "");
  // exp(11356) is finite, but x0 times the slope is not.
  const tools::TTangent t = tools::TangentLine("exp(x)", 11356, 4, false);
  EXPECT_TRUE(t.Overflow);
  EXPECT_EQ(t.Equation, "");
  EXPECT_FALSE(tools::TangentLine("x^2", 1, 4, true).Overflow);
}

// ---------------------------------------------------------------- integral

struct IntegralCase {
  const char* formula;
  long double a, b, dx;
  bool absolute;
  const char* result;
};

TEST(ToolIntegral, LeftRectangleResults) {
  const IntegralCase cases[] = {
      {"1", 0, 1, 0.25L, false, "1.0000"},
      {"-1", 0, 1, 0.25L, false, "-1.0000"},
      {"-1", 0, 1, 0.25L, true, "1.0000"},
      {"x^2", 0, 1, 0.001L, false, "0.3328"},
      {"1", 5, 1, 0.001L, false, "0.0000"},  // reversed limits: no term
      {"x", 0, 2, 0.5L, false, "1.5000"},
      // The abscissa a + i*dx: repeated addition would take a 101st term.
      {"1", 0, 1, 0.01L, false, "1.0000"},
      {"1", 0, 1, 0.1L, false, "1.0000"},
      // A step that does not divide the range: the last term is 0.1 wide.
      {"1", 0, 1, 0.3L, false, "1.0000"},
      {"x", 0, 1, 0.3L, false, "0.3600"},
      // A range narrower than one step is one term of its own width.
      {"10^15", 0, 1e-12L, 0.5L, false, "1000.0000"},
      {"1", 1e6L, 1e6L + 1, 0.001L, false, "1.0000"},
  };
  for (const IntegralCase& c : cases) {
    auto f = Parsed(c.formula);
    const tools::TIntegral r = tools::Integrate(*f, c.a, c.b, c.dx, c.absolute);
    EXPECT_EQ(r.ErrorCode, 0) << c.formula;
    EXPECT_FALSE(r.TooManyTerms || r.StepLost || r.Overflow) << c.formula;
    EXPECT_EQ(FormatFixed(r.Sum, 4), c.result) << c.formula << " dx " << static_cast<double>(c.dx);
  }
}

TEST(ToolIntegral, FailingSampleStopsWithItsCode) {
  auto f = Parsed("1/x");
  const tools::TIntegral r = tools::Integrate(*f, -1, 1, 0.25L, false);
  EXPECT_EQ(r.ErrorCode, 3);
  EXPECT_EQ(tools::EngineMessage(r.ErrorCode), "Деление на ноль");
}

TEST(ToolIntegral, HugeTermCountsAreRefusedBeforeTheLoop) {
  struct Case {
    long double a, b, dx;
    bool refused;
  };
  const Case cases[] = {
      {0, 1e6L, 0.01L, true},        // 1e8 terms
      {1e30L, 2e30L, 0.5L, true},    // too many terms, and x + dx == x as well
      {-1e4932L, 1e4932L, 0.5L, true},  // the range itself overflows
      {0, 1e4L, 0.01L, false},       // a million terms are still summed
  };
  auto f = Parsed("0");
  for (const Case& c : cases) {
    const tools::TIntegral r = tools::Integrate(*f, c.a, c.b, c.dx, false);
    EXPECT_EQ(r.TooManyTerms, c.refused) << static_cast<double>(c.b);
    EXPECT_FALSE(r.StepLost) << static_cast<double>(c.b);
  }
}

TEST(ToolIntegral, StepsLostAtTheLimitsAreRefused) {
  // Around 2^83 neighbouring numbers lie 2^20 apart (2^19 just below).
  const long double big = std::ldexp(1.0L, 83);
  const long double u = std::ldexp(1.0L, 20);
  struct Case {
    long double a, b, dx;
    bool refused;
  };
  const Case cases[] = {
      {big, big + 4 * u, 0.5L, true},                // a + dx == a, 8388608 steps
      {big, big + 3 * u, 0.5L, true},                // 6291456 steps
      {big, big + 10 * u, 0.4L * u, true},           // a few terms, still lost at a
      {big - 8 * (u / 2), big + 8 * u, 0.3L * u, true},  // kept at a, lost at b
      {-big - 10 * u, -big, 0.4L * u, true},         // the same below zero
      {big, big + 4 * u, u, false},                  // one spacing per step is exact
  };
  auto f = Parsed("1");
  for (const Case& c : cases) {
    const tools::TIntegral r = tools::Integrate(*f, c.a, c.b, c.dx, false);
    // Far fewer terms than the limit: the refusal names the lost step alone.
    EXPECT_EQ(r.StepLost, c.refused) << static_cast<double>(c.dx);
    EXPECT_FALSE(r.TooManyTerms) << static_cast<double>(c.dx);
    if (!c.refused) {
      EXPECT_EQ(r.Sum, c.b - c.a);
    }
  }
}

TEST(ToolIntegral, EachRefusalNamesItsOwnCause) {
  const std::string count = tools::MsgTooManyTerms;
  const std::string lost = tools::MsgStepLost;
  EXPECT_NE(count.find("больше 10000000 шагов"), std::string::npos);
  EXPECT_EQ(lost.find("10000000"), std::string::npos);
  EXPECT_NE(lost.find("теряется"), std::string::npos);
}

TEST(ToolIntegral, OverflowingSumIsReported) {
  auto f = Parsed("9*10^4931");
  const tools::TIntegral r = tools::Integrate(*f, 0, 2, 0.5L, false);
  EXPECT_EQ(r.ErrorCode, 0);
  EXPECT_TRUE(r.Overflow);
}

// ---------------------------------------------------------------- table

TEST(ToolTable, RowCounts) {
  struct Case {
    bool countMode;
    int32_t count;
    long double start, finish, step;
    int32_t rows;
  };
  const Case cases[] = {
      {true, 100, 0, 10, 0.1L, 100},
      {true, 20000, 0, 10, 0.1L, 9999},
      {false, 0, 0, 1, 0.25L, 5},
      {false, 0, 0, 1, 0.3L, 4},
      {false, 0, 20, 10, 0.1L, -99},  // the end replaced by 10: no row
      {false, 0, 10, 10, 0.1L, 1},
      // Quotients just below a whole number still reach the end value.
      {false, 0, 0.1L, 10, 0.1L, 100},
      {false, 0, 0, 0.9L, 0.3L, 4},
      {false, 0, 0, 1e6L, 1e-6L, 9999},
      {false, 0, -1e4932L, 1e4932L, 1e-6L, 9999},
  };
  for (const Case& c : cases)
    EXPECT_EQ(tools::TableRowCount(c.countMode, c.count, c.start, c.finish, c.step), c.rows)
        << static_cast<double>(c.start) << ".." << static_cast<double>(c.finish) << " step "
        << static_cast<double>(c.step);
}

TEST(ToolTable, TablesCutAtTheRowLimitSaySo) {
  struct Case {
    bool countMode;
    int32_t count;
    long double start, finish, step;
    int32_t rows;
    bool cut;
  };
  const Case cases[] = {
      {true, 9999, 0, 10, 0.1L, 9999, false},   // the largest count is whole
      {true, 20000, 0, 10, 0.1L, 9999, true},
      {false, 0, 0, 999.8L, 0.1L, 9999, false}, // exactly 9999 rows
      {false, 0, 0, 999.9L, 0.1L, 9999, true},  // one row more
      {false, 0, 0, 1e12L, 1e-6L, 9999, true},
      {false, 0, -1e4932L, 1e4932L, 1e-6L, 9999, true},
      {false, 0, 0, 1, 0.25L, 5, false},
      {false, 0, 20, 10, 0.1L, -99, false},
  };
  for (const Case& c : cases) {
    bool cut = !c.cut;
    EXPECT_EQ(tools::TableRowCount(c.countMode, c.count, c.start, c.finish, c.step, &cut), c.rows)
        << static_cast<double>(c.finish);
    EXPECT_EQ(cut, c.cut) << static_cast<double>(c.finish);
  }
  // The line names the rows that are shown.
  EXPECT_NE(std::string(tools::MsgTableCut).find(std::to_string(tools::MaxTableRows)),
            std::string::npos);
}

TEST(ToolTable, DefaultTableHasNoAccumulatedRounding) {
  auto f = Parsed("x^2");
  const auto rows = tools::TableRows(*f, 0, 0.1L, 100, 4);
  ASSERT_EQ(rows.size(), 100u);
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(rows[i].X, DecimalText(static_cast<long double>(i) / 10, 1)) << i;
  EXPECT_EQ(rows[3].Y, "0.09");
  EXPECT_EQ(rows[99].X, "9.9");
  EXPECT_EQ(rows[99].Y, "98.01");
}

TEST(ToolTable, EndValueRowsAndErrorCells) {
  auto sq = Parsed("x^2");
  const auto quarter = tools::TableRows(*sq, 0, 0.25L, tools::TableRowCount(false, 0, 0, 1, 0.25L), 4);
  std::vector<std::string> xs;
  for (const auto& r : quarter) xs.push_back(r.X);
  EXPECT_EQ(xs, (std::vector<std::string>{"0", "0.25", "0.5", "0.75", "1"}));

  const auto tenths = tools::TableRows(*sq, 0.1L, 0.1L, tools::TableRowCount(false, 0, 0.1L, 10, 0.1L), 4);
  EXPECT_EQ(tenths.back().X, "10");
  EXPECT_EQ(tenths.back().Y, "100");

  auto inv = Parsed("1/x");
  const auto rows = tools::TableRows(*inv, -1, 0.5L, 5, 4);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1].Y, "-2");
  EXPECT_EQ(rows[2].X, "0");
  EXPECT_EQ(rows[2].Y, "Деление на ноль");
  EXPECT_EQ(rows[3].Y, "2");

  const auto negZero = tools::TableRows(*sq, -0.00000001L, 1, 1, 4);
  EXPECT_EQ(negZero.at(0).X, "-0");
  EXPECT_TRUE(tools::TableRows(*sq, 0, 1, 0, 4).empty());
  EXPECT_TRUE(tools::TableRows(*sq, 0, 1, -5, 4).empty());
}

TEST(ToolTable, FileBytes) {
  const std::vector<tools::TTableRow> rows = {
      {"0", "0"}, {"-0.5", "Деление на ноль"}, {"12345678901234567890", "1"},
      {"100000000000000000000", "2"}};
  const std::string bytes = tools::TableFileBytes("x^2+Ж", rows);
  const std::string expected =
      "\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0 Orvanta 2.0\r\n"                              // Программа
      "\xD2\xE0\xE1\xEB\xE8\xF6\xE0 \xE7\xED\xE0\xF7\xE5\xED\xE8\xE9 \xF4\xF3\xED\xEA\xF6\xE8\xE8\r\n"
      "*****************************\r\n"
      "x^2+\xC6\r\n"
      "*****************************\r\n"
      "X                   Y\r\n"
      "0                   0\r\n"
      "-0.5                \xC4\xE5\xEB\xE5\xED\xE8\xE5 \xED\xE0 \xED\xEE\xEB\xFC\r\n"
      "12345678901234567890 1\r\n"
      "100000000000000000000 2\r\n";
  EXPECT_EQ(bytes, expected);
  // Header alone: six lines, each with CR LF and no byte-order mark.
  const std::string empty = tools::TableFileBytes("x", {});
  EXPECT_EQ(empty.substr(0, 2), "\xCF\xF0");
  EXPECT_EQ(empty.size() - empty.find("X "), std::string("X                   Y\r\n").size());
}

TEST(ToolTable, FileNameExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"data", "data.txt"},           {"data.txt", "data.txt"},
      {"data.TXT", "data.TXT.txt"},   {"/tmp/a.tx", "/tmp/a.tx.txt"},
      {"/tmp/таблица", "/tmp/таблица.txt"}, {"txt", "txt.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(tools::TableFileName(c.first), c.second) << c.first;
}

// ---------------------------------------------------------------- line, parabola

TEST(ToolPoints, Line) {
  struct Case {
    long double x1, y1, x2, y2;
    int digits;
    TPointsOutcome outcome;
    const char* formula;
  };
  const Case cases[] = {
      {0, 0, 1, 1, 4, TPointsOutcome::Ok, "x"},
      {0, 1, 2, 5, 4, TPointsOutcome::Ok, "2x+1"},
      {0, 0, 1, -1, 4, TPointsOutcome::Ok, "-x"},
      {0, 1, 2, 0, 4, TPointsOutcome::Ok, "-0.5x+1"},
      {1, 2, 3, 2, 4, TPointsOutcome::Refused, ""},
      {0, 0, 100000, 1, 4, TPointsOutcome::Refused, ""},  // slope 0.00001 prints as 0
      {0, 0, 100000, 1, 5, TPointsOutcome::Ok, "0.00001x"},
      {1, 2, 1, 5, 4, TPointsOutcome::Degenerate, ""},
      {1, 2, 1, 2, 4, TPointsOutcome::Degenerate, ""},
      {0, 0, 1e-4000L, 1e4000L, 4, TPointsOutcome::Degenerate, ""},
      {0, 0, 1, 1e40L, 4, TPointsOutcome::Ok, "10000000000000000000000000000000000000000x"},
  };
  for (const Case& c : cases) {
    const tools::TPoints p = tools::LineThroughPoints(c.x1, c.y1, c.x2, c.y2, c.digits);
    EXPECT_EQ(p.Outcome, c.outcome) << c.formula;
    EXPECT_EQ(p.Formula, c.formula);
  }
}

TEST(ToolPoints, Parabola) {
  struct Case {
    long double x1, y1, x2, y2, x3, y3;
    TPointsOutcome outcome;
    const char* formula;
  };
  const Case cases[] = {
      {0, 0, 1, 1, 2, 4, TPointsOutcome::Ok, "x^2"},
      {0, 0, 1, 2, 2, 6, TPointsOutcome::Ok, "x^2+x"},
      {0, 1, 1, 0, 2, 3, TPointsOutcome::Ok, "2x^2-3x+1"},
      {0, 0, 1, -1, 2, -4, TPointsOutcome::Ok, "-x^2"},
      {-1, 2, 0, 1, 1, 2, TPointsOutcome::Ok, "x^2+1"},
      {0, 0, 1, 1, 2, 2, TPointsOutcome::Refused, ""},
      {1, 0, 1, 3, 2, 5, TPointsOutcome::Degenerate, ""},
      {0, 0, 1e-3000L, 1e3000L, 2, 4, TPointsOutcome::Degenerate, ""},
  };
  for (const Case& c : cases) {
    const tools::TPoints p = tools::ParabolaThroughPoints(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, 4);
    EXPECT_EQ(p.Outcome, c.outcome) << c.formula;
    EXPECT_EQ(p.Formula, c.formula);
  }
  // a = 0.00001: a line with 4 decimals, a parabola with 5.
  EXPECT_EQ(tools::ParabolaThroughPoints(0, 0, 1, 0.00001L, 2, 0.00004L, 4).Outcome,
            TPointsOutcome::Refused);
  const tools::TPoints p5 = tools::ParabolaThroughPoints(0, 0, 1, 0.00001L, 2, 0.00004L, 5);
  EXPECT_EQ(p5.Outcome, TPointsOutcome::Ok);
  EXPECT_EQ(p5.Formula.rfind("0.00001x^2", 0), 0u) << p5.Formula;
}

// ---------------------------------------------------------------- quadratic

TEST(ToolQuadratic, Solutions) {
  struct Case {
    long double a, b, c;
    const char* equation;
    const char* d;
    int roots;
    const char* x1;
    const char* x2;
  };
  const Case cases[] = {
      {1, 1, 1, "x^2+x+1=0", "-3", 0, "", ""},
      {1, -3, 2, "x^2-3x+2=0", "1", 2, "2", "1"},
      {1, 2, 1, "x^2+2x+1=0", "0", 1, "-1", ""},
      {-1, 0, 4, "-x^2+4=0", "16", 2, "-2", "2"},
      {2, 1, 0, "2x^2+x=0", "1", 2, "0", "-0.5"},
      {1, 0, 0.00001L, "x^2+0=0", "-0", 1, "-0", ""},
      {1, -1, -0.00001L, "x^2-x=0", "1", 2, "1", "-0"},
      {0.5L, 0.00001L, 0, "0.5x^2+0x=0", "0", 1, "-0", ""},
  };
  for (const Case& c : cases) {
    const tools::TQuadratic q = tools::SolveQuadratic(c.a, c.b, c.c, 4);
    EXPECT_EQ(q.Equation, c.equation);
    EXPECT_EQ(q.DText, c.d) << c.equation;
    EXPECT_EQ(q.Roots, c.roots) << c.equation;
    EXPECT_EQ(q.X1, c.x1) << c.equation;
    EXPECT_EQ(q.X2, c.x2) << c.equation;
    EXPECT_EQ(q.OverflowAt, 0) << c.equation;
  }
}

TEST(ToolQuadratic, EquationTexts) {
  EXPECT_EQ(tools::MakeUravnText(4, -1, -1, -1), "-x^2-x-1");
  EXPECT_EQ(tools::MakeUravnText(4, 1.00001L, 0.99999L, 0), "x^2+x");
  EXPECT_EQ(tools::MakeUravnText(5, 1.00001L, 0.99999L, 0), "1.00001x^2+0.99999x");
  EXPECT_EQ(tools::MakeUravnText(4, 2, -0.00001L, -0.00001L), "2x^2");
  EXPECT_EQ(tools::MakeUravnText(1, 1e40L, 0, 0), "10000000000000000000000000000000000000000x^2");
}

TEST(ToolQuadratic, OverflowStopsWhereItHappens) {
  const tools::TQuadratic d = tools::SolveQuadratic(1, 1e3000L, 1, 4);
  EXPECT_EQ(d.OverflowAt, 1);
  EXPECT_EQ(d.Equation.substr(0, 5), "x^2+1");
  EXPECT_EQ(d.DText, "");
  // The discriminant fits, the root's denominator does not.
  const tools::TQuadratic r = tools::SolveQuadratic(1e-4940L, 1, 0, 4);
  EXPECT_EQ(r.OverflowAt, 2);
  EXPECT_EQ(r.DText, "1");
  EXPECT_EQ(r.Roots, 0);
}

}  // namespace

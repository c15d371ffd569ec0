// The function sets delivered in the "Examples" folder beside the program:
// each file is what the program's own writer makes of its set, and each one
// opens with the Open command and draws every one of its graphs.
//
// To write the files anew after a change of a set below, run the test with
// ORV_WRITE_EXAMPLES set to the folder resources/orvanta/delivered/Examples.
#include <QImage>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "FunctionsHelpers.h"
#include "orvanta/workbench/FuncSetFile.h"
#include "platform/SafeFile.h"

namespace {

struct Example {
  const char* file;
  long double xm, ym, setkaStep;
  std::vector<TFuncSetEntry> funcs;
};

TFuncSetEntry Graph(const char* text, std::uint32_t color, std::uint16_t width = 2) {
  TFuncSetEntry e;
  e.Expression = text;
  e.IfLines = true;
  e.LineWidth = width;
  e.GraphColor = color;
  return e;
}

TFuncSetEntry WithJumps(TFuncSetEntry e, long double limit) {
  e.IfRazryv = true;
  e.Razryv = limit;
  return e;
}

const std::vector<Example>& Examples() {
  static const std::vector<Example> list = [] {
    std::vector<Example> v;
    // Colours are 0x00BBGGRR.
    v.push_back({"sin_x_over_x.ov2", 0.05L, 0.005L, 1,
                 {Graph("sin(x)/x", 0xC00000), WithJumps(Graph("1/x", 0xA0A0A0, 1), 10),
                  WithJumps(Graph("-1/x", 0xA0A0A0, 1), 10)}});
    v.push_back({"parabola_and_derivative.ov2", 0.02L, 0.02L, 1,
                 {Graph("x^2", 0x0000FF), Graph("2*x", 0x008000)}});
    v.push_back({"parabolas.ov2", 0.01L, 0.02L, 1,
                 {Graph("x^2/4", 0x0000C0), Graph("x^2/2", 0x0080FF), Graph("x^2", 0x00A000),
                  Graph("2*x^2", 0xC08000), Graph("4*x^2", 0xC00000), Graph("-x^2/2", 0x800080)}});
    v.push_back({"trigonometry.ov2", 0.01L, 0.01L, 1.5707963267948966L,
                 {Graph("sin(x)", 0x0000FF), Graph("cos(x)", 0xC00000),
                  WithJumps(Graph("tg(x)", 0x008000, 1), 5), WithJumps(Graph("ctg(x)", 0x800080, 1), 5)}});
    TFuncSetEntry seq = Graph("(1+1/x)^x", 0x0000C0, 1);
    seq.XCeloe = seq.XPolog = true;
    seq.IfLines = false;
    seq.Diametr = 5;
    v.push_back({"whole_numbers.ov2", 0.1L, 0.015L, 1, {seq, Graph("e", 0x808080, 1)}});
    return v;
  }();
  return list;
}

TFuncSet SetOf(const Example& ex) {
  TFuncSet s;
  s.Xm = ex.xm;
  s.Ym = ex.ym;
  s.Koef = screen_defaults::Koef;
  s.Sdvig = screen_defaults::Sdvig;
  s.SetkaStep = ex.setkaStep;
  s.Oci = s.Setka = true;
  s.BkColor = screen_defaults::BkColor;
  s.OciColor = screen_defaults::OciColor;
  s.LinesColor = screen_defaults::LinesColor;
  s.OciWidth = screen_defaults::OciWidth;
  s.Funcs = ex.funcs;
  return s;
}

std::string ExamplesDir() { return plat::ExeDir() + "Examples/"; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(ExamplesTest, EachDeliveredFileIsWhatTheWriterMakesOfItsSet) {
  if (const char* out = std::getenv("ORV_WRITE_EXAMPLES")) {
    for (const Example& ex : Examples())
      ASSERT_EQ(WriteFuncSetFile(std::string(out) + "/" + ex.file, SetOf(ex), plat::TargetName::Fixed), 0) << ex.file;
  }
  ASSERT_GE(Examples().size(), 4u);
  for (const Example& ex : Examples()) {
    ASSERT_TRUE(FuncSetFits(SetOf(ex))) << ex.file;
    const std::string bytes = ReadAll(ExamplesDir() + ex.file);
    EXPECT_EQ(bytes, EncodeFuncSet(SetOf(ex))) << ex.file << " differs from its set";
  }
}

class ExamplesOpenTest : public FunctionsFixture {};

TEST_F(ExamplesOpenTest, EachExampleOpensWithoutAMessageAndDrawsEveryGraph) {
  for (const Example& ex : Examples()) {
    fake.ClearRecords();
    fake.FileNames.push_back(ExamplesDir() + ex.file);
    Form().mnuFileOpenClick();
    EXPECT_TRUE(fake.Messages.empty()) << ex.file;
    EXPECT_TRUE(fake.Exceptions.empty()) << ex.file;
    ASSERT_EQ(View().FuncCount, static_cast<int32_t>(ex.funcs.size())) << ex.file;
    EXPECT_EQ(View().Xm, ex.xm) << ex.file;
    // Every graph's colour shows somewhere on the picture (each example
    // gives its graphs colours of their own, apart from the background,
    // grid and axes).
    const QImage& pic = Form().Image->Picture().Image();
    std::set<plat::TColor> seen;
    for (int y = 0; y < pic.height(); ++y)
      for (int x = 0; x < pic.width(); ++x) seen.insert(Pixel(x, y));
    for (int i = 0; i < View().FuncCount; ++i) {
      EXPECT_TRUE(seen.count(Func(i).GraphColor)) << ex.file << ": " << Func(i).Expression << " not drawn";
    }
  }
}

// A view from any bytes, then any series of navigation commands, then the
// picture of a few graphs: every drawing call keeps its coordinates within a
// fixed margin around the picture, pen widths stay those of the dialogs, and
// the drawing ends after a bounded number of calls.
//
// Input: byte 0 chooses where the view comes from
//   0  a "screen.set" record (124 bytes), read as the start-up reads it;
//   1  the screen dialog's seven number boxes (texts separated by '\n'), each
//      kept only when the dialog would accept it;
//   2  seven raw 80-bit extended values (corner, scales, zoom step, shift,
//      grid step), NaNs, infinities and unnormals included;
// then 4 bytes of picture size, 3 functions of 6 bytes, and the commands.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/ScreenSetFile.h"
#include "orvanta/workbench/ViewCommands.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/Canvas.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
  }
}

// Pixels are clamped this far beyond the picture before they become
// integers; a dot's box reaches a few pixels further.
constexpr long long Margin = (1LL << 20) + 16;

class TBoundedCanvas : public plat::TCanvas {
 public:
  TBoundedCanvas(int w, int h, long long maxCalls) : w_(w), h_(h), maxCalls_(maxCalls) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void MoveTo(int x, int y) override {
    Point(x, y);
    pos_ = {x, y};
  }
  void LineTo(int x, int y) override {
    Point(x, y);
    Check(Pen.Width >= 1 && Pen.Width <= 9, "pen width");
    pos_ = {x, y};
  }
  plat::TPoint PenPos() const override { return pos_; }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    Point(x1, y1);
    Point(x2, y2);
  }
  void Ellipse(int x1, int y1, int x2, int y2) override {
    Point(x1, y1);
    Point(x2, y2);
    Check(x2 - x1 >= 0 && x2 - x1 <= 9 && y2 - y1 >= 0 && y2 - y1 <= 9, "dot size");
  }
  void Polygon(const std::vector<plat::TPoint>& points) override {
    for (const auto& p : points) Point(p.X, p.Y);
  }
  void FillRect(const plat::TRect& r) override {
    Point(r.Left, r.Top);
    Point(r.Right, r.Bottom);
  }
  void SetPixel(int x, int y, plat::TColor) override { Point(x, y); }
  plat::TColor GetPixel(int, int) const override { return 0; }
  void TextOut(int x, int y, const std::string&) override { Point(x, y); }
  int TextWidth(const std::string& s) override { return 6 * static_cast<int>(s.size()); }
  int TextHeight(const std::string&) override { return 13; }

 private:
  void Point(int x, int y) {
    Check(++calls_ <= maxCalls_, "the drawing ends");
    Check(x >= -Margin && x <= w_ + Margin && y >= -Margin && y <= h_ + Margin, "coordinates bounded");
  }
  int w_, h_;
  long long maxCalls_;
  long long calls_ = 0;
  plat::TPoint pos_;
};

class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
  std::uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
  int Word() {
    const int low = Byte();
    return low | (Byte() << 8);
  }
  std::size_t Left() const { return static_cast<std::size_t>(end_ - p_); }
  const std::uint8_t* Take(std::size_t n) {
    const std::uint8_t* at = p_;
    p_ += n;
    return at;
  }

 private:
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

// The boxes in the dialog's order; a text the dialog would refuse keeps the
// value the box showed before.
void FromDialogBoxes(TReader& in, objScreen& v) {
  std::string texts[7];
  int box = 0;
  while (in.Left() > 0 && box < 7) {
    const char c = static_cast<char>(in.Byte());
    if (c == '\n') {
      ++box;
    } else if (texts[box].size() < 40) {
      texts[box] += c;
    }
  }
  bool (*const valid[7])(long double) = {nullptr, nullptr, ValidScale, ValidScale, ValidKoef, ValidSdvig,
                                          ValidSetkaStep};
  long double* const field[7] = {&v.StartX, &v.StartY, &v.Xm, &v.Ym, &v.Koef, &v.Sdvig, &v.SetkaStep};
  for (int i = 0; i < 7; ++i) {
    long double x = 0;
    if (!TryStrToExt(texts[i], &x)) continue;
    if (valid[i] != nullptr && !valid[i](x)) continue;
    *field[i] = x;
  }
}

void FromRawValues(TReader& in, objScreen& v) {
  long double* const field[7] = {&v.StartX, &v.StartY, &v.Xm, &v.Ym, &v.Koef, &v.Sdvig, &v.SetkaStep};
  for (long double* f : field) {
    if (in.Left() < 10) return;
    std::memset(f, 0, sizeof *f);
    std::memcpy(f, in.Take(10), 10);
  }
}

const char* const Formulas[] = {"x", "1/x", "x^2-3", "2", "sin(x)", "tg(x)", "sqrt(x)", "ln(x)", "e^x", "x^x"};
// The first ones cost little to evaluate. A whole-number graph takes one
// sample per whole number in view: up to 500 a column from the values the
// program can reach, but up to its cap of 2^22 from raw values, which is quick
// in the program and would outlast the fuzzer's timeout here.
constexpr int CheapFormulas = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TReader in(data, size);
  objScreen view;
  const int source = in.Byte() % 3;
  switch (source) {
    case 0: {
      if (in.Left() < ScreenSetSize) return 0;
      TScreenSettings s;
      Check(DecodeScreenSettings(in.Take(ScreenSetSize), ScreenSetSize, s), "record");
      ApplyScreenValues(ValidateScreenSettings(s), view);
      break;
    }
    case 1:
      FromDialogBoxes(in, view);
      break;
    default:
      FromRawValues(in, view);
      break;
  }
  const int W = in.Word() % 1025;
  const int H = in.Word() % 769;
  view.Oci = (in.Byte() & 1) != 0;
  view.Setka = (in.Byte() & 1) != 0;
  view.OciWidth = 1 + in.Byte() % 9;

  // A few graphs with the properties the new-function dialog can give.
  long long kolvo = 0;
  for (int i = 0; i < 3; ++i) {
    const std::uint8_t pick = in.Byte(), flags = in.Byte();
    auto f = std::make_unique<objFunc>();
    // Only the first graph may step through whole numbers.
    const bool whole = i == 0 && (flags & 2) != 0 && source != 2;
    f->Expression = Formulas[pick % (whole ? CheapFormulas : sizeof Formulas / sizeof *Formulas)];
    f->Reset();
    f->Parse(f->Expression);
    if (f->ErrorCode != 0) continue;
    f->IfLines = flags & 1;
    f->XCeloe = whole;
    f->XPolog = flags & 4;
    f->IfRazryv = flags & 8;
    f->IfMinX = flags & 16;
    f->IfMaxX = flags & 32;
    f->MinX = -static_cast<long double>(in.Byte());
    f->MaxX = in.Byte();
    f->Razryv = 10;
    f->Kolvo = static_cast<std::uint16_t>(1 + in.Byte() % 9);
    f->Diametr = static_cast<std::uint16_t>(1 + in.Byte() % 9);
    f->LineWidth = static_cast<std::uint16_t>(1 + flags / 64 * 2);
    kolvo += f->Kolvo;
    view.Funcs[view.FuncCount++] = std::move(f);
  }

  for (int n = 0; in.Left() > 0 && n < 256; ++n)
    ApplyViewCommand(view, static_cast<TViewCommand>(in.Byte() % ViewCommandCount), W, H);

  // Background 1, axes 4, grid lines of both directions, and per graph at
  // most three calls a sample: 2 W Kolvo + 16 samples, or 2^22 whole numbers.
  const long long samples = 3LL * ((1LL << 22) + 2LL * W + 16 + 2LL * W * kolvo + 16LL * view.FuncCount);
  TBoundedCanvas canvas(W, H, 1 + 4 + 2LL * (W + 3) + 2LL * (H + 3) + 2 * samples);
  DrawScreen(view, canvas, nullptr);
  return 0;
}

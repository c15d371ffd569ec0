// The function-set file image: field offsets, sizes, the extended reals,
// and the checks that refuse a damaged file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "orvanta/workbench/FuncSetFile.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/RecordingCanvas.h"

namespace {

using Bytes = std::string;

std::uint32_t U32(const Bytes& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
  return v;
}
std::uint16_t U16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}
void SetU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}
void SetU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<char>(v);
  b[at + 1] = static_cast<char>(v >> 8);
}
long double Ext(const Bytes& b, std::size_t at) { return GetExtended(reinterpret_cast<const std::uint8_t*>(b.data() + at)); }
void SetExt(Bytes& b, std::size_t at, long double v) { PutExtended(reinterpret_cast<std::uint8_t*>(b.data() + at), v); }

bool Decode(const Bytes& b, TFuncSet& out) {
  return DecodeFuncSet(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), out);
}

TFuncSetEntry Entry(const std::string& text, std::uint32_t colour) {
  TFuncSetEntry e;
  e.Expression = text;
  e.IfLines = true;
  e.MinX = -1;
  e.MaxX = 1;
  e.Razryv = 10;
  e.Kolvo = 2;
  e.Diametr = 3;
  e.LineWidth = 4;
  e.GraphColor = colour;
  return e;
}

TFuncSet Sample(int n) {
  TFuncSet s;
  s.Xm = 0.02L;
  s.Ym = 0.0625L;
  s.Koef = 2;
  s.Sdvig = 0.25L;
  s.SetkaStep = 1;
  s.Oci = true;
  s.Setka = false;
  s.BkColor = 0xFFFFFF;
  s.OciColor = 0x123456;
  s.LinesColor = 0xE0E0E0;
  s.OciWidth = 3;
  for (int i = 0; i < n; ++i) s.Funcs.push_back(Entry("x^" + std::to_string(i + 1), 0x0000FFu + i));
  return s;
}

constexpr std::size_t E0 = FuncSetHeaderSize;  // first entry
constexpr std::size_t E1 = FuncSetHeaderSize + FuncSetBlockSize;

}  // namespace

TEST(FuncSetCodec, SizesAreWholeBlocksWithTheLastEntryCut) {
  for (const auto& [n, size] : {std::pair{1, 376u}, {3, 1128u}, {16, 6016u}}) {
    EXPECT_EQ(EncodeFuncSet(Sample(n)).size(), size) << n << " functions";
  }
}

TEST(FuncSetCodec, HeaderFieldsAtTheirOffsets) {
  TFuncSet s = Sample(1);
  s.OciWidth = -2;
  const Bytes b = EncodeFuncSet(s);
  EXPECT_EQ(Ext(b, 0), 0.02L);
  EXPECT_EQ(Ext(b, 10), 0.0625L);
  EXPECT_EQ(Ext(b, 20), 2.0L);
  EXPECT_EQ(Ext(b, 30), 0.25L);
  EXPECT_EQ(Ext(b, 40), 1.0L);
  EXPECT_EQ(b[50], 1);
  EXPECT_EQ(b[51], 0);
  EXPECT_EQ(U32(b, 52), 0xFFFFFFu);
  EXPECT_EQ(U32(b, 56), 0x123456u);
  EXPECT_EQ(U32(b, 60), 0xE0E0E0u);
  EXPECT_EQ(U32(b, 64), 0xFFFFFFFEu);
  EXPECT_EQ(U32(b, 68), 1u);
}

TEST(FuncSetCodec, EntryFieldsAtTheirOffsets) {
  TFuncSet s = Sample(2);
  TFuncSetEntry& e = s.Funcs[1];
  e.Expression = "sin(x)";
  e.IfMinX = true;
  e.IfMaxX = false;
  e.IfRazryv = true;
  e.IfLines = false;
  e.XPolog = true;
  e.XCeloe = true;
  e.MinX = -2.5L;
  e.MaxX = 7;
  e.Razryv = 0.5L;
  e.Kolvo = 5;
  e.Diametr = 6;
  e.LineWidth = 7;
  e.GraphColor = 0x00AABBCC;
  const Bytes b = EncodeFuncSet(s);
  EXPECT_EQ(b[E1 + 0], 6);
  EXPECT_EQ(b.substr(E1 + 1, 6), "sin(x)");
  const int flags[6] = {1, 0, 1, 0, 1, 1};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(b[E1 + 256 + k], flags[k]) << "flag " << k;
  EXPECT_EQ(Ext(b, E1 + 264), -2.5L);
  EXPECT_EQ(Ext(b, E1 + 274), 7.0L);
  EXPECT_EQ(Ext(b, E1 + 284), 0.5L);
  EXPECT_EQ(U16(b, E1 + 294), 5);
  EXPECT_EQ(U16(b, E1 + 296), 6);
  EXPECT_EQ(U16(b, E1 + 298), 7);
  EXPECT_EQ(U32(b, E1 + 300), 0x00AABBCCu);
  EXPECT_EQ(b.size(), E1 + 304);
  // The first entry keeps its padding, as zeros.
  EXPECT_EQ(b.substr(E0 + 304, 72), std::string(72, '\0'));
}

TEST(FuncSetCodec, ExtendedRealsBothWays) {
  struct Case {
    long double value;
    std::uint64_t significand;
    unsigned word;
  };
  const Case cases[] = {
      {1.0L, 0x8000000000000000u, 0x3FFF},  {0.0625L, 0x8000000000000000u, 0x3FFB},
      {10.0L, 0xA000000000000000u, 0x4002}, {-2.0L, 0x8000000000000000u, 0xC000},
      {50.0L, 0xC800000000000000u, 0x4004}, {2e-5L, 0xA7C5AC471B478423u, 0x3FEF},
      {0.0L, 0, 0},                         {-0.0L, 0, 0x8000},
  };
  for (const Case& c : cases) {
    std::uint8_t b[10] = {};
    PutExtended(b, c.value);
    std::uint64_t sig = 0;
    for (int i = 0; i < 8; ++i) sig |= static_cast<std::uint64_t>(b[i]) << (8 * i);
    EXPECT_EQ(sig, c.significand) << static_cast<double>(c.value);
    EXPECT_EQ(b[8] | (b[9] << 8), static_cast<int>(c.word)) << static_cast<double>(c.value);
    const long double back = GetExtended(b);
    EXPECT_EQ(back, c.value);
    EXPECT_EQ(std::signbit(back), std::signbit(c.value));
  }
}

#if defined(__x86_64__) || defined(__i386__)
// Here the machine's own long double is the stored format: it checks ours.
TEST(FuncSetCodec, ExtendedRealsMatchTheX87LayoutForManyValues) {
  static_assert(std::numeric_limits<long double>::digits == 64);
  std::mt19937_64 rng(12345);
  std::uniform_int_distribution<int> exps(-16440, 16380);
  std::uniform_real_distribution<double> mant(-1.0, 1.0);
  auto check = [](long double v) {
    std::uint8_t ours[10] = {};
    PutExtended(ours, v);
    std::uint8_t native[16] = {};
    std::memcpy(native, &v, 10);
    EXPECT_EQ(std::memcmp(ours, native, 10), 0) << static_cast<double>(v);
    EXPECT_EQ(GetExtended(ours), v);
  };
  for (int i = 0; i < 2000; ++i) check(std::ldexp(static_cast<long double>(mant(rng)), exps(rng)));
  check(std::numeric_limits<long double>::denorm_min());
  check(std::numeric_limits<long double>::min());
  check(-std::numeric_limits<long double>::max());
  check(std::numeric_limits<long double>::infinity());
}
#endif

TEST(FuncSetCodec, RoundTripKeepsEveryField) {
  TFuncSet s = Sample(3);
  s.Funcs[2].IfMinX = true;
  s.Funcs[2].XCeloe = true;
  s.Funcs[2].MinX = -1e-300L;
  s.Funcs[2].MaxX = 1e300L;
  const Bytes b = EncodeFuncSet(s);
  TFuncSet out;
  ASSERT_TRUE(Decode(b, out));
  EXPECT_EQ(EncodeFuncSet(out), b);
  ASSERT_EQ(out.Funcs.size(), 3u);
  EXPECT_EQ(out.Funcs[2].MinX, -1e-300L);
  EXPECT_EQ(out.Funcs[1].Expression, "x^2");
  EXPECT_EQ(out.OciColor, 0x123456u);
}

TEST(FuncSetCodec, LongExpressionsAreCutAndReportedAsNotFitting) {
  TFuncSet s = Sample(1);
  s.Funcs[0].Expression = std::string(255, 'x');
  EXPECT_TRUE(FuncSetFits(s));
  s.Funcs[0].Expression = std::string(300, 'x');
  EXPECT_FALSE(FuncSetFits(s));
  const Bytes b = EncodeFuncSet(s);
  EXPECT_EQ(static_cast<unsigned char>(b[E0]), 255);
  TFuncSet out;
  ASSERT_TRUE(Decode(b, out));
  EXPECT_EQ(out.Funcs[0].Expression, std::string(255, 'x'));
}

TEST(FuncSetCodec, EveryTruncationIsRefused) {
  const Bytes b = EncodeFuncSet(Sample(3));
  TFuncSet out = Sample(1);
  for (std::size_t n = 0; n < b.size(); ++n) EXPECT_FALSE(Decode(b.substr(0, n), out)) << n << " bytes";
  EXPECT_EQ(out.Funcs.size(), 1u);  // untouched
}

TEST(FuncSetCodec, CountsAndSizesOutsideTheRulesAreRefused) {
  const Bytes three = EncodeFuncSet(Sample(3));
  TFuncSet out;
  for (const std::int32_t count : {0, -1, 4, 17, 0x7FFFFFFF}) {
    Bytes b = three;
    SetU32(b, 68, static_cast<std::uint32_t>(count));
    EXPECT_FALSE(Decode(b, out)) << "count " << count;
  }
  // 17 blocks are accepted, 18 are not; a block more than counted is ignored.
  Bytes b = EncodeFuncSet(Sample(16)) + std::string(FuncSetBlockSize, '\0');
  ASSERT_EQ(b.size(), 17 * FuncSetBlockSize);
  EXPECT_TRUE(Decode(b, out));
  EXPECT_EQ(out.Funcs.size(), 16u);
  EXPECT_FALSE(Decode(b + std::string(FuncSetBlockSize, '\0'), out));
  Bytes two = three;
  SetU32(two, 68, 2);
  ASSERT_TRUE(Decode(two, out));
  EXPECT_EQ(out.Funcs.size(), 2u);
  EXPECT_FALSE(Decode(three + "x", out));
  EXPECT_FALSE(DecodeFuncSet(nullptr, 376, out));
}

TEST(FuncSetCodec, BadRealsAreRefused) {
  const Bytes good = EncodeFuncSet(Sample(3));
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  struct Case {
    std::size_t at;
    long double value;
  };
  const Case cases[] = {
      {0, 0.0L},       {0, -0.02L},          {0, nan},           {10, inf},  {10, -0.0L},
      {20, nan},       {30, -inf},           {40, nan},          {E0 + 264, inf},
      {E1 + 274, nan}, {E1 + FuncSetBlockSize + 284, -inf},
  };
  TFuncSet out;
  for (const Case& c : cases) {
    Bytes b = good;
    SetExt(b, c.at, c.value);
    EXPECT_FALSE(Decode(b, out)) << "offset " << c.at;
  }
  // An unnormal (exponent set, integer bit clear) is no number either.
  Bytes b = good;
  b[7] = 0;
  EXPECT_FALSE(Decode(b, out));
  // Reals beyond the counted entries are not looked at.
  b = good;
  SetU32(b, 68, 2);
  SetExt(b, E1 + FuncSetBlockSize + 264, nan);
  EXPECT_TRUE(Decode(b, out));
}

TEST(FuncSetCodec, SmallIntegersAreClampedAndColoursMasked) {
  Bytes b = EncodeFuncSet(Sample(1));
  SetU32(b, 52, 0xFF010203u);
  SetU32(b, 64, static_cast<std::uint32_t>(-5));
  SetU16(b, E0 + 294, 0);
  SetU16(b, E0 + 296, 100);
  SetU16(b, E0 + 298, 65535);
  SetU32(b, E0 + 300, 0x80FFFFFFu);
  b[E0 + 256] = 7;  // any non-zero flag byte is true
  TFuncSet out;
  ASSERT_TRUE(Decode(b, out));
  EXPECT_EQ(out.BkColor, 0x010203u);
  EXPECT_EQ(out.OciWidth, 1);
  EXPECT_EQ(out.Funcs[0].Kolvo, 1);
  EXPECT_EQ(out.Funcs[0].Diametr, 9);
  EXPECT_EQ(out.Funcs[0].LineWidth, 9);
  EXPECT_EQ(out.Funcs[0].GraphColor, 0xFFFFFFu);
  EXPECT_TRUE(out.Funcs[0].IfMinX);
}

TEST(FuncSetCodec, AnUnparsableTextBecomesAFunctionThatIsNeverDrawn) {
  TFuncSetEntry e = Entry("2++x", 0x0000FF);
  auto f = FunctionOfEntry(e);
  long double y = 0;
  f->Reset();
  f->Calc(y, 1.0L);
  EXPECT_NE(f->ErrorCode, 0);
  objScreen view;
  view.Funcs[0] = std::move(f);
  view.FuncCount = 1;
  view.CenterOrigin(100, 100);
  plat::TRecordingCanvas canvas(100, 100);
  DrawFunction(view, 0, canvas);
  EXPECT_TRUE(canvas.CallsOf("LineTo").empty());
  EXPECT_TRUE(canvas.CallsOf("SetPixel").empty());
}

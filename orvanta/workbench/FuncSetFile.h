#pragma once
// Function-set files (".ov2"): the whole function list with the view's
// scales, colours and grid and axes settings. Binary, little-endian, no
// header magic. A file for n functions (1..16) is 376 * n bytes: a 72-byte
// header and n entries of 376 bytes, the last entry cut after its 304 bytes
// of data.
//
// Header                               Entry (at 72 + 376 * i)
//   0 10 Xm          extended real       0 256 Expression: length byte, then
//  10 10 Ym                                    up to 255 Windows-1251 bytes
//  20 10 Koef                          256   6 IfMinX IfMaxX IfRazryv IfLines
//  30 10 Sdvig                                 XPolog XCeloe (non-zero: true)
//  40 10 SetkaStep                     262   2 padding
//  50  1 Oci      51 1 Setka           264  10 MinX    274 10 MaxX
//  52  4 BkColor  56 4 OciColor        284  10 Razryv
//  60  4 LinesColor                    294   2 Kolvo   296 2 Diametr
//  64  4 OciWidth (int32)              298   2 LineWidth
//  68  4 FuncCount (int32)             300   4 GraphColor
//                                      304  72 padding (absent from the last)
//
// An extended real is the 80-bit x87 format in 10 bytes: the 64-bit
// significand with its explicit integer bit, then the word of sign and
// 15-bit exponent (bias 16383). It is built from sign, exponent and
// significand, never copied from memory, so files are the same everywhere.
//
// Qt-free, so the fuzz build compiles it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SafeFile.h"

class objFunc;
class objScreen;

constexpr std::size_t FuncSetHeaderSize = 72;
constexpr std::size_t FuncSetBlockSize = 376;
constexpr std::size_t FuncSetEntryDataSize = 304;
constexpr std::size_t FuncSetMaxBlocks = 17;
constexpr std::size_t FuncSetMaxFileSize = FuncSetMaxBlocks * FuncSetBlockSize;  // 6392
constexpr std::size_t FuncSetExpressionMax = 255;
constexpr std::int32_t FuncSetMaxFuncs = 16;

// The 10 bytes of `v` (NaN is written as the x87 default quiet NaN).
void PutExtended(std::uint8_t* p, long double v);
// The value of 10 stored bytes. Encodings the x87 refuses as operands
// (infinities and NaNs aside: an exponent with a clear integer bit) read
// as NaN.
long double GetExtended(const std::uint8_t* p);

struct TFuncSetEntry {
  std::string Expression;  // Windows-1251 bytes
  bool IfMinX = false, IfMaxX = false, IfRazryv = false, IfLines = false, XPolog = false, XCeloe = false;
  long double MinX = 0, MaxX = 0, Razryv = 0;
  std::uint16_t Kolvo = 1, Diametr = 1, LineWidth = 1;
  std::uint32_t GraphColor = 0;
};

struct TFuncSet {
  long double Xm = 0, Ym = 0, Koef = 0, Sdvig = 0, SetkaStep = 0;
  bool Oci = false, Setka = false;
  std::uint32_t BkColor = 0, OciColor = 0, LinesColor = 0;
  std::int32_t OciWidth = 0;
  std::vector<TFuncSetEntry> Funcs;  // FuncCount is its size
};

// The file image of `s` (376 * n bytes for n functions, unused bytes zero);
// an expression longer than 255 bytes is cut to its first 255.
std::string EncodeFuncSet(const TFuncSet& s);
// Whether every expression of `s` fits into its field uncut.
bool FuncSetFits(const TFuncSet& s);

// Decodes and checks a whole file image. Refused (false, `out` untouched):
// no complete block, more than 17 blocks, a length that is not a whole
// number of blocks, a count outside 1..16 or above the number of blocks, a
// scale that is not finite and above 0, any other real that is not finite.
// Accepted values are brought into what the view can draw with: samples,
// dot diameter, line width and axis width into 1..9, the colours' unused
// high byte cleared. Blocks after the counted ones are ignored.
bool DecodeFuncSet(const std::uint8_t* data, std::size_t size, TFuncSet& out);

// Reads the file at `path` read-only (never more than 17 blocks' worth and
// one byte) and decodes it. False for a file that cannot be read (a folder,
// a device, a missing file) or that is refused.
bool ReadFuncSetFile(const std::string& path, TFuncSet& out);
// Writes the image of `s` to a temporary file beside `path` and renames it
// over `path`. Returns 0, or the errno of the failed step; the previous file
// is then left as it was. `name` says whether a link at `path` is written
// through (a name the user chose) or replaced ("last.ov2").
int WriteFuncSetFile(const std::string& path, const TFuncSet& s, plat::TargetName name);

// The set a view holds: its header values and its listed functions.
TFuncSet FuncSetOfView(const objScreen& view);
// A parsed function object for an entry. A text that does not parse keeps
// its parse error, so it is never drawn.
std::unique_ptr<objFunc> FunctionOfEntry(const TFuncSetEntry& e);
// Copies the header values of `s` into `view` (not the origin, the default
// scales or the list).
void ApplyFuncSetHeader(const TFuncSet& s, objScreen& view);

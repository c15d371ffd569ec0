#pragma once
// "newfunc.set": the new-function dialog's defaults, one fixed 88-byte
// little-endian record with no header. Qt-free so that the fuzz build can use it.
//
//  0..5   six flags (non-zero: checked): MinX, MaxX, XPolog, XCeloe, IfLines, IfRazryv
//  6      left limit text:  length byte, then 20 Windows-1251 bytes
//  27     right limit text: same form
//  48     jump limit text:  same form
//  69     3 bytes padding (written as zeros, never read)
//  72     dot diameter, int32
//  76     line width, int32
//  80     samples per pixel column, int32
//  84     graph colour, uint32 0x00BBGGRR
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t NewFuncSetSize = 88;
constexpr std::size_t NewFuncSetTextMax = 20;
// The three whole-number settings are up-down positions; anything outside
// this range would reach the drawing as a zero divisor or an endless loop.
constexpr std::int32_t NewFuncSetIntMin = 1;
constexpr std::int32_t NewFuncSetIntMax = 9;

struct TNewFuncSettings {
  bool MinX = false;
  bool MaxX = false;
  bool XPolog = false;
  bool XCeloe = false;
  bool IfLines = true;
  bool IfRazryv = true;
  std::string MinXText = "-1";  // Windows-1251 bytes
  std::string MaxXText = "1";
  std::string RazryvText = "10";
  std::int32_t Diametr = 1;
  std::int32_t LineWidth = 1;
  std::int32_t Kolvo = 1;
  std::uint32_t Color = 0x00808080;

  bool operator==(const TNewFuncSettings&) const = default;
};

// Brings a stored or typed whole-number setting into 1..9.
std::int32_t ClampNewFuncInt(std::int64_t v);

// The record of `s`: texts cut to 20 bytes, integers clamped to 1..9, unused
// bytes zero.
std::array<std::uint8_t, NewFuncSetSize> EncodeNewFuncSettings(const TNewFuncSettings& s);

// Decodes the first 88 bytes of `data`. Returns false (and leaves `out`
// alone) when fewer than 88 bytes are given. A length byte above 20 reads 20
// characters; integers are clamped to 1..9.
bool DecodeNewFuncSettings(const std::uint8_t* data, std::size_t size, TNewFuncSettings& out);

// Reads the file whole or not at all: on failure `out` is untouched and
// `error` holds the input/output error's text ("File not found" for a
// missing file, "Read beyond end of file" for a short one).
bool ReadNewFuncSetFile(const std::string& path, TNewFuncSettings& out, std::string& error);

// Writes the record to a temporary file beside `path` and renames it over
// `path`, so a failed write leaves the previous file as it was.
bool WriteNewFuncSetFile(const std::string& path, const TNewFuncSettings& s, std::string& error);

// The text of an input/output error, in the wording the program shows.
std::string IoErrorText(int err);

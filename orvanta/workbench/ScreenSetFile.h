#pragma once
// "screen.set": the view defaults, one 124-byte little-endian record.
//   0  21  x scale text (length byte n <= 20, then 20 Windows-1251 bytes)
//  21  21  y scale text        42  21  zoom factor text
//  63  21  pan step text       84  21  grid step text
// 105   1  axes flag          106   1  grid flag        107  1  padding
// 108   4  background colour  112   4  axes colour      116  4  grid colour
// 120   4  axes width (signed 32-bit)
// Qt-free, so the fuzz build compiles it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class objScreen;

constexpr std::size_t ScreenSetSize = 124;
constexpr std::size_t ScreenSetTextMax = 20;
extern const char* const ScreenSetFileName;  // "screen.set"

// The record as stored; texts are Windows-1251 bytes of at most 20 characters.
struct TScreenSettings {
  std::string XmText, YmText, KoefText, SdvigText, SetkaStepText;
  bool Oci = false;
  bool Setka = false;
  std::uint32_t BkColor = 0;
  std::uint32_t OciColor = 0;
  std::uint32_t LinesColor = 0;
  std::int32_t OciWidth = 0;
};

// The values a view takes from a record: each one inside the range the
// screen dialog accepts, or its built-in value when the stored one is not.
struct TScreenValues {
  long double Xm = 0, Ym = 0, Koef = 0, Sdvig = 0, SetkaStep = 0;
  bool Oci = false, Setka = false;
  std::uint32_t BkColor = 0, OciColor = 0, LinesColor = 0;
  std::int32_t OciWidth = 0;
};

// Reads the first 124 bytes of `data`; false when there are fewer. A length
// byte above 20 is read as 20.
bool DecodeScreenSettings(const unsigned char* data, std::size_t size, TScreenSettings& out);
// The 124 bytes of `s`: texts cut to 20 bytes, unused bytes zero.
std::vector<unsigned char> EncodeScreenSettings(const TScreenSettings& s);

// Converts and checks each stored value (see TScreenValues).
TScreenValues ValidateScreenSettings(const TScreenSettings& s);
// Whether each value lies where the view can use it.
bool ValidScale(long double v);      // 2e-5 < v < 50
bool ValidKoef(long double v);       // 1 < v <= 10
bool ValidSdvig(long double v);      // 0 < v <= 1
bool ValidSetkaStep(long double v);  // 0 < v, finite
bool ValidOciWidth(std::int32_t v);  // 1..9

// Puts the values into a view: scales (and default scales), factor, pan
// step, grid step, flags, colours and width. The origin and the list are not
// touched.
void ApplyScreenValues(const TScreenValues& v, objScreen& view);

// Reads the whole file at `path` and decodes it; false (and `error` set) when
// it cannot be opened or read or is shorter than 124 bytes. `out` is written
// only on success.
bool ReadScreenSettingsFile(const std::string& path, TScreenSettings& out, std::string* error = nullptr);
// Writes the record to a temporary file beside `path` and renames it over
// `path`, so a failed write leaves the previous file as it was. False with
// `error` set (the system's reason) on failure.
bool WriteScreenSettingsFile(const std::string& path, const TScreenSettings& s, std::string* error = nullptr);

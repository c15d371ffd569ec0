#include "orvanta/workbench/ScreenSetFile.h"

#include <fcntl.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "orvanta/engine/FuncsUnit.h"
#include "platform/SafeFile.h"
#include "orvanta/workbench/SetFileIo.h"
#include "orvanta/workbench/objScreenUnit.h"

const char* const ScreenSetFileName = "screen.set";

namespace {

constexpr std::size_t TextField = 1 + ScreenSetTextMax;  // 21
constexpr std::size_t OffXm = 0, OffYm = 21, OffKoef = 42, OffSdvig = 63, OffSetkaStep = 84;
constexpr std::size_t OffOci = 105, OffSetka = 106;
constexpr std::size_t OffBkColor = 108, OffOciColor = 112, OffLinesColor = 116, OffOciWidth = 120;

std::string GetText(const unsigned char* p) { return setfile::GetText(p, ScreenSetTextMax); }
void PutText(unsigned char* p, const std::string& s) { setfile::PutText(p, s, ScreenSetTextMax); }
using setfile::GetU32;
using setfile::PutU32;

// The stored text's number, or `fallback` when the value is outside its range.
long double Checked(const std::string& text, bool (*valid)(long double), long double fallback) {
  const long double v = StrToExt(text);
  return valid(v) ? v : fallback;
}

std::string SysError(const std::string& path, int err) {
  return path + ": " + plat::SysErrorText(err);
}

}  // namespace

bool ValidScale(long double v) { return v > MinScale && v < MaxScale; }
bool ValidKoef(long double v) { return v > 1 && v <= 10; }
bool ValidSdvig(long double v) { return v > 0 && v <= 1; }
bool ValidSetkaStep(long double v) { return v > 0 && std::isfinite(v); }
bool ValidOciWidth(std::int32_t v) { return v >= 1 && v <= 9; }

bool DecodeScreenSettings(const unsigned char* data, std::size_t size, TScreenSettings& out) {
  if (data == nullptr || size < ScreenSetSize) return false;
  TScreenSettings s;
  s.XmText = GetText(data + OffXm);
  s.YmText = GetText(data + OffYm);
  s.KoefText = GetText(data + OffKoef);
  s.SdvigText = GetText(data + OffSdvig);
  s.SetkaStepText = GetText(data + OffSetkaStep);
  s.Oci = data[OffOci] != 0;
  s.Setka = data[OffSetka] != 0;
  s.BkColor = GetU32(data + OffBkColor);
  s.OciColor = GetU32(data + OffOciColor);
  s.LinesColor = GetU32(data + OffLinesColor);
  s.OciWidth = static_cast<std::int32_t>(GetU32(data + OffOciWidth));
  out = std::move(s);
  return true;
}

std::vector<unsigned char> EncodeScreenSettings(const TScreenSettings& s) {
  std::vector<unsigned char> b(ScreenSetSize, 0);
  PutText(&b[OffXm], s.XmText);
  PutText(&b[OffYm], s.YmText);
  PutText(&b[OffKoef], s.KoefText);
  PutText(&b[OffSdvig], s.SdvigText);
  PutText(&b[OffSetkaStep], s.SetkaStepText);
  b[OffOci] = s.Oci ? 1 : 0;
  b[OffSetka] = s.Setka ? 1 : 0;
  PutU32(&b[OffBkColor], s.BkColor);
  PutU32(&b[OffOciColor], s.OciColor);
  PutU32(&b[OffLinesColor], s.LinesColor);
  PutU32(&b[OffOciWidth], static_cast<std::uint32_t>(s.OciWidth));
  static_assert(OffOciWidth + 4 == ScreenSetSize && OffSetkaStep + TextField == OffOci);
  return b;
}

TScreenValues ValidateScreenSettings(const TScreenSettings& s) {
  namespace d = screen_defaults;
  TScreenValues v;
  v.Xm = Checked(s.XmText, ValidScale, d::Xm);
  v.Ym = Checked(s.YmText, ValidScale, d::Ym);
  v.Koef = Checked(s.KoefText, ValidKoef, d::Koef);
  v.Sdvig = Checked(s.SdvigText, ValidSdvig, d::Sdvig);
  v.SetkaStep = Checked(s.SetkaStepText, ValidSetkaStep, d::SetkaStep);
  v.Oci = s.Oci;
  v.Setka = s.Setka;
  v.BkColor = s.BkColor & 0xFFFFFFu;
  v.OciColor = s.OciColor & 0xFFFFFFu;
  v.LinesColor = s.LinesColor & 0xFFFFFFu;
  v.OciWidth = ValidOciWidth(s.OciWidth) ? s.OciWidth : d::OciWidth;
  return v;
}

void ApplyScreenValues(const TScreenValues& v, objScreen& view) {
  view.Xm = v.Xm;
  view.Ym = v.Ym;
  view.DefaultXm = v.Xm;
  view.DefaultYm = v.Ym;
  view.Koef = v.Koef;
  view.Sdvig = v.Sdvig;
  view.SetkaStep = v.SetkaStep;
  view.OciWidth = v.OciWidth;
  view.BkColor = v.BkColor;
  view.OciColor = v.OciColor;
  view.LinesColor = v.LinesColor;
  view.Oci = v.Oci;
  view.Setka = v.Setka;
}

bool ReadScreenSettingsFile(const std::string& path, TScreenSettings& out, std::string* error) {
  unsigned char buf[ScreenSetSize];
  std::size_t got = 0;
  if (const int err = setfile::ReadPrefix(path, buf, ScreenSetSize, got); err != 0) {
    if (error) *error = SysError(path, err);
    return false;
  }
  if (got < ScreenSetSize) {
    if (error) *error = path + ": the file is shorter than " + std::to_string(ScreenSetSize) + " bytes";
    return false;
  }
  return DecodeScreenSettings(buf, got, out);
}

bool WriteScreenSettingsFile(const std::string& path, const TScreenSettings& s, std::string* error) {
  const std::vector<unsigned char> bytes = EncodeScreenSettings(s);
  if (const int err = plat::WriteFileAtomic(path, bytes.data(), bytes.size(), plat::TargetName::Fixed); err != 0) {
    if (error) *error = SysError(path, err);
    return false;
  }
  return true;
}

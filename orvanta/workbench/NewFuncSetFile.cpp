#include "orvanta/workbench/NewFuncSetFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/SafeFile.h"
#include "orvanta/workbench/SetFileIo.h"

namespace {

constexpr std::size_t kFlags = 0, kMinX = 6, kMaxX = 27, kRazryv = 48, kDiametr = 72,
                      kWidth = 76, kKolvo = 80, kColor = 84;

using setfile::GetU32;
using setfile::PutU32;
void PutText(std::uint8_t* p, const std::string& s) { setfile::PutText(p, s, NewFuncSetTextMax); }
std::string GetText(const std::uint8_t* p) { return setfile::GetText(p, NewFuncSetTextMax); }

}  // namespace

std::int32_t ClampNewFuncInt(std::int64_t v) {
  if (v < NewFuncSetIntMin) return NewFuncSetIntMin;
  if (v > NewFuncSetIntMax) return NewFuncSetIntMax;
  return static_cast<std::int32_t>(v);
}

std::array<std::uint8_t, NewFuncSetSize> EncodeNewFuncSettings(const TNewFuncSettings& s) {
  std::array<std::uint8_t, NewFuncSetSize> r{};
  const bool flags[6] = {s.MinX, s.MaxX, s.XPolog, s.XCeloe, s.IfLines, s.IfRazryv};
  for (int i = 0; i < 6; ++i) r[kFlags + i] = flags[i] ? 1 : 0;
  PutText(&r[kMinX], s.MinXText);
  PutText(&r[kMaxX], s.MaxXText);
  PutText(&r[kRazryv], s.RazryvText);
  PutU32(&r[kDiametr], static_cast<std::uint32_t>(ClampNewFuncInt(s.Diametr)));
  PutU32(&r[kWidth], static_cast<std::uint32_t>(ClampNewFuncInt(s.LineWidth)));
  PutU32(&r[kKolvo], static_cast<std::uint32_t>(ClampNewFuncInt(s.Kolvo)));
  PutU32(&r[kColor], s.Color);
  return r;
}

bool DecodeNewFuncSettings(const std::uint8_t* data, std::size_t size, TNewFuncSettings& out) {
  if (data == nullptr || size < NewFuncSetSize) return false;
  TNewFuncSettings s;
  s.MinX = data[kFlags + 0] != 0;
  s.MaxX = data[kFlags + 1] != 0;
  s.XPolog = data[kFlags + 2] != 0;
  s.XCeloe = data[kFlags + 3] != 0;
  s.IfLines = data[kFlags + 4] != 0;
  s.IfRazryv = data[kFlags + 5] != 0;
  s.MinXText = GetText(data + kMinX);
  s.MaxXText = GetText(data + kMaxX);
  s.RazryvText = GetText(data + kRazryv);
  s.Diametr = ClampNewFuncInt(static_cast<std::int32_t>(GetU32(data + kDiametr)));
  s.LineWidth = ClampNewFuncInt(static_cast<std::int32_t>(GetU32(data + kWidth)));
  s.Kolvo = ClampNewFuncInt(static_cast<std::int32_t>(GetU32(data + kKolvo)));
  s.Color = GetU32(data + kColor);
  out = s;
  return true;
}

std::string IoErrorText(int err) {
  switch (err) {
    case ENOENT: return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return "Invalid filename";
    case EMFILE:
    case ENFILE: return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    default: return "I/O error " + std::to_string(err);
  }
}

bool ReadNewFuncSetFile(const std::string& path, TNewFuncSettings& out, std::string& error) {
  std::uint8_t buf[NewFuncSetSize];
  std::size_t got = 0;
  if (const int err = setfile::ReadPrefix(path, buf, NewFuncSetSize, got); err != 0) {
    error = IoErrorText(err);
    return false;
  }
  if (got < NewFuncSetSize) {
    error = "Read beyond end of file";
    return false;
  }
  return DecodeNewFuncSettings(buf, got, out);
}

bool WriteNewFuncSetFile(const std::string& path, const TNewFuncSettings& s, std::string& error) {
  const auto rec = EncodeNewFuncSettings(s);
  if (const int err = plat::WriteFileAtomic(path, rec.data(), rec.size(), plat::TargetName::Fixed); err != 0) {
    error = IoErrorText(err);
    return false;
  }
  return true;
}

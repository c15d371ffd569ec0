#include "platform/Cp1251.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace cp1251 {
namespace {

// One conversion with iconv; a byte or character that cannot be converted is
// replaced by `replacement` and the conversion goes on after it.
std::string Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
                    bool skipUtf8Sequence) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.reserve(in.size() * 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buf[512];
  while (srcLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, dst - buf);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: skip one input unit and put the replacement.
      size_t skip = 1;
      if (skipUtf8Sequence) {
        unsigned char c = static_cast<unsigned char>(*src);
        size_t want = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        while (skip < want && skip < srcLeft &&
               (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80)
          ++skip;
      }
      src += skip;
      srcLeft -= skip;
      out.append(replacement);
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

bool IsAscii(std::string_view s) {
  for (unsigned char c : s)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

std::string ToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  return Convert("UTF-8", "CP1251", bytes, "\xEF\xBF\xBD", false);
}

std::string FromUtf8(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert("CP1251", "UTF-8", utf8, "?", true);
}

}  // namespace cp1251

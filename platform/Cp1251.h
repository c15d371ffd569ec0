#pragma once
// Windows-1251 is the code page of every text the programs show and every
// text file they write. Inside the programs UI texts are UTF-8 and formula
// texts are byte strings; this module is the one place where the two meet.
#include <string>
#include <string_view>

namespace cp1251 {

// Bytes in Windows-1251 to UTF-8. The one byte with no character (0x98)
// becomes U+FFFD, so a damaged file never stops a conversion.
std::string ToUtf8(std::string_view cp1251Bytes);

// UTF-8 to Windows-1251. A character the code page lacks, or a malformed
// UTF-8 sequence, becomes "?".
std::string FromUtf8(std::string_view utf8);

}  // namespace cp1251

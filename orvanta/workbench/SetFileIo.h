#pragma once
// The pieces both settings records ("screen.set", "newfunc.set") share: their
// little-endian fields and their whole-file reading and replacing. Qt-free so
// that the fuzz build can use it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace setfile {

inline std::uint32_t GetU32(const std::uint8_t* p) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return v;
}

inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A text field: a length byte, then `max` bytes. A length above `max` reads
// `max` characters.
inline std::string GetText(const std::uint8_t* p, std::size_t max) {
  const std::size_t n = p[0] < max ? p[0] : max;
  return std::string(reinterpret_cast<const char*>(p + 1), n);
}

inline void PutText(std::uint8_t* p, const std::string& s, std::size_t max) {
  const std::size_t n = s.size() < max ? s.size() : max;
  p[0] = static_cast<std::uint8_t>(n);
  std::memcpy(p + 1, s.data(), n);
}

// Reads up to `size` bytes of the regular file at `path` into `buf`; `got`
// is how many came. Returns 0, or the errno of the failed open or read (a
// FIFO, device or folder is refused without waiting).
int ReadPrefix(const std::string& path, std::uint8_t* buf, std::size_t size, std::size_t& got);

}  // namespace setfile

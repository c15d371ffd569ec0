#include "orvanta/workbench/SetFileIo.h"

#include <algorithm>

#include "platform/SafeFile.h"

namespace setfile {

int ReadPrefix(const std::string& path, std::uint8_t* buf, std::size_t size, std::size_t& got) {
  std::string bytes;
  got = 0;
  if (const int err = plat::ReadRegularFile(path, size, bytes); err != 0) return err;
  std::copy(bytes.begin(), bytes.end(), buf);
  got = bytes.size();
  return 0;
}

}  // namespace setfile

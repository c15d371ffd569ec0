#include "orvanta/workbench/SetFileIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace setfile {

int ReadPrefix(const std::string& path, std::uint8_t* buf, std::size_t size, std::size_t& got) {
  got = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int err = 0;
  while (got < size) {
    const ssize_t r = ::read(fd, buf + got, size - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  ::close(fd);
  return err;
}

int WriteAndReplace(int fd, const std::string& tmp, const std::string& path, const std::uint8_t* data,
                    std::size_t size) {
  std::size_t done = 0;
  int err = 0;
  while (done < size) {
    const ssize_t w = ::write(fd, data + done, size - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) ::unlink(tmp.c_str());
  return err;
}

}  // namespace setfile

#include "SafeFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace plat {

int ReadRegularFile(const std::string& path, std::size_t limit, std::string& out) {
  out.clear();
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return err;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  }
  int err = 0;
  std::size_t got = 0;
  std::size_t want = limit;
  if (st.st_size >= 0 && static_cast<unsigned long long>(st.st_size) < want) want = static_cast<std::size_t>(st.st_size);
  out.resize(want);
  while (got < limit) {
    if (got == out.size()) out.resize(std::min(limit, out.size() + 4096));  // the file grew meanwhile
    const ssize_t r = ::read(fd, out.data() + got, out.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  ::close(fd);
  out.resize(got);
  if (err != 0) out.clear();
  return err;
}

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int WriteAll(int fd, const unsigned char* p, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t w = ::write(fd, p + done, size - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (w == 0) return EIO;
    done += static_cast<std::size_t>(w);
  }
  return 0;
}

// The file a name chosen by the user stands for: the name itself, or the
// end of its chain of links. A link's relative target counts from the link's
// own folder, as the system reads it. A missing end is a file to create.
int FollowLinks(std::string path, std::string& out) {
  constexpr int MaxLinks = 40;  // as many as the system itself follows
  for (int links = 0; links <= MaxLinks; ++links) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno != ENOENT) return errno;
      out = std::move(path);
      return 0;
    }
    if (!S_ISLNK(st.st_mode)) {
      if (links > 0 && !S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
      out = std::move(path);
      return 0;
    }
    std::vector<char> target(PATH_MAX);
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return errno;
    if (n == 0) return ENOENT;
    if (static_cast<std::size_t>(n) >= target.size()) return ENAMETOOLONG;
    const std::string next(target.data(), static_cast<std::size_t>(n));
    // A link naming "folder/" names no file to write.
    if (next.back() == '/') return EISDIR;
    path = next.front() == '/' ? next : FolderOf(path) + next;
  }
  return ELOOP;
}

// Whether the file at `path` may be replaced: refused as a plain open for
// writing would refuse it, or with EACCES when nobody at all may write it.
int CheckWritable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;  // a new file: creating it decides
  // A folder refuses the rename; a link to one at a fixed name is replaced.
  if (!S_ISREG(st.st_mode)) return 0;
  // The rename would replace even a write-protected file, since only the
  // folder's permissions count for it; the target's own must count too.
  // The system's reason is kept: EROFS, EPERM for an immutable file.
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  // The superuser passes every access check, yet a file without a single
  // write bit was made read-only on purpose: it is kept for him as well.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return 0;
}

// Makes the rename itself durable: without it a power cut can bring back
// the old file, or none. Only where the folder can be opened: in a folder
// the user may write and search but not read, the rename is as safe as it
// gets there.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

int WriteFileAtomic(const std::string& target, const void* data, std::size_t size, TargetName name) {
  if (target.empty() || target.back() == '/') return EISDIR;
  std::string path = target;
  if (name == TargetName::Chosen) {
    if (const int err = FollowLinks(target, path); err != 0) return err;
  }
  if (const int err = CheckWritable(path); err != 0) return err;
  // mkstemp creates the name exclusively (O_EXCL): a link planted at any name
  // it could choose is never followed, and two writers never share a file.
  std::string tmpl = FolderOf(path) + "." + NameOf(path) + ".XXXXXX";
  std::vector<char> tmpName(tmpl.begin(), tmpl.end());
  tmpName.push_back('\0');
  const int fd = ::mkostemp(tmpName.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  const std::string tmp(tmpName.data());

  mode_t mode = 0;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  int err = 0;
  if (::fchmod(fd, mode) != 0) err = errno;
  if (err == 0) err = WriteAll(fd, static_cast<const unsigned char*>(data), size);
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(tmp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(tmp.c_str());
    return err;
  }
  SyncFolder(FolderOf(path));
  return 0;
}

std::string SysErrorText(int err) {
  // The programs speak Russian whatever the system's locale, so the errors
  // a file command can meet have texts of their own here.
  struct Entry {
    int code;
    const char* text;
  };
  static const Entry kTexts[] = {
      {EPERM, "Операция не позволена"},
      {ENOENT, "Нет такого файла или каталога"},
      {EIO, "Ошибка ввода-вывода"},
      {ENXIO, "Нет такого устройства или адреса"},
      {EBADF, "Неверный дескриптор файла"},
      {EAGAIN, "Ресурс временно недоступен"},
      {ENOMEM, "Недостаточно памяти"},
      {EACCES, "Отказано в доступе"},
      {EBUSY, "Устройство или ресурс занято"},
      {EEXIST, "Файл существует"},
      {EXDEV, "Неверная ссылка между устройствами"},
      {ENODEV, "Нет такого устройства"},
      {ENOTDIR, "Это не каталог"},
      {EISDIR, "Это каталог"},
      {EINVAL, "Недопустимый аргумент"},
      {ENFILE, "Слишком много открытых файлов в системе"},
      {EMFILE, "Слишком много открытых файлов"},
      {ETXTBSY, "Текстовый файл занят"},
      {EFBIG, "Файл слишком велик"},
      {ENOSPC, "На устройстве не осталось свободного места"},
      {EROFS, "Файловая система доступна только для чтения"},
      {EMLINK, "Слишком много ссылок"},
      {ENAMETOOLONG, "Слишком длинное имя файла"},
      {ELOOP, "Слишком много уровней символьных ссылок"},
      {EDQUOT, "Превышена дисковая квота"},
      {ESTALE, "Устаревший дескриптор файла"},
  };
  for (const Entry& e : kTexts)
    if (e.code == err) return e.text;
  return "Системная ошибка " + std::to_string(err);
}

}  // namespace plat

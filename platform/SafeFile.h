#pragma once
// Reading and replacing the files of ours (settings, function sets, tables,
// pictures). Qt-free, so the engines' fuzz and sanitizer builds can use it.
//
// Reads accept only regular files and never block: a FIFO, a device or a
// folder in place of a file is refused at once. Writes go to a private
// temporary file created exclusively beside the target, are flushed and
// synced, and only then renamed over the target; on any failure the
// temporary file is removed and the target stays byte for byte as it was.
#include <cstddef>
#include <string>

namespace plat {

// Reads at most `limit` bytes of the regular file at `path` into `out`
// (pass one more than the largest size you accept to see an oversized file).
// Returns 0, or an errno value: the failed open or read, EISDIR for a folder,
// EINVAL for anything else that is not a regular file.
int ReadRegularFile(const std::string& path, std::size_t limit, std::string& out);

// Replaces the file at `path` with `size` bytes from `data`. A new file gets
// the permissions 0666 less the umask; an existing one keeps its own. An
// existing file this user may not write, or one without any write permission
// (so even the superuser's save keeps a file made read-only), is refused with
// EACCES and kept. After the rename the folder is synced as well.
// Returns 0, or the errno value of the failed step.
int WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline int WriteFileAtomic(const std::string& path, const std::string& bytes) {
  return WriteFileAtomic(path, bytes.data(), bytes.size());
}

// A write beyond the file-size limit (RLIMIT_FSIZE) then fails with EFBIG
// and is reported like any failed save, instead of the signal killing the
// program and leaving its temporary file behind. Called once at start-up.
void IgnoreFileSizeSignal();

// The text of an errno value in Russian, as the programs' messages quote it
// (never empty; an uncommon value gives its number).
std::string SysErrorText(int err);

}  // namespace plat

#pragma once
// Reading and replacing the files of ours (settings, function sets, tables,
// pictures). Qt-free, so the engines' fuzz and sanitizer builds can use it.
//
// Reads accept only regular files and never block: a FIFO, a device or a
// folder in place of a file is refused at once. Writes go to a private
// temporary file created exclusively beside the target (beside the file a
// chosen link names), are flushed and synced, and only then renamed over the
// target; on any failure the temporary file is removed and the target stays
// byte for byte as it was.
#include <cstddef>
#include <string>

namespace plat {

// Reads at most `limit` bytes of the regular file at `path` into `out`
// (pass one more than the largest size you accept to see an oversized file).
// Returns 0, or an errno value: the failed open or read, EISDIR for a folder,
// EINVAL for anything else that is not a regular file.
int ReadRegularFile(const std::string& path, std::size_t limit, std::string& out);

// Whose name a written file has, which decides what a symbolic link there
// means.
enum class TargetName {
  // The program's own file at a fixed name (the settings files, "last.ov2"):
  // a link at that name is replaced by the file like anything else there,
  // and the file it names is never written.
  Fixed,
  // A name the user chose in a file dialog: a link there stands for the file
  // it names (through any chain of links), which is replaced in its own
  // folder while the link stays. A link to a missing file creates that file
  // when its folder exists; a link to a folder is refused with EISDIR, a link
  // to anything else that is no regular file with EINVAL.
  Chosen,
};

// Replaces the file at `path` with `size` bytes from `data`. A new file gets
// the permissions 0666 less the umask; an existing one keeps its own. An
// existing file this user may not write, or one without any write permission
// (so even the superuser's save keeps a file made read-only), is refused and
// kept. Once the new file has been renamed into place the save is done: the
// folder is then synced where it can be opened, and a failure there is not
// a failed save.
// Returns 0, or the errno value the system gave for the failed step.
int WriteFileAtomic(const std::string& path, const void* data, std::size_t size, TargetName name);
inline int WriteFileAtomic(const std::string& path, const std::string& bytes, TargetName name) {
  return WriteFileAtomic(path, bytes.data(), bytes.size(), name);
}

// A write beyond the file-size limit (RLIMIT_FSIZE) then fails with EFBIG
// and is reported like any failed save, instead of the signal killing the
// program and leaving its temporary file behind. Called once at start-up.
void IgnoreFileSizeSignal();

// The text of an errno value in Russian, as the programs' messages quote it
// (never empty; an uncommon value gives its number).
std::string SysErrorText(int err);

}  // namespace plat

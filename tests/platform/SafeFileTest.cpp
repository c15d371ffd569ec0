// Reading only regular files and replacing files whole: what a planted link,
// a FIFO, a device, a folder or a failure half-way through does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/SafeFile.h"

namespace fs = std::filesystem;

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::string tmpl = (fs::temp_directory_path() / "safefile.XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data()) ? tmpl : std::string();
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }
  // Every name in the folder, links and folders included.
  std::set<std::string> Names() const {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(path_)) out.insert(e.path().filename().string());
    return out;
  }

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Sets a resource limit's soft value for the lifetime of the object.
class ScopedLimit {
 public:
  ScopedLimit(int resource, rlim_t soft) : resource_(resource) {
    ::getrlimit(resource_, &old_);
    struct rlimit lim = old_;
    lim.rlim_cur = soft;
    ok_ = ::setrlimit(resource_, &lim) == 0;
  }
  ~ScopedLimit() { ::setrlimit(resource_, &old_); }
  bool Ok() const { return ok_; }

 private:
  int resource_;
  struct rlimit old_ {};
  bool ok_ = false;
};

const std::string OldBytes = "the previous contents\n";

}  // namespace

TEST(WriteFileAtomic, ReplacesTheFileAndKeepsItsPermissions) {
  TempFolder dir;
  const std::string path = dir.File("screen.set");
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string("first")), 0);
  EXPECT_EQ(ReadAll(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string("second, longer")), 0);
  EXPECT_EQ(ReadAll(path), "second, longer");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // An empty record is a valid file too.
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string()), 0);
  EXPECT_EQ(fs::file_size(path), 0u);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"screen.set"});
}

TEST(WriteFileAtomic, NeverFollowsALinkPlantedAtAnyNameItUses) {
  TempFolder dir;
  const std::string victim = dir.File("victim");
  WriteAll(victim, OldBytes);
  const std::string path = dir.File("screen.set");
  // The names a fixed-name writer would use, and the target itself.
  const std::string planted[] = {"screen.set.tmp", ".screen.set.tmp", "screen.set~", "screen.tmp"};
  for (const std::string& name : planted) fs::create_symlink(victim, dir.File(name));
  fs::create_symlink(victim, path);
  for (int i = 0; i < 20; ++i) {  // enough writes to draw many private names
    ASSERT_EQ(plat::WriteFileAtomic(path, "record " + std::to_string(i)), 0);
    EXPECT_EQ(ReadAll(victim), OldBytes) << "the link's target was written on write " << i;
  }
  // The link at the target was replaced by the file, not written through.
  EXPECT_FALSE(fs::is_symlink(path));
  EXPECT_EQ(ReadAll(path), "record 19");
  std::set<std::string> expected{"victim", "screen.set"};
  for (const std::string& name : planted) {
    expected.insert(name);
    EXPECT_TRUE(fs::is_symlink(dir.File(name)));
  }
  EXPECT_EQ(dir.Names(), expected) << "a temporary file was left behind";
}

TEST(WriteFileAtomic, AFailureAtEveryStepKeepsTheTargetAndLeavesNoTemporaryFile) {
  TempFolder dir;
  const std::string path = dir.File("newfunc.set");
  const std::string big(4096, 'x');

  // Create: no folder, a file where the folder should be, no descriptor left.
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("missing/newfunc.set"), big), ENOENT);
  WriteAll(dir.File("plain"), "plain");
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("plain/newfunc.set"), big), ENOTDIR);
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("folder/"), big), EISDIR);
  WriteAll(path, OldBytes);
  {
    ScopedLimit noFiles(RLIMIT_NOFILE, 0);
    ASSERT_TRUE(noFiles.Ok());
    const int err = plat::WriteFileAtomic(path, big);
    EXPECT_EQ(err, EMFILE);
  }
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"plain", "newfunc.set"}));

  // Write: the file-size limit stops the write half-way.
  {
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ScopedLimit small(RLIMIT_FSIZE, 100);
    ASSERT_TRUE(small.Ok());
    const int err = plat::WriteFileAtomic(path, big);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(err, EFBIG);
  }
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"plain", "newfunc.set"}));

  // Rename: a folder, empty or not, at the target.
  fs::create_directory(dir.File("empty.set"));
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("empty.set"), big), EISDIR);
  EXPECT_TRUE(fs::is_directory(dir.File("empty.set")));
  fs::create_directory(dir.File("full.set"));
  WriteAll(dir.File("full.set/keep"), OldBytes);
  EXPECT_NE(plat::WriteFileAtomic(dir.File("full.set"), big), 0);
  EXPECT_EQ(ReadAll(dir.File("full.set/keep")), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"plain", "newfunc.set", "empty.set", "full.set"}));
}

TEST(ReadRegularFile, ReadsUpToTheLimit) {
  TempFolder dir;
  const std::string path = dir.File("screen.set");
  WriteAll(path, "0123456789");
  std::string out = "stale";
  EXPECT_EQ(plat::ReadRegularFile(path, 4, out), 0);
  EXPECT_EQ(out, "0123");
  EXPECT_EQ(plat::ReadRegularFile(path, 100, out), 0);
  EXPECT_EQ(out, "0123456789");
  // A link to a regular file is read like the file.
  fs::create_symlink(path, dir.File("link"));
  EXPECT_EQ(plat::ReadRegularFile(dir.File("link"), 100, out), 0);
  EXPECT_EQ(out, "0123456789");
  EXPECT_EQ(plat::ReadRegularFile(dir.File("missing"), 100, out), ENOENT);
  EXPECT_TRUE(out.empty());
}

TEST(ReadRegularFile, RefusesFifosDevicesAndFoldersAtOnce) {
  TempFolder dir;
  const std::string fifo = dir.File("fifo.set");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(dir.File("folder.set"));
  struct Case {
    std::string path;
    int err;
  };
  // /dev/zero would fill any limit, /dev/null reads as empty: neither is a file of ours.
  const Case cases[] = {{fifo, EINVAL}, {dir.File("folder.set"), EISDIR}, {"/dev/zero", EINVAL},
                        {"/dev/null", EINVAL}};
  for (const Case& c : cases) {
    std::string out = "stale";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(plat::ReadRegularFile(c.path, 1 << 20, out), c.err) << c.path;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.path;
    EXPECT_TRUE(out.empty()) << c.path;
  }
  // A FIFO with a writer holding it open is refused the same way.
  const int w = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(w, 0);
  ASSERT_EQ(::write(w, "abc", 3), 3);
  std::string out;
  EXPECT_EQ(plat::ReadRegularFile(fifo, 100, out), EINVAL);
  EXPECT_TRUE(out.empty());
  ::close(w);
}

TEST(WriteFileAtomic, KeepsAFileMadeReadOnlyEvenForTheSuperuser) {
  TempFolder dir;
  const std::string path = dir.File("last.ov2");
  WriteAll(path, OldBytes);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new")), EACCES);
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"last.ov2"}));

  // Writable by its owner only: the owner's save goes through.
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new")), 0);
  EXPECT_EQ(ReadAll(path), "new");
  if (::geteuid() == 0) return;
  // Group-writable but not by its owner: a plain open would refuse the owner.
  ASSERT_EQ(::chmod(path.c_str(), 0464), 0);
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("newer")), EACCES);
  EXPECT_EQ(ReadAll(path), "new");
}

TEST(WriteFileAtomic, AFileSizeLimitFailsTheSaveInsteadOfKillingTheProgram) {
  TempFolder dir;
  const std::string path = dir.File("picture.bmp");
  WriteAll(path, OldBytes);
  // In a child: the signal's disposition and the limit are the whole process's.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    plat::IgnoreFileSizeSignal();
    struct rlimit lim {};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = 100;
    if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(2);
    ::_exit(plat::WriteFileAtomic(path, std::string(4096, 'x')) == EFBIG ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "killed by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"picture.bmp"}));
}

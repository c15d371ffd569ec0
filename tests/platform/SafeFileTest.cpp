// Reading only regular files and replacing files whole: what a planted link,
// a link the user chose, a FIFO, a device, a folder or a failure half-way
// through does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
#include "tests/common/InChild.h"

namespace fs = std::filesystem;

namespace {

constexpr plat::TargetName Fixed = plat::TargetName::Fixed;
constexpr plat::TargetName Chosen = plat::TargetName::Chosen;

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
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string("first"), Fixed), 0);
  EXPECT_EQ(ReadAll(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string("second, longer"), Fixed), 0);
  EXPECT_EQ(ReadAll(path), "second, longer");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  // An empty record is a valid file too.
  ASSERT_EQ(plat::WriteFileAtomic(path, std::string(), Fixed), 0);
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
    ASSERT_EQ(plat::WriteFileAtomic(path, "record " + std::to_string(i), Fixed), 0);
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
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("missing/newfunc.set"), big, Fixed), ENOENT);
  WriteAll(dir.File("plain"), "plain");
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("plain/newfunc.set"), big, Fixed), ENOTDIR);
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("folder/"), big, Fixed), EISDIR);
  WriteAll(path, OldBytes);
  {
    ScopedLimit noFiles(RLIMIT_NOFILE, 0);
    ASSERT_TRUE(noFiles.Ok());
    const int err = plat::WriteFileAtomic(path, big, Fixed);
    EXPECT_EQ(err, EMFILE);
  }
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"plain", "newfunc.set"}));

  // Write: the file-size limit stops the write half-way.
  {
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ScopedLimit small(RLIMIT_FSIZE, 100);
    ASSERT_TRUE(small.Ok());
    const int err = plat::WriteFileAtomic(path, big, Fixed);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(err, EFBIG);
  }
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"plain", "newfunc.set"}));

  // Rename: a folder, empty or not, at the target.
  fs::create_directory(dir.File("empty.set"));
  EXPECT_EQ(plat::WriteFileAtomic(dir.File("empty.set"), big, Fixed), EISDIR);
  EXPECT_TRUE(fs::is_directory(dir.File("empty.set")));
  fs::create_directory(dir.File("full.set"));
  WriteAll(dir.File("full.set/keep"), OldBytes);
  EXPECT_NE(plat::WriteFileAtomic(dir.File("full.set"), big, Fixed), 0);
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
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new"), Fixed), EACCES);
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"last.ov2"}));

  // Writable by its owner only: the owner's save goes through.
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new"), Fixed), 0);
  EXPECT_EQ(ReadAll(path), "new");

  // Group-writable but not by its owner: a plain open would refuse the owner.
  // As a user the access checks apply to, in a folder open to that user.
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
  const std::string own = dir.File("own.ov2");
  EXPECT_TRUE(orv_test::AsPlainUser([&] {
    return plat::WriteFileAtomic(own, std::string("mine"), Fixed) == 0 && ::chmod(own.c_str(), 0464) == 0 &&
           plat::WriteFileAtomic(own, std::string("newer"), Fixed) == EACCES && ReadAll(own) == "mine";
  }));
  EXPECT_EQ(ReadAll(own), "mine");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"last.ov2", "own.ov2"}));
}

TEST(WriteFileAtomic, AFileSizeLimitFailsTheSaveInsteadOfKillingTheProgram) {
  TempFolder dir;
  const std::string path = dir.File("picture.bmp");
  WriteAll(path, OldBytes);
  EXPECT_TRUE(orv_test::UnderFileSizeLimit(100, [&] {
    plat::IgnoreFileSizeSignal();
    return plat::WriteFileAtomic(path, std::string(4096, 'x'), Fixed) == EFBIG;
  }));
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"picture.bmp"}));
}

// Once the rename is done the save is done, even where the folder cannot be
// opened for the sync that follows: a folder the user may write and search
// but not read.
TEST(WriteFileAtomic, SavesInAFolderThatMayNotBeRead) {
  TempFolder dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0711), 0);
  const std::string drop = dir.File("drop");
  fs::create_directory(drop);
  const std::string existing = drop + "/set.ov2", fresh = drop + "/last.ov2";
  WriteAll(existing, OldBytes);
  ASSERT_EQ(::chmod(existing.c_str(), 0666), 0);
  ASSERT_EQ(::chmod(drop.c_str(), 0333), 0);
  EXPECT_TRUE(orv_test::AsPlainUser([&] {
    if (::open(drop.c_str(), O_RDONLY | O_DIRECTORY) >= 0) ::_exit(orv_test::ChildSetupFailed);  // may read it
    return plat::WriteFileAtomic(existing, std::string("replaced"), Chosen) == 0 &&
           plat::WriteFileAtomic(fresh, std::string("created"), Fixed) == 0;
  }));
  ASSERT_EQ(::chmod(drop.c_str(), 0755), 0);
  EXPECT_EQ(ReadAll(existing), "replaced");
  EXPECT_EQ(ReadAll(fresh), "created");
  EXPECT_EQ(fs::status(existing).permissions(), fs::perms(0666));
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(drop)) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"set.ov2", "last.ov2"}));
}

namespace {

// The immutable attribute on a file for the lifetime of the object, where the
// file system and the user's rights allow it.
class Immutable {
 public:
  explicit Immutable(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &old_) != 0) return;
    int flags = old_ | FS_IMMUTABLE_FL;
    ok_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ~Immutable() {
    if (ok_) ::ioctl(fd_, FS_IOC_SETFLAGS, &old_);
    if (fd_ >= 0) ::close(fd_);
  }
  bool Ok() const { return ok_; }

 private:
  int fd_;
  int old_ = 0;
  bool ok_ = false;
};

}  // namespace

TEST(WriteFileAtomic, ReportsTheErrorTheSystemGave) {
  TempFolder dir;
  const std::string path = dir.File("table.txt");
  WriteAll(path, OldBytes);
  Immutable locked(path);
  if (!locked.Ok()) GTEST_SKIP() << "no immutable files here";
  // Not even the superuser may replace an immutable file; the reason is
  // the system's, not a refused permission.
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new"), Chosen), EPERM);
  EXPECT_EQ(plat::WriteFileAtomic(path, std::string("new"), Fixed), EPERM);
  EXPECT_EQ(plat::SysErrorText(EPERM), "Операция не позволена");
  EXPECT_EQ(ReadAll(path), OldBytes);
  EXPECT_EQ(dir.Names(), std::set<std::string>{"table.txt"});
}

// A name the user chose that is a link stands for the file it names: that
// file gets the new contents, in its own folder, and the link stays.
TEST(WriteFileAtomic, WritesThroughALinkTheUserChose) {
  TempFolder dir;
  fs::create_directory(dir.File("sets"));
  fs::create_directory(dir.File("links"));
  const std::string file = dir.File("sets/plot.ov2");
  WriteAll(file, OldBytes);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  // Relative links count from their own folder; a chain is followed to its end.
  const std::string link = dir.File("links/plot.ov2"), chain = dir.File("chain.ov2");
  fs::create_symlink("../sets/plot.ov2", link);
  fs::create_symlink(link, chain);

  ASSERT_EQ(plat::WriteFileAtomic(link, std::string("through the link"), Chosen), 0);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "../sets/plot.ov2");
  EXPECT_EQ(ReadAll(file), "through the link");
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));

  ASSERT_EQ(plat::WriteFileAtomic(chain, std::string("through the chain"), Chosen), 0);
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(file), "through the chain");

  // A link to a file that is missing creates that file where its folder is.
  const std::string dangling = dir.File("links/new.bmp");
  fs::create_symlink("../sets/new.bmp", dangling);
  ASSERT_EQ(plat::WriteFileAtomic(dangling, std::string("created"), Chosen), 0);
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadAll(dir.File("sets/new.bmp")), "created");
  // ... but no folder is made for it.
  const std::string nowhere = dir.File("links/nowhere.bmp");
  fs::create_symlink("../missing/new.bmp", nowhere);
  EXPECT_EQ(plat::WriteFileAtomic(nowhere, std::string("lost"), Chosen), ENOENT);
  EXPECT_TRUE(fs::is_symlink(nowhere));

  // A file made read-only is kept behind its link as well.
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_EQ(plat::WriteFileAtomic(link, std::string("refused"), Chosen), EACCES);
  EXPECT_EQ(ReadAll(file), "through the chain");
  EXPECT_TRUE(fs::is_symlink(link));

  EXPECT_EQ(dir.Names(), (std::set<std::string>{"sets", "links", "chain.ov2"}));
  std::set<std::string> sets, links;
  for (const auto& e : fs::directory_iterator(dir.File("sets"))) sets.insert(e.path().filename().string());
  for (const auto& e : fs::directory_iterator(dir.File("links"))) links.insert(e.path().filename().string());
  EXPECT_EQ(sets, (std::set<std::string>{"plot.ov2", "new.bmp"})) << "a temporary file was left behind";
  EXPECT_EQ(links, (std::set<std::string>{"plot.ov2", "new.bmp", "nowhere.bmp"}));
}

TEST(WriteFileAtomic, RefusesAChosenLinkToAnythingButAFile) {
  TempFolder dir;
  const std::string folder = dir.File("folder"), fifo = dir.File("fifo");
  fs::create_directory(folder);
  WriteAll(folder + "/keep", OldBytes);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    const char* link;
    std::string target;
    int err;
  };
  const Case cases[] = {{"folder.bmp", folder, EISDIR},     {"slash.bmp", folder + "/", EISDIR},
                        {"fifo.bmp", fifo, EINVAL},         {"null.bmp", "/dev/null", EINVAL},
                        {"loop.bmp", "loop2.bmp", ELOOP},   {"loop2.bmp", "loop.bmp", ELOOP}};
  for (const Case& c : cases) fs::create_symlink(c.target, dir.File(c.link));
  for (const Case& c : cases) {
    EXPECT_EQ(plat::WriteFileAtomic(dir.File(c.link), std::string("new"), Chosen), c.err) << c.link;
    EXPECT_TRUE(fs::is_symlink(dir.File(c.link))) << c.link;
  }
  EXPECT_EQ(plat::SysErrorText(EISDIR), "Это каталог");
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(ReadAll(folder + "/keep"), OldBytes);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(dir.Names().size(), 2u + std::size(cases)) << "a temporary file was left behind";
}

// The program's own files at fixed names keep their rule: a link there is
// replaced by the file, whatever it named, and the file it named is kept.
TEST(WriteFileAtomic, ReplacesALinkAtAFixedName) {
  TempFolder dir;
  const std::string file = dir.File("elsewhere.set"), folder = dir.File("folder");
  WriteAll(file, OldBytes);
  fs::create_directory(folder);
  const std::string toFile = dir.File("screen.set"), toFolder = dir.File("newfunc.set"),
                    dangling = dir.File("last.ov2");
  fs::create_symlink(file, toFile);
  fs::create_symlink(folder, toFolder);
  fs::create_symlink(dir.File("missing.ov2"), dangling);
  for (const std::string& path : {toFile, toFolder, dangling}) {
    ASSERT_EQ(plat::WriteFileAtomic(path, std::string("record"), Fixed), 0) << path;
    EXPECT_FALSE(fs::is_symlink(path)) << path;
    EXPECT_EQ(ReadAll(path), "record") << path;
  }
  EXPECT_EQ(ReadAll(file), OldBytes);
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"elsewhere.set", "folder", "screen.set", "newfunc.set", "last.ov2"}));
}

// Checks run in a forked child, for what belongs to the whole process: the
// file-size limit with its signal, and the user the process runs as. The
// child reports by its exit status only; it ends with _exit, so nothing of
// the test program (Qt, gtest) is torn down twice.
#pragma once

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace orv_test {

// Exit status of a child whose set-up (limit, user) failed before the check.
constexpr int ChildSetupFailed = 2;

// Runs `check` in a forked child: passes when it returned true, fails when it
// returned false or the child was killed by a signal.
inline ::testing::AssertionResult InChild(const std::function<bool()>& check) {
  const pid_t child = ::fork();
  if (child < 0) return ::testing::AssertionFailure() << "fork: " << std::strerror(errno);
  if (child == 0) ::_exit(check() ? 0 : 1);
  int status = 0;
  pid_t got = 0;
  while ((got = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
  }
  if (got != child) return ::testing::AssertionFailure() << "waitpid: " << std::strerror(errno);
  if (WIFSIGNALED(status)) return ::testing::AssertionFailure() << "the child was killed by signal " << WTERMSIG(status);
  if (!WIFEXITED(status)) return ::testing::AssertionFailure() << "the child did not end normally";
  if (WEXITSTATUS(status) == ChildSetupFailed)
    return ::testing::AssertionFailure() << "the child could not be set up";
  if (WEXITSTATUS(status) != 0) return ::testing::AssertionFailure() << "the check failed in the child";
  return ::testing::AssertionSuccess();
}

// `check` in a child whose file-size limit is `bytes`: a longer write fails
// there with EFBIG, or its signal kills the child unless ignored.
inline ::testing::AssertionResult UnderFileSizeLimit(rlim_t bytes, const std::function<bool()>& check) {
  return InChild([&] {
    struct rlimit lim {};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = bytes;
    if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(ChildSetupFailed);
    return check();
  });
}

// `check` in a child without the superuser's rights, so that the access of
// files and folders is checked as for any user: when the tests run as root,
// the child becomes "nobody" (group "nogroup"), else it stays who it is.
// Anything the child must reach has to be open to others.
inline ::testing::AssertionResult AsPlainUser(const std::function<bool()>& check) {
  return InChild([&] {
    if (::geteuid() == 0) {
      const struct passwd* pw = ::getpwnam("nobody");
      const uid_t uid = pw ? pw->pw_uid : 65534;
      const gid_t gid = pw ? pw->pw_gid : 65534;
      if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0)
        ::_exit(ChildSetupFailed);
      if (::geteuid() == 0) ::_exit(ChildSetupFailed);
    }
    return check();
  });
}

}  // namespace orv_test

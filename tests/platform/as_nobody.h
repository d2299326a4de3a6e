// Runs one test of this test program again as user nobody (uid 65534), since
// as root no permission check fails. The child finds its folder in an
// environment variable and is one of the tests that skip unless it is set.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "folder_files.h"

namespace folder_files {

// Runs the test named by filter through setpriv with the given group option
// ("--clear-groups", "--groups=50"), dir handed on in variable. Fails the
// calling test where the child fails, and skips it where nobody cannot run
// the test program here; the caller returns when HasFatalFailure() or
// IsSkipped().
inline void RunTestAsNobody(const std::string& filter, const std::string& groupOption, const char* variable,
                            const std::string& dir) {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  ASSERT_GT(length, 0);
  self[length] = '\0';
  const std::string command = std::string(variable) + "='" + dir + "' /usr/bin/setpriv --reuid=65534 --regid=65534 " +
                              groupOption + " '" + self + "' --gtest_filter=" + filter + " > '" + dir + ".log' 2>&1";
  const int status = std::system(command.c_str());
  const std::string log = Slurp(dir + ".log");
  std::filesystem::remove(dir + ".log");
  ASSERT_TRUE(WIFEXITED(status)) << log;
  if (WEXITSTATUS(status) == 126 || WEXITSTATUS(status) == 127) {
    GTEST_SKIP() << "user nobody cannot run the test program here: " << log;
  }
  ASSERT_NE(log.find("[  PASSED  ] 1 test"), std::string::npos) << log;
  EXPECT_EQ(WEXITSTATUS(status), 0) << log;
}

}  // namespace folder_files

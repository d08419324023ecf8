#pragma once
// Runs a body in a forked child that must die of a signal, and reads the one crash report
// ("crash-*") the child's reporter left in a folder.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/read_file.h"

namespace testsupport {

// The report's text, or "" after a failed expectation (the child did not die of `signal`, or left
// no report or more than one).
inline std::string crashReportOfChild(const std::filesystem::path& folder, int signal,
                                      const std::function<void()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(4);  // not reached: the signal ends the child
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status)) << "child exit status " << status;
  EXPECT_EQ(WTERMSIG(status), signal);
  std::vector<std::filesystem::path> reports;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind("crash-", 0) == 0) reports.push_back(entry.path());
  }
  EXPECT_EQ(reports.size(), 1u) << "crash reports in " << folder;
  return reports.size() != 1 ? "" : readFile(reports[0]);
}

}  // namespace testsupport

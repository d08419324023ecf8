// The crash reporter: a child process that dies of a fatal signal leaves a report with the
// version, the signal and a backtrace; handlers come and go with the reporter.

#include "platform/crash/crash_reporter.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <utility>
#include <vector>

#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kel::CrashReporter;

// Runs a child that installs a reporter and raises the signal; returns how the child ended.
int crashChild(const fs::path& folder, int signal) {
  const pid_t child = fork();
  if (child == 0) {
    CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
    if (!reporter.install()) _exit(3);
    raise(signal);
    _exit(4);  // not reached: the signal ends the child
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(CrashReporter, AFatalSignalWritesAReportIntoTheFolderAndStillEndsTheProcess) {
  for (const auto& [signal, name] : {std::pair{SIGSEGV, "signal: 11 (SIGSEGV)\n"},
                                     std::pair{SIGABRT, "(SIGABRT)\n"}}) {
    testsupport::TempDir dir;
    const fs::path folder = dir.path() / "Rubblemoor";  // not made yet, as on a first run
    const int status = crashChild(folder, signal);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exit status " << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    std::vector<fs::path> reports;
    for (const auto& entry : fs::directory_iterator(folder)) reports.push_back(entry.path());
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_EQ(reports[0].filename().string().rfind("crash-", 0), 0u);
    const std::string report = testsupport::readFile(reports[0]);
    EXPECT_EQ(report.rfind("rubblemoor crash report\n", 0), 0u) << report;
    EXPECT_NE(report.find("version: 3.1-steam\n"), std::string::npos) << report;
    EXPECT_NE(report.find(name), std::string::npos) << report;
    const size_t trace = report.find("backtrace:\n");
    ASSERT_NE(trace, std::string::npos) << report;
    EXPECT_GT(report.size(), trace + 20) << "no frames after the backtrace heading";
  }
}

TEST(CrashReporter, OnlyOneReporterIsActiveTheOldHandlersComeBackAndLongTextsAreRefused) {
  struct sigaction before {};
  sigaction(SIGSEGV, nullptr, &before);
  {
    CrashReporter first("a", "1", "", "/tmp");
    CrashReporter second("b", "2", "", "/tmp");
    EXPECT_TRUE(first.install());
    EXPECT_FALSE(first.install());
    EXPECT_FALSE(second.install());
    struct sigaction during {};
    sigaction(SIGSEGV, nullptr, &during);
    EXPECT_NE(during.sa_sigaction, before.sa_sigaction);
    first.uninstall();
    EXPECT_TRUE(second.install());  // free again
  }
  struct sigaction after {};
  sigaction(SIGSEGV, nullptr, &after);
  EXPECT_EQ(after.sa_sigaction, before.sa_sigaction);
  EXPECT_EQ(after.sa_flags, before.sa_flags);
  // Texts too long for the fixed buffers.
  CrashReporter reporter("rubblemoor", "1", "", std::string(5000, 'f'));
  EXPECT_FALSE(reporter.install());
  EXPECT_FALSE(reporter.installed());
}

}  // namespace

// The crash reporter: a child process that dies of a fatal signal leaves a report with the
// version, the signal and a backtrace; handlers come and go with the reporter.

#include "platform/crash/crash_reporter.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kel::CrashReporter;

std::vector<std::string> reportsIn(const fs::path& folder) {
  std::vector<std::string> texts;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(entry.path().filename().string().rfind("crash-", 0), 0u);
    texts.push_back(text.str());
  }
  return texts;
}

// Runs a child that installs a reporter and raises the signal; returns how the child ended.
int crashChild(const fs::path& folder, int signal) {
  const pid_t child = fork();
  if (child == 0) {
    CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
    if (!reporter.install()) {
      _exit(3);
    }
    raise(signal);
    _exit(4);  // not reached: the signal ends the child
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(CrashReporter, AFatalSignalWritesAReportIntoTheFolderAndStillEndsTheProcess) {
  testsupport::TempDir dir;
  const fs::path folder = dir.path() / "Rubblemoor";  // not made yet, as on a first run
  const int status = crashChild(folder, SIGSEGV);
  ASSERT_TRUE(WIFSIGNALED(status)) << "child exit status " << status;
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);

  const std::vector<std::string> reports = reportsIn(folder);
  ASSERT_EQ(reports.size(), 1u);
  const std::string& report = reports[0];
  EXPECT_EQ(report.rfind("rubblemoor crash report\n", 0), 0u) << report;
  EXPECT_NE(report.find("version: 3.1-steam\n"), std::string::npos) << report;
  EXPECT_NE(report.find("signal: 11 (SIGSEGV)\n"), std::string::npos) << report;
  const size_t trace = report.find("backtrace:\n");
  ASSERT_NE(trace, std::string::npos) << report;
  EXPECT_GT(report.size(), trace + 20) << "no frames after the backtrace heading";
}

TEST(CrashReporter, AbortIsReportedByName) {
  testsupport::TempDir dir;
  const int status = crashChild(dir.path(), SIGABRT);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGABRT);
  const std::vector<std::string> reports = reportsIn(dir.path());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("(SIGABRT)"), std::string::npos);
}

TEST(CrashReporter, OnlyOneReporterIsActiveAndTheOldHandlersComeBack) {
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
}

TEST(CrashReporter, TextsTooLongForTheFixedBuffersAreRefused) {
  CrashReporter reporter("rubblemoor", "1", "", std::string(5000, 'f'));
  EXPECT_FALSE(reporter.install());
  EXPECT_FALSE(reporter.installed());
}

}  // namespace

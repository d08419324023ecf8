#include "platform/crash/crash_reporter.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/base/thread_start.h"

#include "platform/desktop_platform.h"
#include "tests/support/crash_report_of_child.h"
#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kel::CrashReporter;
using testsupport::crashReportOfChild;

TEST(CrashReporter, AFatalSignalWritesAReportIntoTheFolderAndStillEndsTheProcess) {
  testsupport::TempDir dir;
  const fs::path folder = dir.path() / "Rubblemoor";  // not made yet, as on a first run
  const std::string report = crashReportOfChild(folder, SIGABRT, [&] {
    CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
    if (!reporter.install()) _exit(3);
    raise(SIGABRT);
  });
  EXPECT_EQ(report.rfind("rubblemoor crash report\n", 0), 0u) << report;
  EXPECT_NE(report.find("(SIGABRT)\n"), std::string::npos) << report;
  const size_t trace = report.find("backtrace:\n");
  ASSERT_NE(trace, std::string::npos) << report;
  EXPECT_GT(report.size(), trace + 20) << "no frames after the backtrace heading";
}

// The reports ("crash-*") in a folder.
std::vector<fs::path> reportsIn(const fs::path& folder) {
  std::vector<fs::path> reports;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind("crash-", 0) == 0) reports.push_back(entry.path());
  }
  return reports;
}

// Frames until the thread's stack runs out; the limit is never reached, and being volatile it keeps
// the compiler from folding the frames away.
volatile int deepestFrame = INT_MAX;

[[gnu::noinline]] int runOffTheStack(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  if (depth == deepestFrame) return frame[0];
  return runOffTheStack(depth + 1) + frame[0];
}

// A worker thread's overflow leaves it no stack for the handler: the report is written only because
// the thread was started with a signal stack of its own.
TEST(CrashReporterDeathTest, AStackOverflowOnAWorkerThreadWritesAReport) {
  testsupport::TempDir dir;
  const fs::path folder = dir.path() / "Rubblemoor";
  EXPECT_EXIT(
      {
        CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
        if (!reporter.install()) _exit(3);
        std::thread worker = engine::startThread([] { runOffTheStack(0); });
        worker.join();
        _exit(4);
      },
      ::testing::KilledBySignal(SIGSEGV), "");
  const std::vector<fs::path> reports = reportsIn(folder);
  ASSERT_EQ(reports.size(), 1u) << "no report of the worker's crash";
  const std::string report = testsupport::readFile(reports[0]);
  EXPECT_NE(report.find("(SIGSEGV)\nbacktrace:\n"), std::string::npos) << report;
}

// Children that crash when the gate opens, each with its own reporter.
pid_t crashAtTheGate(const fs::path& folder, int gate) {
  const pid_t child = fork();
  if (child == 0) {
    CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
    if (!reporter.install()) _exit(3);
    char opened = 0;
    if (read(gate, &opened, 1) < 0) _exit(5);
    raise(SIGABRT);
    _exit(4);
  }
  return child;
}

TEST(CrashReporter, TwoCrashesInOneSecondKeepTwoReports) {
  testsupport::TempDir dir;
  const fs::path folder = dir.path() / "Rubblemoor";
  fs::create_directories(folder);
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  const pid_t children[] = {crashAtTheGate(folder, gate[0]), crashAtTheGate(folder, gate[0])};
  // Opened just after a second begins, so both crash within it: a byte for each.
  const time_t begun = time(nullptr);
  while (time(nullptr) == begun) usleep(1000);
  EXPECT_EQ(write(gate[1], "gg", 2), 2);
  close(gate[1]);
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT) << "status " << status;
  }
  close(gate[0]);
  const std::vector<fs::path> reports = reportsIn(folder);
  ASSERT_EQ(reports.size(), 2u);
  for (const fs::path& report : reports) {
    const std::string text = testsupport::readFile(report);
    EXPECT_EQ(text.rfind("rubblemoor crash report\n", 0), 0u) << text;
    EXPECT_NE(text.find("(SIGABRT)\nbacktrace:\n"), std::string::npos) << text;
  }
}

// Reports already there under every name the crash could take at first: none is written over.
TEST(CrashReporter, AReportAlreadyThereIsNeverWrittenOver) {
  testsupport::TempDir dir;
  const fs::path folder = dir.path() / "Rubblemoor";
  fs::create_directories(folder);
  const time_t now = time(nullptr);
  std::vector<fs::path> earlier;
  for (time_t second = now; second < now + 30; ++second) {
    earlier.push_back(folder / ("crash-" + std::to_string(second) + ".txt"));
    std::ofstream(earlier.back()) << "an earlier report";
  }
  const pid_t child = fork();
  if (child == 0) {
    CrashReporter reporter("rubblemoor", "3.1-steam", "Dev Build", folder.string());
    if (!reporter.install()) _exit(3);
    raise(SIGABRT);
    _exit(4);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
  for (const fs::path& report : earlier) EXPECT_EQ(testsupport::readFile(report), "an earlier report") << report;
  EXPECT_EQ(reportsIn(folder).size(), earlier.size() + 1) << "the new report has a name of its own";
}

class CrashingShutdownSteam : public kel::SteamApi {
 public:
  bool init() override { return true; }
  void shutdown() override { raise(SIGSEGV); }
  void runCallbacks() override {}
  void setWarningMessageHook(WarningHook) override {}
  kel::SteamUser* user() override { return nullptr; }
  kel::SteamFriends* friends() override { return nullptr; }
  kel::SteamUserStats* userStats() override { return nullptr; }
  kel::SteamNetworking* networking() override { return nullptr; }
};

// The reporter must be the last thing the desktop platform lets go of.
TEST(DesktopPlatformTeardown, ACrashWhileTheClientShutsDownIsStillReported) {
  testsupport::ScopedDataHome home;
  const std::string report = crashReportOfChild(home.path() / "Rubblemoor", SIGSEGV, [] {
    kel::DesktopPlatform::Services services;
    services.steam = std::make_unique<CrashingShutdownSteam>();
    auto platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    if (!platform->crashReporter().installed()) _exit(3);
    platform->start(0, nullptr);
    platform.reset();  // the client's shutdown crashes here
  });
  EXPECT_NE(report.find("version: 3.1-steam\n"), std::string::npos) << report;
  EXPECT_NE(report.find("(SIGSEGV)"), std::string::npos) << report;
}

}  // namespace

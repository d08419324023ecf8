// Tearing the desktop platform down: a crash while the store-front client shuts down still leaves
// a crash report, as the reporter is the last thing the platform lets go of.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/crash/crash_reporter.h"
#include "platform/desktop_platform.h"
#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A client that connects, then dies of a fault while shutting down.
class CrashingShutdownSteam : public kel::SteamApi {
 public:
  bool init() override { return true; }
  void shutdown() override { raise(SIGSEGV); }
  void runCallbacks() override {}
  void setWarningMessageHook(WarningHook) override {}
  kel::SteamUser* user() override { return nullptr; }
  kel::SteamFriends* friends() override { return nullptr; }
  kel::SteamUserStats* userStats() override { return nullptr; }
};

TEST(DesktopPlatformTeardown, ACrashWhileTheClientShutsDownIsStillReported) {
  testsupport::ScopedDataHome home;
  const pid_t child = fork();
  if (child == 0) {
    kel::DesktopPlatform::Services services;
    services.steam = std::make_unique<CrashingShutdownSteam>();
    services.launcher = [](const std::vector<std::string>&) { return true; };
    auto platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    if (!platform->crashReporter().installed()) _exit(3);
    platform->start(0, nullptr);
    platform.reset();  // the client's shutdown crashes here
    _exit(4);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "child exit status " << status;
  EXPECT_EQ(WTERMSIG(status), SIGSEGV);
  const fs::path folder = home.path() / "Rubblemoor";
  std::vector<fs::path> reports;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind("crash-", 0) == 0) reports.push_back(entry.path());
  }
  ASSERT_EQ(reports.size(), 1u) << "no crash report in " << folder;
  const std::string report = testsupport::readFile(reports[0]);
  EXPECT_NE(report.find("version: 3.1-steam\n"), std::string::npos) << report;
  EXPECT_NE(report.find("(SIGSEGV)"), std::string::npos) << report;
}

}  // namespace

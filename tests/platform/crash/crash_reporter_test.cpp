#include "platform/crash/crash_reporter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>

#include "platform/desktop_platform.h"
#include "tests/support/crash_report_of_child.h"
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

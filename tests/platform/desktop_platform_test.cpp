#include "platform/desktop_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>

#include "platform/crash/crash_reporter.h"
#include "platform/plain_version.h"
#include "platform/platform_settings_host.h"
#include "platform/settings/defaults_bridge.h"
#include "platform/settings/settings.h"
#include "tests/support/read_file.h"
#include "tests/support/settings_reset.h"
#include "tests/support/temp_dir.h"

namespace {

using kel::DesktopPlatform;

class DesktopPlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    kel::Platform::setInstance(nullptr);
    DesktopPlatform::Services services;
    services.installCrashReporter = false;
    services.clipboard.setText = [this](const std::string& text) { clipboard = text; };
    services.clipboard.getText = [this] { return clipboard; };
    platform = std::make_unique<DesktopPlatform>(std::move(services));
  }
  void TearDown() override { kel::Platform::setInstance(nullptr); }

  testsupport::ScopedDataHome home;
  std::string clipboard;
  std::unique_ptr<DesktopPlatform> platform;
};

TEST_F(DesktopPlatformTest, TheAccessorHoldsTheRegisteredPlatformUntilItGoes) {
  EXPECT_EQ(kel::Platform::instance(), nullptr);
  kel::Platform::setInstance(platform.get());
  EXPECT_EQ(kel::Platform::instance(), platform.get());
  platform.reset();
  EXPECT_EQ(kel::Platform::instance(), nullptr);
}

TEST_F(DesktopPlatformTest, TheSettingsStoreAndHostWorkThroughThePlatform) {
  kel::DefaultsBridge* defaults = platform->defaults();
  ASSERT_NE(defaults, nullptr);
  defaults->setInt("option-viewportScale", 3);
  EXPECT_TRUE(defaults->save());
  const std::string text = testsupport::readFile(platform->fileSystem()->settingsPath());
  EXPECT_NE(text.find("\"option-viewportScale\": 3"), std::string::npos) << text;
  kel::PlatformSettingsHost host(*platform);
  host.loadKeyBindings({"10:143"});
  EXPECT_EQ(platform->keyForAction(10), 143u);
  EXPECT_EQ(host.keyBindingStrings(), (std::vector<std::string>{"0:0", "10:143"}));
}

// The launch loads the settings and writes them back at once: a damaged file must be out of the way
// by then, kept as it was beside the defaults.
TEST_F(DesktopPlatformTest, ADamagedSettingsFileIsKeptBesideTheDefaultsTheLaunchWrites) {
  const std::filesystem::path file = platform->fileSystem()->settingsPath();
  const std::string damaged = R"({"option-uiScale": 2, "option-smoothLighting": tr)";
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << damaged;
  kel::PlatformSettingsHost host(*platform);
  kel::setSettingsHost(&host);
  kel::loadSettings();
  testsupport::resetSettings();

  const std::filesystem::path kept = file.parent_path() / "settings.damaged";
  EXPECT_EQ(platform->defaults()->damagedFile().keptAs, kept.string());
  EXPECT_EQ(testsupport::readFile(kept), damaged);
  EXPECT_NE(testsupport::readFile(file).find("\"version\": \"3.1\""), std::string::npos) << "the defaults are written";
}

TEST_F(DesktopPlatformTest, TheSettingsFileNamesTheReleaseWithoutTheStoreFrontsSuffix) {
  EXPECT_EQ(platform->versionText(), "3.1-steam") << "the crash reporter tells the builds apart";
  EXPECT_EQ(kel::PlatformSettingsHost(*platform).versionText(), "3.1");
  EXPECT_EQ(kel::plainVersion("3.1"), "3.1");
  EXPECT_EQ(kel::plainVersion(""), "");
}

TEST_F(DesktopPlatformTest, AlertsAndTheLogGoToStandardErrorAndTheClipboardKeepsText) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform->alert("Hacked Data Files!", "Data files have been compromised."), kel::ALERT_OK);
  platform->log("loaded %d worlds", 3);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Hacked Data Files!: Data files have been compromised.\nloaded 3 worlds\n");
  platform->setClipboardText("Grüße 🌍");
  EXPECT_EQ(platform->clipboardText(), "Grüße 🌍");
  DesktopPlatform::Services services;
  services.installCrashReporter = false;
  DesktopPlatform plain(std::move(services));  // GLFW's clipboard, GLFW not started
  plain.setClipboardText("ignored");
  EXPECT_EQ(plain.clipboardText(), "");
}

std::string formatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatLine(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string line = kel::Platform::formatLogLine(format, arguments);
  va_end(arguments);
  return line;
}

TEST(PlatformLog, LinesEndInALineFeedAndLongOnesAreCutNeverInsideACharacter) {
  EXPECT_EQ(formatLine("n=%u", 7u), "n=7\n");
  // 505 to 510 bytes of ASCII and then three-byte characters: the cut falls inside one.
  for (size_t prefix = 505; prefix <= 510; ++prefix) {
    std::string text(prefix, 'a');
    for (int i = 0; i < 10; ++i) text += "世";
    const std::string cut = formatLine("%s", text.c_str());
    ASSERT_LE(cut.size(), kel::PLATFORM_LOG_BUFFER_SIZE - 1);
    const std::string body = cut.substr(0, cut.size() - 1);
    EXPECT_EQ((body.size() - prefix) % 3, 0u) << prefix;
    EXPECT_GE(body.size(), kel::PLATFORM_LOG_BUFFER_SIZE - 5) << prefix;
  }
}

}  // namespace

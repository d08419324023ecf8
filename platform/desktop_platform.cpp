#include "platform/desktop_platform.h"

#include <cstdio>
#include <utility>

#include "engine/io/os_paths.h"
#include "platform/crash/crash_reporter.h"
#include "platform/display_modes.h"
#include "platform/local_interfaces.h"
#include "platform/resource_folders.h"
#include "platform/steam/steam_achievements.h"
#include "platform/steam/steam_api.h"
#include "platform/steam/steam_friend_list.h"
#include "platform/steam/steam_stand_in.h"

namespace kel {

DesktopPlatform::DesktopPlatform() : DesktopPlatform(Services{}) {}

DesktopPlatform::DesktopPlatform(Services services)
    : defaults_([this] { return fileSystem_.settingsPath(); }),
      steam_(services.steam ? std::move(services.steam) : steamApiFromEnvironment()),
      achievements_(std::make_unique<SteamAchievements>(*steam_)),
      clipboard_(std::move(services.clipboard)),
      executablePath_(services.executablePath
                          ? std::move(services.executablePath)
                          : std::function<std::string()>(engine::os::executablePath)) {
  const ClipboardHook system = glfwClipboard();
  if (!clipboard_.setText) {
    clipboard_.setText = system.setText;
  }
  if (!clipboard_.getText) {
    clipboard_.getText = system.getText;
  }
  crashReporter_ = std::make_unique<CrashReporter>(APPLICATION_NAME, VERSION_TEXT,
                                                   CRASH_DESCRIPTION, fileSystem_.writableRoot());
  if (services.installCrashReporter) {
    crashReporter_->install();
  }
}

DesktopPlatform::~DesktopPlatform() {
  if (steamReady_) {
    stop();
  }
}

void DesktopPlatform::setWindowControl(WindowControl* window) {
  window_ = window != nullptr ? window : &nullWindow_;
}

void DesktopPlatform::setControlsHandlerFactory(ControlsHandlerFactory* factory) {
  controlsFactory_ = factory != nullptr ? factory : &nullControls_;
}

void DesktopPlatform::setTextFieldFactory(TextFieldFactory* factory) {
  textFieldFactory_ = factory != nullptr ? factory : &nullTextFields_;
}

void DesktopPlatform::setNetBridgeFactory(uint8_t kind, NetBridgeFactory* factory) {
  NetBridgeFactory* chosen = factory != nullptr ? factory : &nullBridges_;
  if (kind == NET_KIND_DIRECT) {
    directBridges_ = chosen;
  } else if (kind == NET_KIND_STEAM) {
    steamBridges_ = chosen;
  }
}

void DesktopPlatform::setSteamStatsTarget(SteamStatsTarget* target) {
  achievements_->setStatsTarget(target);
}

bool DesktopPlatform::start(int argc, const char* const* argv) {
  arguments_ = parseArguments(argc, argv);
  if (!steamReady_) {
    if (!steam_->init()) {
      return false;
    }
    steamReady_ = true;
    friendList_ = std::make_unique<SteamFriendList>();
    loadSteamFriends();
    // The overlay needs a listener to show; the game has nothing to do when it opens.
    overlayCallback_ = std::make_unique<SteamCallback>(
        steam_->callbacks(), STEAM_GAME_OVERLAY_ACTIVATED, [](const SteamCallbackData&) {});
    steam_->setWarningMessageHook([](int, const char*) {});
  }
  const SteamUser* user = steam_->user();
  return user != nullptr && user->loggedOn();
}

void DesktopPlatform::stop() {
  if (!steamReady_) {
    return;
  }
  steam_->shutdown();
  friendList_.reset();
  overlayCallback_.reset();
  steamReady_ = false;
}

void DesktopPlatform::loadSteamFriends() {
  const SteamFriends* friends = steam_->friends();
  if (friendList_ != nullptr && friends != nullptr) {
    friendList_->load(*friends);
  }
}

void DesktopPlatform::folderPath(std::string& out, int kind) const {
  resourceFolderFor(executablePath_(), kind, out);
}

AchievementsBridge* DesktopPlatform::achievements() { return achievements_.get(); }

void DesktopPlatform::applyVideoMode(base::VideoMode mode, bool fullScreen) {
  videoMode_ = mode;
  if (!window_->hasView()) {
    window_->createView(WINDOW_TITLE);
  }
  window_->applyMode(mode.width, mode.height, fullScreen);
}

std::vector<base::VideoMode> DesktopPlatform::videoModes() {
  const MonitorModes monitor = queryPrimaryMonitor();
  return monitor.available ? selectVideoModes(monitor.modes, monitor.current, monitor.room)
                           : std::vector<base::VideoMode>();
}

std::unique_ptr<AbstractControlsHandler> DesktopPlatform::createControlsHandler(
    AbstractControls& controls, float factor) {
  return controlsFactory_->create(controls, factor);
}

std::unique_ptr<TextField> DesktopPlatform::createTextField(const TextFieldSetup& setup) {
  return textFieldFactory_->createTextField(setup);
}

std::unique_ptr<TextFieldListener> DesktopPlatform::createTextFieldListener() {
  return textFieldFactory_->createTextFieldListener();
}

NetBridgeFactory& DesktopPlatform::bridgeFactoryFor(uint8_t kind) {
  if (kind == NET_KIND_DIRECT) {
    return *directBridges_;
  }
  if (kind == NET_KIND_STEAM) {
    return *steamBridges_;
  }
  return nullBridges_;
}

std::unique_ptr<NetBridgeClient> DesktopPlatform::createClientBridge(
    NetBridgeListener* listener, const NetBridgeSetup& info) {
  return bridgeFactoryFor(info.kind).createClient(listener, info);
}

std::unique_ptr<NetBridgeServer> DesktopPlatform::createServerBridge(
    NetBridgeListener* listener, const NetBridgeSetup& info) {
  return bridgeFactoryFor(info.kind).createServer(listener, info);
}

int DesktopPlatform::alert(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
  return ALERT_OK;
}

void DesktopPlatform::loadKeyBindings(const std::vector<std::string>& entries) {
  keyBindings_.load(entries);
}

std::vector<std::string> DesktopPlatform::saveKeyBindings() const { return keyBindings_.save(); }

uint32_t DesktopPlatform::keyForAction(uint32_t action) const { return keyBindings_.keyOf(action); }

void DesktopPlatform::bindKey(uint32_t action, uint32_t key) { keyBindings_.bind(action, key); }

void DesktopPlatform::setClipboardText(const std::string& text) { clipboard_.setText(text); }

std::string DesktopPlatform::clipboardText() { return clipboard_.getText(); }

const SteamFriendList* DesktopPlatform::steamFriends() const { return friendList_.get(); }

std::string DesktopPlatform::localAddress() { return localAddressOf(listLocalInterfaces()); }

LayoutValues DesktopPlatform::layoutValues(float width, float height) const {
  return layoutValuesFor(width, height);
}

void DesktopPlatform::runSteamCallbacks() { steam_->runCallbacks(); }

void DesktopPlatform::writeLogLine(const std::string& line) { engine::os::debugOutput(line); }

}  // namespace kel

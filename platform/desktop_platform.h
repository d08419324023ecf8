#pragma once
// The desktop implementation of the platform object: our own file system, the JSON settings
// store, the store front's client layer (absent unless a client is supplied or the environment
// chooses the stand-in), key bindings, the desktop shell through xdg-open, message boxes on
// standard error, the clipboard through GLFW and a crash reporter that writes into the writable
// root.

#include <functional>
#include <memory>
#include <string>

#include "platform/achievements_bridge.h"
#include "platform/clipboard_hook.h"
#include "platform/desktop_file_system.h"
#include "platform/key_bindings.h"
#include "platform/platform.h"
#include "platform/platform_factories.h"
#include "platform/settings/json_defaults.h"
#include "platform/steam/steam_api.h"
#include "platform/steam/steam_stats_target.h"
#include "platform/window_control.h"

namespace kel {

class CrashReporter;
class SteamAchievements;
class SteamCallback;

class DesktopPlatform : public Platform {
 public:
  static constexpr const char* VERSION_TEXT = "3.1-steam";
  static constexpr const char* WINDOW_TITLE = "Rubblemoor X";
  static constexpr const char* APPLICATION_NAME = "rubblemoor";
  static constexpr const char* CRASH_DESCRIPTION = "Dev Build";

  // What the desktop build takes from the system; each can be replaced, mostly for tests.
  struct Services {
    std::unique_ptr<SteamApi> steam;              // null: as the environment chooses (steam_stand_in.h)
    ClipboardHook clipboard;                      // empty functions: GLFW's clipboard
    std::function<std::string()> executablePath;  // empty: the running executable
    bool installCrashReporter = true;
  };

  DesktopPlatform();
  explicit DesktopPlatform(Services services);
  ~DesktopPlatform() override;

  // Wiring done once by the application; none of these objects is owned.
  void setWindowControl(WindowControl* window);
  void setControlsHandlerFactory(ControlsHandlerFactory* factory);
  void setTextFieldFactory(TextFieldFactory* factory);
  // For NET_KIND_DIRECT or NET_KIND_STEAM; other kinds are ignored.
  void setNetBridgeFactory(uint8_t kind, NetBridgeFactory* factory);
  void setSteamStatsTarget(SteamStatsTarget* target);

  SteamApi& steamApi() { return *steam_; }
  bool steamReady() const { return steamReady_; }
  // Refills the friend list from the client; does nothing without the client's friends.
  void loadSteamFriends();
  const CrashReporter& crashReporter() const { return *crashReporter_; }
  base::VideoMode currentVideoMode() const { return videoMode_; }

  using Platform::folderPath;
  bool start(int argc, const char* const* argv) override;
  void stop() override;
  void folderPath(std::string& out, int kind) const override;
  FileSystemBridge* fileSystem() override { return &fileSystem_; }
  DefaultsBridge* defaults() override { return &defaults_; }
  AchievementsBridge* achievements() override;
  void applyVideoMode(base::VideoMode mode, bool fullScreen) override;
  std::vector<base::VideoMode> videoModes() override;
  std::unique_ptr<AbstractControlsHandler> createControlsHandler(AbstractControls& controls,
                                                                 float factor) override;
  std::unique_ptr<TextField> createTextField(const TextFieldSetup& setup) override;
  std::unique_ptr<NetBridgeClient> createClientBridge(NetBridgeListener* listener,
                                                      const NetBridgeSetup& info) override;
  std::unique_ptr<NetBridgeServer> createServerBridge(NetBridgeListener* listener,
                                                      const NetBridgeSetup& info) override;
  int alert(const std::string& title, const std::string& text) override;
  std::unique_ptr<TextFieldListener> createTextFieldListener() override;
  std::string versionText() const override { return VERSION_TEXT; }
  void loadKeyBindings(const std::vector<std::string>& entries) override;
  std::vector<std::string> saveKeyBindings() const override;
  uint32_t keyForAction(uint32_t action) const override;
  void bindKey(uint32_t action, uint32_t key) override;
  KeyBindings& keyBindings() override { return keyBindings_; }
  void setClipboardText(const std::string& text) override;
  std::string clipboardText() override;
  const SteamFriendList* steamFriends() const override;
  std::string localAddress() override;
  LayoutValues layoutValues(float width, float height) const override;
  void runSteamCallbacks() override;

 protected:
  void writeLogLine(const std::string& line) override;

 private:
  NetBridgeFactory& bridgeFactoryFor(uint8_t kind);

  // First member, so the last to go: a crash while the rest is torn down (the client's shutdown
  // above all) is still reported.
  std::unique_ptr<CrashReporter> crashReporter_;
  DesktopFileSystem fileSystem_;
  JsonDefaults defaults_;
  std::unique_ptr<SteamApi> steam_;
  std::unique_ptr<SteamAchievements> achievements_;
  std::unique_ptr<SteamFriendList> friendList_;
  std::unique_ptr<SteamCallback> overlayCallback_;
  KeyBindings keyBindings_;
  bool steamReady_ = false;
  base::VideoMode videoMode_;

  NullWindowControl nullWindow_;
  NullControlsHandlerFactory nullControls_;
  NullTextFieldFactory nullTextFields_;
  NullNetBridgeFactory nullBridges_;
  WindowControl* window_ = &nullWindow_;
  ControlsHandlerFactory* controlsFactory_ = &nullControls_;
  TextFieldFactory* textFieldFactory_ = &nullTextFields_;
  NetBridgeFactory* directBridges_ = &nullBridges_;
  NetBridgeFactory* steamBridges_ = &nullBridges_;

  ClipboardHook clipboard_;
  std::function<std::string()> executablePath_;
};

}  // namespace kel

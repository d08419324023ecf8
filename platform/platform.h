#pragma once
// The one object through which the game reaches the operating system and outside services:
// resource folders, the file system, the settings store, achievements, the window, controls and
// text fields, network transports, logging, the desktop shell, message boxes, the version text,
// key bindings, the clipboard and the local network address.
//
// The application creates the desktop implementation once and registers it with setInstance;
// everything else calls it through this interface.

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/launch_arguments.h"
#include "platform/layout_values.h"
#include "platform/settings/video_mode.h"

namespace kel {

class AbstractControls;
class AbstractControlsHandler;
class AchievementsBridge;
class DefaultsBridge;
class FileSystemBridge;
class KeyBindings;
class NetBridgeClient;
class NetBridgeListener;
class NetBridgeServer;
class SteamFriendList;
class TextField;
class TextFieldListener;
struct NetBridgeSetup;
struct TextFieldSetup;

// The answer of alert: the player closed the box with its only button.
constexpr int ALERT_OK = 1;
// A log line, its line feed included, is cut to fit this many bytes.
constexpr size_t PLATFORM_LOG_BUFFER_SIZE = 512;

class Platform {
 public:
  // The process's platform object; null before the application registers one (not owned).
  static Platform* instance();
  static void setInstance(Platform* platform);

  Platform() = default;
  virtual ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  // Reads the command line into argument pairs and connects to the store front's client; false
  // when no client runs (the game then runs without it).
  virtual bool start(int argc, const char* const* argv) = 0;
  virtual void stop() = 0;
  // Writes the folder of a FolderKind into out; a kind outside the table leaves out unchanged.
  virtual void folderPath(std::string& out, int kind) const = 0;
  virtual FileSystemBridge* fileSystem() = 0;
  virtual DefaultsBridge* defaults() = 0;
  virtual AchievementsBridge* achievements() = 0;
  // Opens the window with the game's title on first use, else resizes it.
  virtual void applyVideoMode(base::VideoMode mode, bool fullScreen) = 0;
  virtual std::vector<base::VideoMode> videoModes() = 0;
  // The caller owns what the factories return; null when the kind is unknown or nothing is
  // registered to make it.
  virtual std::unique_ptr<AbstractControlsHandler> createControlsHandler(AbstractControls& controls,
                                                                         float factor) = 0;
  virtual std::unique_ptr<TextField> createTextField(const TextFieldSetup& setup) = 0;
  virtual std::unique_ptr<NetBridgeClient> createClientBridge(NetBridgeListener* listener,
                                                              const NetBridgeSetup& info) = 0;
  virtual std::unique_ptr<NetBridgeServer> createServerBridge(NetBridgeListener* listener,
                                                              const NetBridgeSetup& info) = 0;
  // printf-style debug line, cut to PLATFORM_LOG_BUFFER_SIZE bytes with its line feed.
  void log(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // A message with one OK button; returns ALERT_OK once the player has seen it.
  virtual int alert(const std::string& title, const std::string& text) = 0;
  virtual std::unique_ptr<TextFieldListener> createTextFieldListener() = 0;
  virtual std::string versionText() const = 0;
  virtual void loadKeyBindings(const std::vector<std::string>& entries) = 0;
  virtual std::vector<std::string> saveKeyBindings() const = 0;
  virtual uint32_t keyForAction(uint32_t action) const = 0;
  virtual void bindKey(uint32_t action, uint32_t key) = 0;
  virtual KeyBindings& keyBindings() = 0;
  virtual void setClipboardText(const std::string& text) = 0;
  virtual std::string clipboardText() = 0;
  // The online friends; null when the store front's client is not running.
  virtual const SteamFriendList* steamFriends() const = 0;
  virtual std::string localAddress() = 0;
  virtual LayoutValues layoutValues(float width, float height) const = 0;
  // The store front's queued results reach their callbacks here; the main layer calls it on the
  // main thread every frame.
  virtual void runSteamCallbacks() = 0;

  std::string folderPath(int kind) const;
  // A file name joined to the folder of a kind.
  std::string resourcePath(int kind, const std::string& name) const;

  const ArgumentPairs& arguments() const { return arguments_; }
  bool hasArgument(const std::string& key) const;
  // The value of the key's pair; "" when absent.
  std::string argumentValue(const std::string& key) const;

  // The text log writes: formatted, cut on a character boundary to leave room for the line
  // feed, line feed appended.
  static std::string formatLogLine(const char* format, va_list arguments);

 protected:
  // Where log lines go.
  virtual void writeLogLine(const std::string& line) = 0;

  ArgumentPairs arguments_;
};

}  // namespace kel

#pragma once
// The program's application object: the launch (options, platform start, window, views, content
// and first scene, then the join a store-front start asks for), applying a video mode, laying the screen out again when the window changes
// size, and the terminate, background and foreground steps.
// One lives on the entry point's stack for the whole run; it is given the launch steps (the
// wiring's, or a test's) when it is made.

#include "engine/app/application.h"
#include "platform/settings/video_mode.h"

class LaunchSteps;
namespace kel {
class Platform;
}

// The window the "-safe" switch opens, whatever the options say.
constexpr kel::base::VideoMode SAFE_VIDEO_MODE{800, 600};
constexpr float FRAME_INTERVAL = 1.0f / 60.0f;
// Added to a chosen interface scale so that scaled sizes never round down a pixel.
constexpr float UI_SCALE_BIAS = 0.0005f;

class AppDelegate : public engine::Application {
 public:
  // The steps are not owned and outlive the application.
  explicit AppDelegate(LaunchSteps& steps) : steps_(steps) {}
  ~AppDelegate() override = default;
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // The launch; every step runs and it succeeds, unless no platform is registered (then false
  // before anything is opened).
  bool applicationDidFinishLaunching(int argc, char** argv) override;
  // Destroys the audio engine, saves a running game's world and character, stops the platform.
  void applicationWillTerminate() override;
  void applicationDidEnterBackground() override;
  void applicationWillEnterForeground() override;
  // The one path a new window size takes, whoever changed it (the window system, the switch
  // between full screen and a window): the screen layout is derived again, then the world view
  // and every view are laid out for it.
  void applicationScreenSizeChanged(int width, int height) override;

  // Opens or resizes the window, then derives the screen layout and the visible cell window.
  virtual void applyVideoMode(kel::base::VideoMode mode, bool fullScreen);

  // The frame loop, then the terminate step once the loop has ended (window closed or quit), so
  // that leaving the game never loses a running world or character. Returns run's result.
  int runUntilClosed(int argc, char** argv);

 private:
  // The screen layout, the design resolution and the visible cell window from the window's size.
  void deriveScreenLayout();
  // Started with "-connectsteam" and a store-front user id, the game joins that user's game at
  // once, as a join from the friends list does; a value that names no user only goes to the log.
  void joinHostNamedAtLaunch(const kel::Platform& platform);

  LaunchSteps& steps_;
};

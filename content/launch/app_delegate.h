#pragma once
// The program's application object: the launch (options, platform start, window, views, content
// and first scene), applying a video mode, and the terminate, background and foreground steps.
// One lives on the entry point's stack for the whole run.

#include "engine/app/application.h"
#include "platform/settings/video_mode.h"

// The window the "-safe" switch opens, whatever the options say.
constexpr kel::base::VideoMode SAFE_VIDEO_MODE{800, 600};
constexpr float FRAME_INTERVAL = 1.0f / 60.0f;
// Added to a chosen interface scale so that scaled sizes never round down a pixel.
constexpr float UI_SCALE_BIAS = 0.0005f;

class AppDelegate : public engine::Application {
 public:
  AppDelegate() = default;
  ~AppDelegate() override = default;

  // The launch; every step runs and it succeeds, unless no platform is registered (then false
  // before anything is opened).
  bool applicationDidFinishLaunching(int argc, char** argv) override;
  // Destroys the audio engine, saves a running game's world and character, stops the platform.
  void applicationWillTerminate() override;
  void applicationDidEnterBackground() override;
  void applicationWillEnterForeground() override;

  // Opens or resizes the window, then derives the screen layout and the visible cell window.
  virtual void applyVideoMode(kel::base::VideoMode mode, bool fullScreen);

  // The frame loop, then the terminate step once the loop has ended (window closed or quit), so
  // that leaving the game never loses a running world or character. Returns run's result.
  int runUntilClosed(int argc, char** argv);
};

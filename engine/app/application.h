#pragma once
// The application object and the process's frame loop. run() launches the program, then paces
// frames: whenever more than the animation interval has passed since the last frame began, one
// director frame runs and the window's events are polled, so input is handled between frames.
// Between frames the loop sleeps until the next one is due.
// The loop ends when the window closes or quit() is called; one last pass purges the engine.

#include <cstdint>

#include "engine/app/application_protocol.h"

namespace engine {

class FrameClock;

class Application : public ApplicationProtocol {
 public:
  // Becomes the shared application.
  Application();
  // Stops being the shared application, then clears the autorelease pool.
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The application the director forwards its animation interval to; null when none exists.
  static Application* getInstance();

  // 1 when the launch fails, else 0 once the loop has ended.
  int run(int argc, char** argv);

  void quit() override { quit_ = true; }
  bool isQuitRequested() const { return quit_; }
  // Stored in clock ticks (nanoseconds), truncated; 0 until the director starts animating, and
  // then every loop pass whose clock moved at all runs a frame.
  void setAnimationInterval(double seconds) override;
  int64_t getAnimationIntervalTicks() const { return animationInterval_; }
  // From the locale environment (LC_ALL, LC_MESSAGES, LANG): the engine's language number, 0
  // (English) for every language it does not know.
  int getCurrentLanguage() override;
  const char* getCurrentLanguageCode() override;
  int getTargetPlatform() override { return 0; }


 protected:
  // The window operations the loop needs; by default those of the director's GL view.
  virtual bool hasWindow();
  virtual bool windowShouldClose();
  virtual void pollEvents();

 private:
  friend struct FrameClockProbe;  // tests pace the loop on their own clock
  int64_t animationInterval_ = 0;
  bool quit_ = false;
  FrameClock* clock_ = nullptr;
  char languageCode_[3] = {'e', 'n', '\0'};
};

}  // namespace engine

#pragma once
// What the frame loop and the director expect of the program's application object.

namespace engine {

class ApplicationProtocol {
 public:
  virtual ~ApplicationProtocol() = default;

  // The launch: window, content and first scene. False ends the program before any frame.
  virtual bool applicationDidFinishLaunching(int argc, char** argv) = 0;
  virtual void applicationWillTerminate() = 0;
  // Ends the frame loop after the current frame.
  virtual void quit() = 0;
  virtual void applicationDidEnterBackground() = 0;
  virtual void applicationWillEnterForeground() = 0;
  // The window's drawing area became width x height pixels (never 0: a minimised window does not
  // count); the view's frame and design sizes already follow it. Nothing by default.
  virtual void applicationScreenSizeChanged(int /*width*/, int /*height*/) {}
  virtual void setAnimationInterval(double seconds) = 0;
  virtual int getCurrentLanguage() = 0;
  // Two lower-case letters (ISO 639-1).
  virtual const char* getCurrentLanguageCode() = 0;
  virtual int getTargetPlatform() = 0;
};

}  // namespace engine

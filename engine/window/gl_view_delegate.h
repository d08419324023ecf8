#pragma once
// What the window needs from the frame loop's director, which sits above it: taking the view,
// the window size in points, the event dispatcher and the running scene. The director registers
// its own implementation when it is built; until then every call does nothing, so the window
// also opens and converts input on its own (tools, tests).

#include "engine/base/geometry.h"
#include "engine/base/seam.h"

namespace engine {

class EventDispatcher;
class GLView;

class GLViewDelegate {
 public:
  virtual ~GLViewDelegate() = default;

  // The director holds the view from here on (retaining it), reads its design resolution as the
  // window size in points, applies its GL defaults and enables its event dispatcher.
  virtual void setOpenGLView(GLView* /*view*/) {}
  virtual GLView* getOpenGLView() { return nullptr; }
  virtual Size getWinSize() { return Size::ZERO; }
  // The view's design resolution changed: it becomes the window size in points and the GL
  // defaults are applied again.
  virtual void designResolutionChanged(const Size& /*designSize*/) {}
  // Null while there is nobody to dispatch to.
  virtual EventDispatcher* getEventDispatcher() { return nullptr; }
  // A minimised window hides the running scene, if there is one, so nothing is drawn.
  virtual void setRunningSceneVisible(bool /*visible*/) {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<GLViewDelegate, GLViewDelegate>& glViewDelegateSeam();
// The registered delegate, or one that does nothing.
GLViewDelegate& glViewDelegate();
void setGLViewDelegate(GLViewDelegate* delegate);

}  // namespace engine

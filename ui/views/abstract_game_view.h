#pragma once
// The four moments of a view's life on the view stack: covered by another view, uncovered again,
// made current, and taken off the stack.

namespace kel {

class AbstractGameView {
 public:
  virtual ~AbstractGameView() = default;
  virtual void pause() = 0;
  virtual void resume() = 0;
  virtual void enter() = 0;
  virtual void exit() = 0;
};

}  // namespace kel

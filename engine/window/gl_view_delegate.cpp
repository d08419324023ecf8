#include "engine/window/gl_view_delegate.h"

namespace engine {

namespace {

GLViewDelegate*& registeredDelegate() {
  static GLViewDelegate* delegate = nullptr;
  return delegate;
}

}  // namespace

GLViewDelegate& glViewDelegate() {
  static GLViewDelegate nullDelegate;
  GLViewDelegate* delegate = registeredDelegate();
  return delegate != nullptr ? *delegate : nullDelegate;
}

void setGLViewDelegate(GLViewDelegate* delegate) { registeredDelegate() = delegate; }

}  // namespace engine

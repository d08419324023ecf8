#include "engine/window/gl_view_delegate.h"

namespace engine {

engine::Seam<GLViewDelegate, GLViewDelegate>& glViewDelegateSeam() {
  static engine::Seam<GLViewDelegate, GLViewDelegate> seam;
  return seam;
}

GLViewDelegate& glViewDelegate() { return glViewDelegateSeam().get(); }

void setGLViewDelegate(GLViewDelegate* delegate) { glViewDelegateSeam().set(delegate); }

}  // namespace engine

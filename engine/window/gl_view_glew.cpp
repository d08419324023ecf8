// Loading the OpenGL entry points, and making sure the driver can render to framebuffers, which
// every render target of the game relies on.
#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstring>
#include <string>

#include "engine/base/log.h"
#include "engine/window/alert.h"
#include "engine/window/gl_view.h"

namespace engine {

namespace {

template <typename Function>
void loadEntryPoint(Function& slot, const char* name, const char* suffix) {
  const std::string fullName = std::string(name) + suffix;
  slot = reinterpret_cast<Function>(glfwGetProcAddress(fullName.c_str()));
}

// Older drivers offer framebuffers only as an extension; its functions then fill the core slots.
void loadFramebufferEntryPoints(const char* suffix) {
  loadEntryPoint(glIsRenderbuffer, "glIsRenderbuffer", suffix);
  loadEntryPoint(glBindRenderbuffer, "glBindRenderbuffer", suffix);
  loadEntryPoint(glDeleteRenderbuffers, "glDeleteRenderbuffers", suffix);
  loadEntryPoint(glGenRenderbuffers, "glGenRenderbuffers", suffix);
  loadEntryPoint(glRenderbufferStorage, "glRenderbufferStorage", suffix);
  loadEntryPoint(glGetRenderbufferParameteriv, "glGetRenderbufferParameteriv", suffix);
  loadEntryPoint(glIsFramebuffer, "glIsFramebuffer", suffix);
  loadEntryPoint(glBindFramebuffer, "glBindFramebuffer", suffix);
  loadEntryPoint(glDeleteFramebuffers, "glDeleteFramebuffers", suffix);
  loadEntryPoint(glGenFramebuffers, "glGenFramebuffers", suffix);
  loadEntryPoint(glCheckFramebufferStatus, "glCheckFramebufferStatus", suffix);
  loadEntryPoint(glFramebufferTexture1D, "glFramebufferTexture1D", suffix);
  loadEntryPoint(glFramebufferTexture2D, "glFramebufferTexture2D", suffix);
  loadEntryPoint(glFramebufferTexture3D, "glFramebufferTexture3D", suffix);
  loadEntryPoint(glFramebufferRenderbuffer, "glFramebufferRenderbuffer", suffix);
  loadEntryPoint(glGetFramebufferAttachmentParameteriv, "glGetFramebufferAttachmentParameteriv",
                 suffix);
  loadEntryPoint(glGenerateMipmap, "glGenerateMipmap", suffix);
}

bool hasExtension(const char* name) {
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

bool ensureFramebuffers() {
  if (glGenFramebuffers != nullptr) return true;
  log("OpenGL: glGenFramebuffers is nullptr, try to detect an extension");
  if (hasExtension("ARB_framebuffer_object")) {
    log("OpenGL: ARB_framebuffer_object is supported");
    loadFramebufferEntryPoints("");
  } else if (hasExtension("EXT_framebuffer_object")) {
    log("OpenGL: EXT_framebuffer_object is supported");
    loadFramebufferEntryPoints("EXT");
  } else {
    log("OpenGL: No framebuffers extension is supported");
    log("OpenGL: Any call to Fbo will crash!");
    return false;
  }
  // An extension that is named but whose functions cannot be found is no support at all.
  return glGenFramebuffers != nullptr;
}

}  // namespace

bool GLView::initGlew() {
  const GLenum result = glewInit();
  if (result != GLEW_OK) {
    showAlert("OpenGL error", reinterpret_cast<const char*>(glewGetErrorString(result)));
    return false;
  }

  if (GLEW_ARB_vertex_shader && GLEW_ARB_fragment_shader) {
    log("Ready for GLSL");
  } else {
    log("Not totally ready :(");
  }
  if (glewIsSupported("GL_VERSION_2_0")) {
    log("Ready for OpenGL 2.0");
  } else {
    log("OpenGL 2.0 not supported");
  }

  if (!ensureFramebuffers()) {
    showAlert("OpenGL error",
              "No OpenGL framebuffer support. Please upgrade the driver of your video card.");
    return false;
  }
  return true;
}

}  // namespace engine

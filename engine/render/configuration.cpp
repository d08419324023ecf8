#include "engine/render/configuration.h"

#include <GL/glew.h>

#include <cstring>

namespace engine {
namespace {

Configuration*& instanceSlot() {
  static Configuration* instance = nullptr;
  return instance;
}

const char* glString(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text != nullptr ? reinterpret_cast<const char*>(text) : "";
}

bool hasExtension(const char* extensions, const char* name) {
  return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

}  // namespace

Configuration* Configuration::getInstance() {
  Configuration*& instance = instanceSlot();
  if (instance == nullptr) {
    instance = new Configuration();
    instance->init();
  }
  return instance;
}

void Configuration::destroyInstance() { safeRelease(instanceSlot()); }

Configuration::~Configuration() { valueDict_.clear(); }

bool Configuration::init() {
  setValue("api.version", "v0.6-tallowhart (3.2)");
  setFlag("engine.build_type", debugBuild_);
  setFlag("engine.compiled_with_profiler", compiledWithProfiler_);
  setValue("engine.compiled_with_gl_state_cache", "1");
  return true;
}

void Configuration::gatherGPUInfo() {
  setValue("gl.vendor", glString(GL_VENDOR));
  setValue("gl.renderer", glString(GL_RENDERER));
  setValue("gl.version", glString(GL_VERSION));

  const GLubyte* extensions = glGetString(GL_EXTENSIONS);
  glExtensions_ = reinterpret_cast<const char*>(extensions);

  GLint value = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &value);
  setMaxTextureSize(value);
  value = 0;
  glGetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &value);
  maxTextureUnits_ = value;
  setValue("gl.max_texture_units", std::to_string(maxTextureUnits_));

  applyExtensions(glExtensions_);
  // An extension string can name the vendor variant whose entry points carry a suffix; only
  // claim vertex arrays when the unsuffixed entry points the cache calls were actually loaded.
  if (supportsShareableVAO_ && (glGenVertexArrays == nullptr || glBindVertexArray == nullptr ||
                                glDeleteVertexArrays == nullptr)) {
    setSupportsShareableVAO(false);
  }

  supportsNPOT_ = true;
  setFlag("gl.supports_NPOT", supportsNPOT_);
  supportsMapBuffer_ = true;
  setFlag("gl.supports_map_buffer", supportsMapBuffer_);
  supportsElementIndexUint_ = true;
  setFlag("gl.supports_element_index_uint", supportsElementIndexUint_);
}

void Configuration::applyExtensions(const char* extensions) {
  supportsBGRA8888_ = hasExtension(extensions, "GL_IMG_texture_format_BGRA888");
  setFlag("gl.supports_BGRA8888", supportsBGRA8888_);
  supportsDiscardFramebuffer_ = hasExtension(extensions, "GL_EXT_discard_framebuffer");
  setFlag("gl.supports_discard_framebuffer", supportsDiscardFramebuffer_);
  setSupportsShareableVAO(hasExtension(extensions, "vertex_array_object"));
}

std::string Configuration::getValue(const std::string& key) const {
  auto found = valueDict_.find(key);
  return found != valueDict_.end() ? found->second : std::string();
}

void Configuration::setSupportsShareableVAO(bool value) {
  supportsShareableVAO_ = value;
  setFlag("gl.supports_vertex_array_object", value);
}

void Configuration::setSupportsMapBuffer(bool value) {
  supportsMapBuffer_ = value;
  setFlag("gl.supports_map_buffer", value);
}

void Configuration::setMaxTextureSize(int texels) {
  maxTextureSize_ = texels;
  setValue("gl.max_texture_size", std::to_string(texels));
}

void Configuration::setValue(const std::string& key, const std::string& value) {
  valueDict_[key] = value;
}

void Configuration::setFlag(const std::string& key, bool value) {
  setValue(key, value ? "1" : "0");
}

}  // namespace engine

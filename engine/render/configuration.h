#pragma once
// What the OpenGL context can do, recorded once the window exists, plus a small dictionary of
// engine facts as text for inspection.

#include <cstdint>
#include <map>
#include <string>

#include "engine/base/ref.h"

namespace engine {

class Configuration : public Ref {
 public:
  // Made on first use (every field zero, then init); destroyed by destroyInstance.
  static Configuration* getInstance();
  static void destroyInstance();

  bool init();
  // Queries the current context; must run with a valid context current. Running it again after
  // a new context refreshes every entry.
  void gatherGPUInfo();

  // The dictionary's value for a key, empty when absent.
  std::string getValue(const std::string& key) const;
  const std::map<std::string, std::string>& getValueDict() const { return valueDict_; }
  // Applies the extension tests to an extensions string (null means none); gatherGPUInfo uses
  // it with the context's string.
  void applyExtensions(const char* extensions);

  int getMaxTextureSize() const { return maxTextureSize_; }
  int getMaxTextureUnits() const { return maxTextureUnits_; }
  bool supportsNPOT() const { return supportsNPOT_; }
  bool supportsBGRA8888() const { return supportsBGRA8888_; }
  bool supportsDiscardFramebuffer() const { return supportsDiscardFramebuffer_; }
  bool supportsShareableVAO() const { return supportsShareableVAO_; }
  bool supportsMapBuffer() const { return supportsMapBuffer_; }
  bool supportsElementIndexUint() const { return supportsElementIndexUint_; }

  // Lets a caller turn the optional paths off (tests drive both upload paths this way).
  void setSupportsShareableVAO(bool value);
  void setSupportsMapBuffer(bool value);
  void setMaxTextureSize(int texels);

  ~Configuration() override;

 private:
  Configuration() = default;
  void setValue(const std::string& key, const std::string& value);
  void setFlag(const std::string& key, bool value);

  std::map<std::string, std::string> valueDict_;
  int maxTextureSize_ = 0;
  bool supportsNPOT_ = false;
  bool supportsBGRA8888_ = false;
  bool supportsDiscardFramebuffer_ = false;
  bool supportsShareableVAO_ = false;
  bool supportsMapBuffer_ = false;
  bool supportsElementIndexUint_ = false;
  bool debugBuild_ = false;
  bool compiledWithProfiler_ = false;
  int maxTextureUnits_ = 0;
  const char* glExtensions_ = nullptr;
};

}  // namespace engine

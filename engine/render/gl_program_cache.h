#pragma once
// The process's shader programs by integer key: the eleven built-in ones, built on first use,
// and whatever game code adds under further keys.

#include <cstdint>
#include <unordered_map>

#include "engine/base/ref.h"

namespace engine {

class GLProgram;

class GLProgramCache : public Ref {
 public:
  // Made on first use, with the built-in programs loaded; needs a current GL context.
  static GLProgramCache* getInstance();
  static void destroyInstance();

  // Builds every built-in program; one that fails is logged and stored anyway (it draws nothing),
  // so callers never receive a null built-in.
  void loadDefaultGLPrograms();
  // After the context was re-created: rebuilds the built-in programs in place, so pointers held
  // elsewhere stay valid.
  void reloadDefaultGLPrograms();

  GLProgram* getGLProgram(int64_t key) const;
  // Retains the program; a program already stored under the key is released.
  void addGLProgram(GLProgram* program, int64_t key);

  ~GLProgramCache() override;

 private:
  GLProgramCache() = default;
  static void buildProgram(GLProgram* program, int64_t key);

  std::unordered_map<int64_t, GLProgram*> programs_;
};

}  // namespace engine

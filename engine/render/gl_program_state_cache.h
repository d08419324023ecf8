#pragma once
// One shared GLProgramState per program, for the nodes that use a program without values of
// their own.

#include <unordered_map>

namespace engine {

class GLProgram;
class GLProgramState;

class GLProgramStateCache {
 public:
  static GLProgramStateCache* getInstance();
  static void destroyInstance();

  // The program's shared state, made on first request; none for a null program.
  GLProgramState* getGLProgramState(GLProgram* program);
  // Releases every shared state (before a GL context is re-created).
  void removeAllGLProgramState();

  ~GLProgramStateCache();

 private:
  GLProgramStateCache() = default;
  std::unordered_map<GLProgram*, GLProgramState*> states_;
};

}  // namespace engine

#pragma once
// The desktop file system with one step that fails, or that ends the process, on its n-th call
// among the calls that change something on disk: how the tests of safe writing kill a save at
// each of its steps (in a forked child) and break each step in turn.

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/desktop_file_system.h"

namespace savetest {

class StepFileSystem : public kel::DesktopFileSystem {
 public:
  void breakStep(const std::string& name) { broken_ = name; }
  void exitAtStep(int step) { exitAt_ = step; }
  int steps() const { return steps_; }

  bool deletePath(const std::string& path) override {
    return step("delete") && DesktopFileSystem::deletePath(path);
  }
  // A kill during a copy leaves the copy cut short.
  bool copyPath(const std::string& from, const std::string& to) override {
    if (steps_ == exitAt_) {
      std::ifstream in(from, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::ofstream(to, std::ios::binary | std::ios::trunc) << bytes.substr(0, bytes.size() / 2);
      _exit(0);
    }
    return step("copy") && DesktopFileSystem::copyPath(from, to);
  }
  bool movePath(const std::string& from, const std::string& to) override {
    return step("move") && DesktopFileSystem::movePath(from, to);
  }
  bool flushToDisk(const std::string& path) override {
    return step("flush") && DesktopFileSystem::flushToDisk(path);
  }

 private:
  bool step(const std::string& name) {
    if (steps_++ == exitAt_) _exit(0);
    return name != broken_;
  }

  std::string broken_;
  int exitAt_ = -1;
  int steps_ = 0;
};

// Runs `body` in a forked child on a file system that ends it at step `step` (or never, past the
// last); the child's wait status, or -1 when it could not be forked.
inline int runKilledAtStep(int step, const std::function<void(StepFileSystem&)>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    StepFileSystem files;
    files.exitAtStep(step);
    body(files);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

}  // namespace savetest

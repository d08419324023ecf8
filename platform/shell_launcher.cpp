#include "platform/shell_launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace kel {

bool launchDetached(const std::vector<std::string>& command) {
  if (command.empty() || command[0].empty()) {
    return false;
  }
  std::vector<char*> words;
  for (const std::string& word : command) {
    words.push_back(const_cast<char*>(word.c_str()));
  }
  words.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, words[0], nullptr, nullptr, words.data(), environ) != 0) {
    return false;
  }
  // The opener may live as long as the browser it starts; the game must not wait for it, and must
  // not leave it as a zombie either.
  std::thread([child] {
    int status = 0;
    waitpid(child, &status, 0);
  }).detach();
  return true;
}

bool openWithDesktop(const ShellLauncher& launcher, const std::string& target) {
  if (target.empty() || target[0] == '-' || !launcher) {
    return false;
  }
  return launcher({"xdg-open", target});
}

}  // namespace kel

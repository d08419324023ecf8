#pragma once
// The world tool's command line run in a child process of the test, its output kept in a file: a
// host and its clients each need a process of their own, as each holds the one current endpoint.
// The child runs the tool's own run function and leaves with its exit code.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"

namespace world_tool_test {

class ToolProcess {
 public:
  ToolProcess(const std::vector<std::string>& args, std::string outPath) : outPath_(std::move(outPath)) {
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ != 0) return;
    std::FILE* out = std::fopen(outPath_.c_str(), "w");
    std::FILE* err = std::fopen((outPath_ + ".err").c_str(), "w");
    int code = 2;
    std::string error;
    if (const auto parsed = world_tool::parseArgs(args, error); parsed && out != nullptr && err != nullptr) {
      code = world_tool::run(*parsed, out, err);
    }
    std::fflush(nullptr);
    _exit(code);
  }
  ~ToolProcess() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ToolProcess(const ToolProcess&) = delete;
  ToolProcess& operator=(const ToolProcess&) = delete;

  // The exit code once the child ended (waits for it); -1 when it did not end by itself.
  int wait() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_) return -1;
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void interrupt() const { kill(pid_, SIGINT); }

  std::string out() const { return read(outPath_); }
  std::string err() const { return read(outPath_ + ".err"); }

  // Waits (at most `seconds`) until the output holds `text`.
  bool waitForOutput(const std::string& text, int seconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (out().find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }

 private:
  static std::string read(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string outPath_;
  pid_t pid_ = -1;
  bool waited_ = false;
};

// The rest of the line after the last `head` in the text; empty when none.
inline std::string lastLineAfter(const std::string& text, const std::string& head) {
  const size_t at = text.rfind(head);
  if (at == std::string::npos) return {};
  const size_t from = at + head.size();
  return text.substr(from, text.find('\n', from) - from);
}

}  // namespace world_tool_test

#pragma once
// The system clipboard as two functions. The desktop default talks to GLFW; the window code may
// hand in its own, and tests hand in a plain string.

#include <functional>
#include <string>

namespace kel {

struct ClipboardHook {
  std::function<void(const std::string& text)> setText;
  std::function<std::string()> getText;
};

// Through GLFW: a busy or empty clipboard, or no display at all, reads as "" and ignores writes.
ClipboardHook glfwClipboard();

}  // namespace kel

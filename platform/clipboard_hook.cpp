#include "platform/clipboard_hook.h"

#include <GLFW/glfw3.h>

namespace kel {

ClipboardHook glfwClipboard() {
  ClipboardHook hook;
  // GLFW needs no window for the clipboard; before glfwInit it reports an error and does nothing.
  hook.setText = [](const std::string& text) { glfwSetClipboardString(nullptr, text.c_str()); };
  hook.getText = []() -> std::string {
    const char* text = glfwGetClipboardString(nullptr);
    return text != nullptr ? std::string(text) : std::string();
  };
  return hook;
}

}  // namespace kel

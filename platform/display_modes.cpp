#include "platform/display_modes.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <limits>

namespace kel {

namespace {

bool fitsSixteenBits(int value) {
  return value > 0 && value <= std::numeric_limits<uint16_t>::max();
}

uint32_t area(const base::VideoMode& mode) {
  return static_cast<uint32_t>(mode.width) * static_cast<uint32_t>(mode.height);
}

// Window sizes offered beside the monitor's own modes: a screen (or a virtual display) that lists
// only its current mode still lets the game run in a window smaller than it. The smallest is the
// smallest the interface is laid out for.
constexpr base::VideoMode kWindowSizes[] = {{960, 540}, {1024, 576}, {1280, 720}, {1366, 768}, {1600, 900}, {1920, 1080}, {2560, 1440}};

DisplayMode fromGlfw(const GLFWvidmode& mode) {
  return DisplayMode{mode.width,   mode.height,    mode.refreshRate,
                     mode.redBits, mode.greenBits, mode.blueBits};
}

}  // namespace

std::vector<base::VideoMode> selectVideoModes(const std::vector<DisplayMode>& modes,
                                              const DisplayMode& current, const WorkArea& room) {
  // A window larger than the work area would be shrunk to fit or reach under the panels: a size
  // the screen cannot show is not offered.
  const int widest = room.width > 0 ? std::min(current.width, room.width) : current.width;
  const int tallest = room.height > 0 ? std::min(current.height, room.height) : current.height;
  std::vector<base::VideoMode> selected;
  for (const DisplayMode& mode : modes) {
    const bool plainColour = mode.redBits == 8 && mode.greenBits == 8 && mode.blueBits == 8;
    const bool fits = mode.width <= widest && mode.height <= tallest;
    // A size that does not fit the stored 16-bit form could not be restored, so it is not offered.
    if (mode.refreshRate <= 60 && plainColour && fits && fitsSixteenBits(mode.width) &&
        fitsSixteenBits(mode.height)) {
      selected.push_back(
          base::VideoMode{static_cast<uint16_t>(mode.width), static_cast<uint16_t>(mode.height)});
    }
  }
  for (const base::VideoMode& size : kWindowSizes) {
    if (size.width <= widest && size.height <= tallest) selected.push_back(size);
  }
  // Equal sizes must end up side by side for the duplicate removal, whatever their order was.
  std::sort(selected.begin(), selected.end(),
            [](const base::VideoMode& a, const base::VideoMode& b) {
              return area(a) != area(b) ? area(a) < area(b) : a.width < b.width;
            });
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  return selected;
}

MonitorModes queryPrimaryMonitor() {
  MonitorModes result;
  // Without an initialised GLFW there is no monitor to ask (GLFW only reports an error).
  GLFWmonitor* monitor = glfwGetPrimaryMonitor();
  if (monitor == nullptr) {
    return result;
  }
  int count = 0;
  const GLFWvidmode* modes = glfwGetVideoModes(monitor, &count);
  const GLFWvidmode* current = glfwGetVideoMode(monitor);
  if (modes == nullptr || current == nullptr) {
    return result;
  }
  for (int i = 0; i < count; ++i) {
    result.modes.push_back(fromGlfw(modes[i]));
  }
  result.current = fromGlfw(*current);
  int x = 0, y = 0;
  glfwGetMonitorWorkarea(monitor, &x, &y, &result.room.width, &result.room.height);
  result.available = true;
  return result;
}

}  // namespace kel

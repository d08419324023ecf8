#include "tests/app_gl/app_run_support.h"

#include <GL/glew.h>

#include <dlfcn.h>

#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "app/game_wiring.h"
#include "engine/render/renderer.h"
#include "engine/scene/director.h"
#include "engine/scene/node.h"
#include "engine/scene/scheduler.h"
#include "tests/app_gl/fixed_step_clock.h"
#include "tests/support/argv.h"

namespace apptest {

void everyFrame(std::function<void(int)> onFrame) {
  static int target = 0;
  auto frames = std::make_shared<int>(0);
  engine::Director::getInstance()->getScheduler()->schedule(
      [frames, onFrame](float) { onFrame(++*frames); }, &target, 0.0f, engine::REPEAT_FOREVER,
      0.0f, 1);
}

void pinLoadedLibraries() {
  std::ifstream maps("/proc/self/maps");
  std::set<std::string> pinned;
  std::string line;
  while (std::getline(maps, line)) {
    const size_t slash = line.find('/');
    if (slash == std::string::npos || line.find(".so", slash) == std::string::npos) continue;
    const std::string path = line.substr(slash);
    if (pinned.insert(path).second) dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

kel::DesktopPlatform::Services realServices() {
  kel::DesktopPlatform::Services services;
  services.installCrashReporter = false;
  // Where the build puts the executable, so the data folder is the one the build assembled.
  const std::string executable = std::string(RUBBLE_DATA_DIR) + "/../out/bin/rubblemoor";
  services.executablePath = [executable] { return executable; };
  return services;
}

namespace {

// Rows bottom first as GL reads them, so the picture's first row is the last one read.
void writePicture(const std::string& path, const std::vector<unsigned char>& rgba, int width, int height) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << " " << height << "\n255\n";
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) out.write(reinterpret_cast<const char*>(&rgba[(static_cast<size_t>(y) * width + x) * 4]), 3);
  }
}

}  // namespace

std::vector<unsigned char> framePixels(int x, int y, int width, int height) {
  engine::Director* director = engine::Director::getInstance();
  // A frame the script left undrawn hides the scene until the next frame; what is read is drawn.
  director->getRunningScene()->setVisible(true);
  glClear(GL_COLOR_BUFFER_BIT);
  director->getRunningScene()->visit(director->getRenderer(), engine::Mat4::IDENTITY,
                                     engine::FLAGS_TRANSFORM_DIRTY);
  director->getRenderer()->render();
  std::vector<unsigned char> pixels(static_cast<size_t>(width * height * 4));
  glReadBuffer(GL_BACK);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

bool frameShowsSomething(const std::string& picturePath) {
  const engine::Size size = engine::Director::getInstance()->getWinSize();
  const int width = static_cast<int>(size.width);
  const int height = static_cast<int>(size.height);
  const std::vector<unsigned char> pixels = framePixels(0, 0, width, height);
  if (!picturePath.empty()) writePicture(picturePath, pixels, width, height);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i] > 40 || pixels[i + 1] > 40 || pixels[i + 2] > 40) return true;
  }
  return false;
}

int runWith(const std::string& word) {
  testsupport::Argv args({"rubblemoor", word});
  stepOnFixedClock();
  return runGame(args.argc(), args.argv(), realServices());
}

}  // namespace apptest

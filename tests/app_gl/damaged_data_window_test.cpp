// The program started on a data folder with a damaged font: the start menu names the damaged
// file and still shows its texts, drawn in another of the data folder's fonts.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/game_wiring.h"
#include "engine/app/application.h"
#include "engine/io/damaged_data_files.h"
#include "tests/app_gl/app_run_support.h"
#include "engine/scene/director.h"
#include "tests/support/argv.h"
#include "tests/support/temp_dir.h"
#include "ui/views/game_views.h"
#include "ui/views/list_view.h"

namespace {

namespace fs = std::filesystem;

// A copy of the build's data folder: every entry linked, the font folder copied so one file can
// be damaged. The program's path is made up inside it so the data folder is found beside it.
class DamagedDataRun : public apptest::AppRunTest {
 protected:
  void SetUp() override {
    AppRunTest::SetUp();
    engine::DamagedDataFiles::clear();
    const fs::path real = fs::canonical(fs::path(RUBBLE_DATA_DIR));
    const fs::path copy = root_.path() / "data";
    fs::create_directories(copy);
    for (const fs::directory_entry& entry : fs::directory_iterator(real)) {
      if (entry.path().filename() == "fonts") {
        fs::copy(entry.path(), copy / "fonts", fs::copy_options::recursive);
      } else {
        fs::create_symlink(entry.path(), copy / entry.path().filename());
      }
    }
    fonts_ = copy / "fonts";
    fs::create_directories(root_.path() / "out" / "bin");  // the made-up program's folder must exist for "../.." to lead out of it
  }
  void TearDown() override {
    engine::DamagedDataFiles::clear();
    AppRunTest::TearDown();
  }

  // Runs the program to its start menu and looks at it once it has settled.
  void runToStartMenu() {
    int settled = 0;
    apptest::everyFrame([&](int frame) {
      if (frame == 1) apptest::pinLoadedLibraries();
      GameViews* views = gameViews();
      if (views == nullptr || views->currentId() != ViewId::Start || ++settled < 5) return;
      const auto& list = dynamic_cast<ListView&>(views->view(ViewId::Start));
      lines_ = list.lines();
      brightPixels_ = countBrightPixels();
      apptest::frameShowsSomething("/tmp/art_menu.ppm");
      engine::Application::getInstance()->quit();
    });
    kel::DesktopPlatform::Services services = apptest::realServices();
    const std::string executable = (root_.path() / "out" / "bin" / "rubblemoor").string();
    services.executablePath = [executable] { return executable; };
    testsupport::Argv args({"rubblemoor", "-windowed"});
    EXPECT_EQ(runGame(args.argc(), args.argv(), std::move(services)), 0);
  }

  static int countBrightPixels() {
    const engine::Size size = engine::Director::getInstance()->getWinSize();
    const auto pixels = apptest::framePixels(0, 0, int(size.width), int(size.height));
    int bright = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
      if (pixels[i] > 200 && pixels[i + 1] > 200 && pixels[i + 2] > 200) ++bright;
    }
    return bright;
  }

  bool menuNames(const fs::path& file) const {
    const std::string said = "Data file damaged or missing: " + file.lexically_normal().string();
    for (const std::string& line : lines_) {
      if (line == said) return true;
    }
    return false;
  }

  testsupport::TempDir root_;
  fs::path fonts_;
  std::vector<std::string> lines_;
  int brightPixels_ = 0;
};

TEST_F(DamagedDataRun, AnEmptiedFontIsNamedOnTheStartMenuWhoseTextsStillShow) {
  std::ofstream(fonts_ / "small.fnt", std::ios::trunc).close();
  runToStartMenu();
  EXPECT_TRUE(menuNames(fonts_ / "small.fnt"));
  EXPECT_GT(brightPixels_, 200) << "the menu's texts are drawn in a fallback font";
}

TEST_F(DamagedDataRun, AFontPageWithAChangedByteIsNamedRatherThanItsDescription) {
  const fs::path page = fonts_ / "small.png";
  std::fstream file(page, std::ios::in | std::ios::out | std::ios::binary);
  const auto middle = static_cast<std::streamoff>(fs::file_size(page) / 2);
  file.seekg(middle);
  const char byte = static_cast<char>(file.get() ^ 0x5A);
  file.seekp(middle);
  file.put(byte);
  file.close();
  runToStartMenu();
  EXPECT_TRUE(menuNames(page));
  EXPECT_FALSE(menuNames(fonts_ / "small.fnt"));
  EXPECT_GT(brightPixels_, 200);
}

}  // namespace

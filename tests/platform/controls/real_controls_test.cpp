#include "platform/controls/real_controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/controls/desktop_controls_factory.h"
#include "platform/controls/simple_controls.h"
#include "platform/desktop_platform.h"
#include "tests/platform/controls/controls_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

using controlstest::Lines;
using engine::KeyCode;

struct FakeView {
  Lines heard;
};

struct ViewControls : kel::RealControls<FakeView> {
  using RealControls::RealControls;
  void keyEvent(KeyCode key, bool) override { view_->heard.push_back(std::to_string(int(key))); }
};

struct DismissControls : kel::RealControls<FakeView, kel::SimpleControls> {
  using RealControls::RealControls;
  void onAction() override { view_->heard.push_back("action"); }
};

class RealControlsTest : public testing::Test, public controlstest::DispatcherFixture {
 protected:
  RealControlsTest() {
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    platform->setControlsHandlerFactory(&factory);
    kel::Platform::setInstance(platform.get());
  }
  ~RealControlsTest() override { kel::Platform::setInstance(nullptr); }

  testsupport::ScopedDataHome home;
  kel::DesktopControlsFactory factory{dispatcher};
  std::unique_ptr<kel::DesktopPlatform> platform;
};

TEST_F(RealControlsTest, TheViewStackDecidesWhoseControlsHearAndControlsWithoutAPlatformAreDeaf) {
  FakeView inventory, map, early;
  ViewControls inventoryControls(&inventory), mapControls(&map, 0.5f);
  key(KeyCode::I);  // nothing is current yet
  inventoryControls.activate();
  key(KeyCode::I);
  inventoryControls.deactivate();
  mapControls.activate();
  key(KeyCode::M);
  EXPECT_EQ(inventory.heard, (Lines{"129"}));
  EXPECT_EQ(map.heard, (Lines{"133"}));
  mapControls.deactivate();

  kel::Platform::setInstance(nullptr);  // controls made before the platform: deaf but safe
  ViewControls earlyControls(&early);
  EXPECT_EQ(earlyControls.getHandler(), nullptr);
  earlyControls.activate(), earlyControls.setWheelEnabled(false), earlyControls.deactivate();
  key(KeyCode::S);
  EXPECT_TRUE(early.heard.empty());
}

TEST_F(RealControlsTest, ASimpleViewActsOnALeftRelease) {
  FakeView view;
  DismissControls controls(&view);
  controls.activate();
  down(0, 10, 10);
  EXPECT_TRUE(view.heard.empty());
  up(0, 10, 10);
  down(0, 0, 0), moveTo(50, 0), up(0, 50, 0);  // drags and keys do nothing
  key(KeyCode::SPACE);
  EXPECT_EQ(view.heard, (Lines{"action"}));
}

}  // namespace

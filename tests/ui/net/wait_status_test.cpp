// What a networked game shows on the wait view and asks of the views: the host's transfer status,
// made current and read as the stalled text when nothing newer came within two seconds; the wait
// view giving way to the main view when no transfer is left (and only then); a client's "A client
// is joining the game.." while another downloads; whether the inventory view is current.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "ui/net/ui_net_client_view.h"
#include "ui/net/ui_transfer_screen.h"
#include "ui/ui_launch_services.h"
#include "ui/views/game_views.h"
#include "view/main_layer.h"
#include "tests/support/settings_reset.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

class WaitStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    kel::Platform::setInstance(platform.get());
    layer = MainLayer::create();
    layer->retain();
    createViews();
    gameViews()->setLayer(layer);
    gameViews()->popToMainView();
  }
  void TearDown() override {
    screen.reset();
    destroyViews();
    layer->release();
    kel::Platform::setInstance(nullptr);
    platform.reset();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    testsupport::resetSettings();
  }

  // The scheduler's time, in tenths of a second.
  static void wait(float seconds) {
    engine::Scheduler* clock = engine::Director::getInstance()->getScheduler();
    for (float t = 0; t < seconds; t += 0.1f) clock->update(0.1f);
  }
  static ViewId current() { return gameViews()->currentId(); }

  std::unique_ptr<kel::DesktopPlatform> platform;
  MainLayer* layer = nullptr;
  Lines lines;
  UiLaunchServices interface;
  std::unique_ptr<UiTransferScreen> screen = std::make_unique<UiTransferScreen>(
      [this](const std::string& first, const std::string& second) { lines.emplace_back(first, second); }, &interface);
};

TEST_F(WaitStatusTest, TheHostsStatusShowsTheWaitViewAndReadsTheStalledTextAfterTwoSeconds) {
  screen->waitStatus("Sending world.. 0%", "");
  EXPECT_EQ(current(), ViewId::Wait);
  EXPECT_EQ(lines, (Lines{{"Sending world.. 0%", ""}}));

  screen->waitStatus("Sending world.. 40%", "Waiting for client..");
  wait(1.5f);
  screen->waitStatus("Sending world.. 60%", "Waiting for client..");
  wait(1.5f);
  EXPECT_EQ(lines.back(), (std::pair<std::string, std::string>{"Sending world.. 60%", ""}))
      << "a newer status starts the two seconds again";
  wait(1.0f);
  EXPECT_EQ(lines.back(), (std::pair<std::string, std::string>{"Waiting for client..", ""}));
  EXPECT_EQ(lines.size(), 4u);
  EXPECT_EQ(current(), ViewId::Wait) << "shown once, the view stays";
}

TEST_F(WaitStatusTest, NoTransferLeftTheWaitViewGivesWayToTheMainViewAndNothingStallsAfterwards) {
  screen->waitStatus("Sending world.. 80%", "Waiting for client..");
  screen->endWait();
  EXPECT_EQ(current(), ViewId::Main);
  wait(3.0f);
  EXPECT_EQ(lines.size(), 1u) << "the stalled text was dropped with the wait";
}

TEST_F(WaitStatusTest, TheEndOfAWaitLeavesAnotherCurrentViewAlone) {
  gameViews()->push(ViewId::Inventory);
  screen->endWait();
  EXPECT_EQ(current(), ViewId::Inventory);
}

TEST_F(WaitStatusTest, AStatusPendingWhenTheScreenGoesIsNeverWritten) {
  screen->waitStatus("Sending world.. 10%", "Waiting for client..");
  screen.reset();
  wait(3.0f);
  EXPECT_EQ(lines.size(), 1u);
}

TEST_F(WaitStatusTest, AClientSeesAnotherJoiningOnTheWaitViewUntilNoneIs) {
  UiNetClientView view(screen->wait(), interface);
  view.joiningStatus(true);
  EXPECT_EQ(current(), ViewId::Wait);
  EXPECT_EQ(lines, (Lines{{"A client is joining the game..", ""}}));
  view.joiningStatus(false);
  EXPECT_EQ(current(), ViewId::Main);
  EXPECT_EQ(lines.size(), 1u);
}

TEST_F(WaitStatusTest, TheClientsViewTellsWhetherTheInventoryViewIsCurrent) {
  UiNetClientView view(screen->wait(), interface);
  EXPECT_FALSE(view.inventoryViewIsCurrent());
  gameViews()->push(ViewId::Inventory);
  EXPECT_TRUE(view.inventoryViewIsCurrent());
  gameViews()->popToMainView();
  EXPECT_FALSE(view.inventoryViewIsCurrent());
}

}  // namespace

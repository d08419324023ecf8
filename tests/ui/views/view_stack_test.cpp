// The view stack and the fifteen views: the order of pause, resume, enter and exit, the controls
// switched with them, and what the launch asks of particular views.

#include <gtest/gtest.h>

#include "tests/support/drop_marker.h"

#include <memory>
#include <string>
#include <vector>

#include "content/texts/language_texts.h"
#include "engine/app/application.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "platform/controls/real_controls.h"
#include "platform/desktop_platform.h"
#include "platform/settings/settings.h"
#include "ui/ui_launch_services.h"
#include "ui/views/book_view.h"
#include "ui/views/game_view.h"
#include "ui/views/game_views.h"
#include "ui/views/inventory_view.h"
#include "view/main_layer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/settings_reset.h"

namespace {

// The view's root hangs on the layer it was given.
bool isOnLayer(const GameView& view) {
  return view.layer() != nullptr && view.root()->getParent() == static_cast<engine::Node*>(view.layer());
}

using Events = std::vector<std::string>;

// The names of the test views by their controls; every other view's controls are "view".
std::vector<std::pair<const kel::AbstractControls*, std::string>> controlsNames;

std::string nameOf(const kel::AbstractControls& controls) {
  for (const auto& [known, name] : controlsNames) {
    if (known == &controls) return name;
  }
  return "view";
}

// A handler that writes "<view> on/off" and the wheel setting into the event list.
class RecordingHandler : public kel::AbstractControlsHandler {
 public:
  RecordingHandler(kel::AbstractControls& controls, Events& events)
      : controls_(controls), events_(events) {}
  void enable() override { events_.push_back(nameOf(controls_) + " on"); }
  void disable() override { events_.push_back(nameOf(controls_) + " off"); }
  void setOption(int) override {}
  void setWheelEnabled(bool enabled) override { wheel = enabled; }
  bool wheel = true;

 private:
  kel::AbstractControls& controls_;
  Events& events_;
};

class RecordingFactory : public kel::ControlsHandlerFactory {
 public:
  explicit RecordingFactory(Events& events) : events_(events) {}
  std::unique_ptr<kel::AbstractControlsHandler> create(kel::AbstractControls& controls,
                                                       float) override {
    auto handler = std::make_unique<RecordingHandler>(controls, events_);
    handlers.push_back(handler.get());
    return handler;
  }
  std::vector<RecordingHandler*> handlers;

 private:
  Events& events_;
};

// A view that writes each moment of its life into the event list.
class TestView final : public GameView {
 public:
  TestView(std::string name, Events& events)
      : GameView(ViewId::Help), name_(std::move(name)), events_(events) {}
  void pause() override { events_.push_back(name_ + " pause"); }
  void resume() override { events_.push_back(name_ + " resume"); }
  void enter() override {
    events_.push_back(name_ + " enter");
    GameView::enter();
  }
  void exit() override {
    events_.push_back(name_ + " exit");
    GameView::exit();
  }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  Events& events_;
};

class ViewStackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::resetSettings();
    kel::DesktopPlatform::Services services;
    services.installCrashReporter = false;
    platform = std::make_unique<kel::DesktopPlatform>(std::move(services));
    platform->setControlsHandlerFactory(&factory);
    kel::Platform::setInstance(platform.get());
    layer = MainLayer::create();
    layer->retain();
  }
  void TearDown() override {
    destroyViews();
    controlsNames.clear();
    a.reset();
    b.reset();
    c.reset();
    layer->release();
    kel::Platform::setInstance(nullptr);
    platform.reset();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
    testsupport::resetSettings();
  }

  void makeTestViews() {
    a = std::make_unique<TestView>("a", events);
    b = std::make_unique<TestView>("b", events);
    c = std::make_unique<TestView>("c", events);
    for (TestView* view : {a.get(), b.get(), c.get()}) {
      view->setLayer(layer);
      controlsNames.emplace_back(&view->controls(), view->name());
    }
  }

  Events events;
  RecordingFactory factory{events};
  std::unique_ptr<kel::DesktopPlatform> platform;
  MainLayer* layer = nullptr;
  std::unique_ptr<TestView> a, b, c;
};

TEST_F(ViewStackTest, PushPopAndSwitchPauseResumeEnterAndExitInOrderWithTheirControls) {
  makeTestViews();
  GameViews views;
  ASSERT_TRUE(views.push(*a));
  ASSERT_TRUE(views.push(*b));
  EXPECT_EQ(events, (Events{"a enter", "a on", "a pause", "a off", "b enter", "b on"}));
  EXPECT_EQ(views.paused(), (std::vector<GameView*>{a.get()}));
  EXPECT_TRUE(isOnLayer(*a));

  // A view cannot be on the stack twice.
  events.clear();
  EXPECT_FALSE(views.push(*a));
  EXPECT_FALSE(views.push(*b));
  EXPECT_TRUE(events.empty());

  ASSERT_TRUE(views.pop());
  EXPECT_EQ(events, (Events{"b off", "b exit", "a resume", "a on"}));
  EXPECT_EQ(views.current(), a.get());
  EXPECT_FALSE(isOnLayer(*b));

  views.push(*b);
  events.clear();
  views.switchTo(*c);
  EXPECT_EQ(events, (Events{"b off", "b exit", "a resume", "a on", "a off", "a exit", "c enter",
                            "c on"}));
  EXPECT_TRUE(views.paused().empty());
  EXPECT_EQ(layer->getChildrenCount(), 1u);

  events.clear();
  ASSERT_TRUE(views.pop());
  EXPECT_EQ(events, (Events{"c off", "c exit"}));
  EXPECT_EQ(views.currentId(), ViewId::None);
  EXPECT_FALSE(views.pop());
}

TEST_F(ViewStackTest, CreateViewsMakesTheFifteenInOrderWithTheWheelOption) {
  kel::options().disableMouseWheel = true;
  createViews();
  GameViews* views = gameViews();
  ASSERT_NE(views, nullptr);
  for (int i = 0; i < VIEW_COUNT; ++i) {
    EXPECT_EQ(views->view(static_cast<ViewId>(i)).id(), static_cast<ViewId>(i));
  }
  // One handler per view, each with the wheel switched off.
  ASSERT_EQ(factory.handlers.size(), static_cast<size_t>(VIEW_COUNT));
  for (const RecordingHandler* handler : factory.handlers) EXPECT_FALSE(handler->wheel);
  EXPECT_EQ(views->currentId(), ViewId::None);
}

// A class standing for the menus' start view, which only the menus make.
struct StartStandIn final : GameView {
  static constexpr ViewId kId = ViewId::Start;
};

TEST_F(ViewStackTest, WithoutTheMenusMakerAMenuViewIsAPlainPlaceAndNotTheMenusClass) {
  createViews();
  GameViews* views = gameViews();
  ASSERT_NE(views, nullptr);
  EXPECT_FALSE(views->madeByMenus(ViewId::Start));
  EXPECT_FALSE(views->madeByMenus(ViewId::Main)) << "the interface makes the main view";
  EXPECT_EQ(views->menuView<StartStandIn>(), nullptr);
  EXPECT_EQ(views->view(ViewId::Start).id(), ViewId::Start) << "its place on the stack is kept";
}

TEST_F(ViewStackTest, TheLaunchSeamIsQuietWithoutViews) {
  UiLaunchServices services;
  services.refreshInventory();
  services.showPauseView();
  services.setBookPages(nullptr, nullptr);
  services.detachLayer(layer);
  EXPECT_EQ(services.currentView(), ViewId::None);
}

TEST_F(ViewStackTest, TheLaunchSeamDrivesTheViews) {
  createViews();
  UiLaunchServices services;
  GameViews& views = *gameViews();
  services.showStartView(layer);
  EXPECT_EQ(services.currentView(), ViewId::Start);

  // The pause view unwinds the stack.
  views.push(views.view(ViewId::Inventory));
  views.push(views.view(ViewId::Book));
  services.showPauseView();
  EXPECT_EQ(services.currentView(), ViewId::Pause);
  EXPECT_TRUE(views.paused().empty());
  EXPECT_FALSE(isOnLayer(views.view(ViewId::Inventory)));

  // A refresh hides the inventory's drop marker.
  views.inventoryView().showDropMarker(engine::Vec2(10, 20));
  ASSERT_TRUE(testsupport::dropMarkerShown(views.inventoryView()));
  services.refreshInventory();
  EXPECT_FALSE(testsupport::dropMarkerShown(views.inventoryView()));

  // The book keeps the range it was handed; a reversed range is empty rather than negative.
  std::vector<BookEntry> entries(4);
  services.setBookPages(entries.data() + 1, entries.data() + 4);
  EXPECT_EQ(views.bookView().pagesBegin(), entries.data() + 1);
  EXPECT_EQ(views.bookView().pageCount(), 3u);
  views.bookView().setPages(entries.data() + 3, entries.data() + 1);
  EXPECT_EQ(views.bookView().pageCount(), 0u);

  // A layer that goes away is forgotten by every view.
  services.detachLayer(layer);
  for (int i = 0; i < VIEW_COUNT; ++i) EXPECT_EQ(views.view(static_cast<ViewId>(i)).layer(), nullptr);
}

}  // namespace

// The achievement banner's slide, wait and slide by scheduler time, its icon, the dropped second
// banner, the pop-up through the main layer, and the sign bubble growing into place.

#include "content/art/achievement_icons.h"
#include "engine/render/texture_cache.h"
#include "engine/sprite/sprite.h"
#include "engine/text/label.h"
#include "engine/text/text_environment.h"
#include "game/stats/achievement_table.h"
#include "tests/view/overlay_gl_fixture.h"
#include "view/main_layer.h"
#include "view/overlays/achievement_banner_popup.h"
#include "view/overlays/achievement_dialog.h"
#include "view/overlays/sign_label.h"
#include "view/world_view_launch_services.h"

namespace overlay_test {
namespace {

class BannerTest : public OverlayGLFixture {
 protected:
  AchievementDialog* banner() {
    AchievementDialog* made = AchievementDialog::create();
    EXPECT_NE(made, nullptr);
    scene_->addChild(made, AchievementDialog::kZ, AchievementDialog::kTag);
    return made;
  }
  engine::Texture2D* cachedIcon() {
    return engine::getTextEnvironment()->getTextureCache()->getTextureForKey(art::achievementIconFileName(7));
  }
};

TEST_F(BannerTest, SlidesDownInHalfASecondWaitsTwoSecondsAndSlidesBackUp) {
  AchievementDialog* dialog = banner();
  ASSERT_NE(dialog, nullptr);
  const float rest = dialog->restingPosition().y;
  EXPECT_FLOAT_EQ(dialog->getPositionY(), rest);
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_TRUE(dialog->show("Serious Tools", "Craft a stronger tool.", 7));
  EXPECT_TRUE(dialog->isVisible());
  ASSERT_NE(dialog->icon(), nullptr);
  EXPECT_NE(cachedIcon(), nullptr);
  const float down = rest - AchievementDialog::kHeight;
  advance(0.25f);
  EXPECT_LT(dialog->getPositionY(), rest);
  EXPECT_GT(dialog->getPositionY(), down);
  advance(0.3f);
  EXPECT_NEAR(dialog->getPositionY(), down, 0.01f);
  advance(1.9f);  // 2.45 s: still shown
  EXPECT_NEAR(dialog->getPositionY(), down, 0.01f);
  EXPECT_TRUE(dialog->isVisible());
  advance(0.3f);  // sliding up
  EXPECT_GT(dialog->getPositionY(), down);
  EXPECT_TRUE(dialog->isVisible());
  // 3.1 s (an action's first frame only starts its clock): gone, with its icon and the
  // icon's texture.
  advance(0.35f);
  EXPECT_NEAR(dialog->getPositionY(), rest, 0.01f);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->icon(), nullptr);
  EXPECT_EQ(cachedIcon(), nullptr);
}

bool inside(const engine::Rect& inner, const engine::Rect& outer) {
  return inner.getMinX() >= outer.getMinX() && inner.getMaxX() <= outer.getMaxX() &&
         inner.getMinY() >= outer.getMinY() && inner.getMaxY() <= outer.getMaxY();
}

TEST_F(BannerTest, ALongTitleAndDescriptionStayInsideTheFrameAndApart) {
  const float ui = 2.0005f;
  screenLayout().uiScale = ui;
  AchievementDialog* dialog = banner();
  ASSERT_NE(dialog, nullptr);
  std::string description;
  for (int i = 0; i < 10; ++i) description += "Many words that wrap and wrap again. ";
  ASSERT_TRUE(dialog->show("A Title Far Too Long For Any Banner To Hold", description, 7));
  using D = AchievementDialog;
  const engine::Rect frame(-D::kWidth / 2 * ui, -D::kHeight / 2 * ui, D::kWidth * ui, D::kHeight * ui);
  const engine::Rect title = dialog->titleLabel()->getBoundingBox();
  const engine::Rect said = dialog->descriptionLabel()->getBoundingBox();
  EXPECT_TRUE(inside(title, frame)) << title.getMinX() << ".." << title.getMaxX() << " x " << title.getMinY() << ".."
                                    << title.getMaxY();
  EXPECT_TRUE(inside(said, frame)) << said.getMinX() << ".." << said.getMaxX() << " x " << said.getMinY() << ".."
                                   << said.getMaxY();
  EXPECT_GE(title.getMinY(), said.getMaxY() - 0.5f) << "the description stays under the title";
  // A short text keeps the banner's own size: half the interface scale.
  advance(3.2f);
  ASSERT_TRUE(dialog->show("Tools", "Craft one.", 7));
  EXPECT_FLOAT_EQ(dialog->titleLabel()->getScale(), ui * 0.5f);
  EXPECT_FLOAT_EQ(dialog->descriptionLabel()->getScale(), ui * 0.5f);
}

TEST_F(BannerTest, ASecondAchievementWhileOneShowsIsDroppedAndAMissingIconIsLeftOut) {
  AchievementDialog* dialog = banner();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(dialog->show("First", "one", 8));  // there is no 8.png
  EXPECT_EQ(dialog->icon(), nullptr);
  EXPECT_TRUE(dialog->isVisible());
  frame();  // drawn without an icon
  advance(1.0f);
  EXPECT_FALSE(dialog->show("Second", "two", 7));
  EXPECT_EQ(dialog->titleLabel()->getString(), "First");
  EXPECT_EQ(dialog->icon(), nullptr);
  advance(2.1f);
  EXPECT_TRUE(dialog->show("Second", "two", 7));  // the banner is free again
  EXPECT_EQ(dialog->titleLabel()->getString(), "Second");
}

class MainLayerOverlays : public OverlayGLFixture {
 protected:
  void SetUp() override {
    OverlayGLFixture::SetUp();
    layer = static_cast<MainLayer*>(services.createMainLayer());
    scene_->addChild(layer, 0);
  }
  void TearDown() override {
    SignLabel::forget();
    OverlayGLFixture::TearDown();
  }
  WorldViewLaunchServices services;
  MainLayer* layer = nullptr;
};

TEST_F(MainLayerOverlays, AnUnlockSlidesDownAsTheMainLayersBanner) {
  AchievementBannerPopup popup;
  popup.show(achievementRows()[7]);
  AchievementDialog* dialog = mainLayerAchievementDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->getParent(), layer);
  EXPECT_EQ(dialog->getTag(), AchievementDialog::kTag);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->titleLabel()->getString(), achievementRows()[7].name);
  ASSERT_NE(dialog->icon(), nullptr);  // row 7's icon is 7.png
  popup.show(achievementRows()[8]);
  EXPECT_EQ(dialog->titleLabel()->getString(), achievementRows()[7].name);
  EXPECT_EQ(mainLayerAchievementDialog(), dialog);  // one banner
}

TEST_F(MainLayerOverlays, TheSignBubbleGrowsFromTheSignIntoPlace) {
  SignLabel* bubble = SignLabel::show(*layer, "Welcome\nhome", engine::Vec2(64, 20));
  ASSERT_NE(bubble, nullptr);
  EXPECT_EQ(bubble->getParent(), layer);
  EXPECT_EQ(bubble->getTag(), SignLabel::kTag);
  // It starts at the sign, invisible and of no size.
  EXPECT_EQ(bubble->getPosition(), engine::Vec2(64, 20));
  EXPECT_FLOAT_EQ(bubble->getScale(), 0);
  EXPECT_EQ(bubble->getOpacity(), 0);
  advance(0.1f);
  EXPECT_GT(bubble->getScale(), 0);
  EXPECT_LT(bubble->getScale(), 1);
  advance(0.15f);
  // Above the sign (20 + 42 + 52 stays under the top margin of the 128-point screen), kept 5
  // points inside the left side.
  EXPECT_EQ(bubble->getPosition(), engine::Vec2(68 + 5, 20 + 42 + 26));
  EXPECT_FLOAT_EQ(bubble->getScale(), 1);
  EXPECT_EQ(bubble->getOpacity(), 255);
  EXPECT_EQ(SignLabel::show(*layer, "Again", engine::Vec2(64, 20)), bubble);
}

TEST(SignBubble, PlacementAtTheEdgesOfTheRules) {
  struct Case {
    const char* name;
    engine::Vec2 sign;
    float ui;
    engine::Vec2 target;
  };
  const engine::Size screen(800, 600);
  const Case cases[] = {
      // The top margin reached exactly: below; one point lower: above.
      {"top reached", {400, 600 - 5 - 42 - 52}, 1, {400, 600 - 5 - 42 - 52 - 42 - 26}},
      {"just under", {400, 600 - 5 - 42 - 52 - 1}, 1, {400, 600 - 5 - 52 - 1 + 26}},
      // No room above or below: the bubble stays at the sign's height.
      {"no room", {400, 300}, 8, {40 + 544, 300}},
      // The margins and the bubble grow with the interface scale.
      {"left at scale 2", {100, 100}, 2, {136 + 10, 100 + 42 + 52}},
      {"right at scale 2", {750, 100}, 2, {800 - 10 - 136, 100 + 42 + 52}},
  };
  for (const Case& c : cases) EXPECT_EQ(SignLabel::bubblePlace(c.sign, screen, c.ui), c.target) << c.name;
}

}  // namespace
}  // namespace overlay_test

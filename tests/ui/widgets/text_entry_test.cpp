// The text entry's backing: it keeps the width it was placed at, and widens under a text longer
// than that (a long chat line), to the caret and past it. Without its font file (as here) every
// letter measures the fallback advance.

#include "ui/widgets/text_entry.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/base/ref.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "ui/widgets/ui_draw.h"

namespace {

class TextEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = engine::InnerNode::create();
    parent_->retain();
    entry_.build(parent_, engine::Vec2(10, 20), 100.0f);
  }
  void TearDown() override {
    parent_->release();
    engine::PoolManager::getCurrentPool()->clear();
    if (engine::Director::hasInstance()) engine::Director::getInstance()->purgeDirector();
  }
  // The entry's backing: the colour layer under its label and caret.
  const engine::Node* backing() const {
    for (const engine::Node* panel : parent_->getChildren()) {
      for (const engine::Node* child : static_cast<const engine::InnerNode*>(panel)->getChildren()) {
        if (child->getLocalZOrder() == 0) return child;
      }
    }
    return nullptr;
  }

  engine::InnerNode* parent_ = nullptr;
  TextEntry entry_;
};

TEST_F(TextEntryTest, ALongTextKeepsTheBackingUnderItAndAShortOneThePlacedWidth) {
  const engine::Node* back = backing();
  ASSERT_NE(back, nullptr);
  entry_.submit(std::string(40, 'a'));
  ASSERT_GT(entry_.caretX(), 10.0f + 100.0f) << "the text runs past the placed width";
  EXPECT_GT(back->getPosition().x + back->getContentSize().width, entry_.caretX() + 2.0f);
  entry_.submit("ab");
  EXPECT_FLOAT_EQ(back->getContentSize().width, 100.0f);
  entry_.place(engine::Vec2(0, 0), 200.0f, 2.0f);
  EXPECT_FLOAT_EQ(back->getContentSize().width, 200.0f) << "a new place sets the width again";
}

}  // namespace

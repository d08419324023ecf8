#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/base/ref.h"
#include "engine/base/utf.h"
#include "engine/input/event_dispatcher.h"
#include "engine/input/event_keyboard.h"
#include "engine/input/event_keyboard_char.h"
#include "engine/input/event_listener_keyboard.h"
#include "engine/input/event_listener_keyboard_char.h"
#include "engine/scene/scheduler.h"
#include "platform/desktop_platform.h"
#include "platform/text_field/desktop_text_field.h"
#include "platform/text_field/desktop_text_field_listener.h"

namespace {

using engine::KeyCode;
using kel::DesktopTextField;
using kel::TextFieldSetup;

class TextFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dispatcher_ = new engine::EventDispatcher();
    dispatcher_->setEnabled(true);
    scheduler_ = new engine::Scheduler();
    auto* controlsKeys = engine::EventListenerKeyboard::create();
    controlsKeys->onKeyPressed = [this](KeyCode, engine::Event*) { ++controlsSaw_; };
    auto* controlsChars = engine::EventListenerKeyboardChar::create();
    controlsChars->onChar = [this](char16_t, engine::Event*) { ++controlsSaw_; };
    dispatcher_->addEventListenerWithFixedPriority(controlsKeys, 2);
    dispatcher_->addEventListenerWithFixedPriority(controlsChars, 2);
  }
  void TearDown() override {
    field_.reset();
    dispatcher_->release();
    scheduler_->release();
    engine::PoolManager::getCurrentPool()->clear();
  }

  DesktopTextField& makeField(const std::string& text, uint32_t lineLimit, uint32_t minimum,
                              uint32_t lineLength) {
    TextFieldSetup setup;
    setup.initialText = text;
    setup.lineLimit = lineLimit;
    setup.minimumLength = minimum;
    setup.lineLength = lineLength;
    setup.onText = [this](const std::string& t) { texts_.push_back(t); };
    setup.onFinish = [this](const std::string& t) { finishes_.push_back(t); };
    return open(setup);
  }
  DesktopTextField& open(const TextFieldSetup& setup) {
    field_ = std::make_unique<DesktopTextField>(setup, dispatcher_, scheduler_);
    field_->setOnChange([this] { ++changes_; });
    field_->startListening();
    return *field_;
  }
  DesktopTextField& chatField() { return makeField(">", 1, 1, 76); }
  DesktopTextField& signField() { return makeField("", 4, 0, 24); }

  void press(KeyCode key, bool down = true) {
    engine::EventKeyboard event(key, down);
    dispatcher_->dispatchEvent(&event);
  }
  void release(KeyCode key) { press(key, false); }
  void tap(KeyCode key) { press(key), release(key); }
  void type(uint32_t codePoint) {
    engine::EventKeyboardChar event(codePoint);
    dispatcher_->dispatchEvent(&event);
  }
  void type(const std::u16string& text) {
    for (const char16_t c : text) type(static_cast<uint32_t>(c));
  }

  engine::EventDispatcher* dispatcher_ = nullptr;
  engine::Scheduler* scheduler_ = nullptr;
  std::unique_ptr<DesktopTextField> field_;
  std::vector<std::string> texts_;
  std::vector<std::string> finishes_;
  int changes_ = 0;
  int controlsSaw_ = 0;
};

TEST_F(TextFieldTest, ChatLineKeepsItsPromptAndItsLengthAndEnterSendsIt) {
  DesktopTextField& field = chatField();
  tap(KeyCode::BACKSPACE);
  EXPECT_EQ(field.getText(), ">");  // the prompt stays
  type(std::u16string(75, u'x'));
  type(u'y');  // the 77th
  EXPECT_EQ(field.getText(), ">" + std::string(75, 'x'));
  EXPECT_EQ(controlsSaw_, 0);  // every key and character stayed with the field
  tap(KeyCode::ENTER);
  EXPECT_EQ(texts_, (std::vector<std::string>{field.getText()}));
}

TEST_F(TextFieldTest, SignHoldsFourLinesOfTwentyFourCharactersNotBytes) {
  DesktopTextField& field = signField();
  type(std::u16string(30, u'Ж'));
  // Wrapped after 24 characters, never inside a letter's bytes.
  std::string expected;
  engine::utf16ToUtf8Lenient(std::u16string(24, u'Ж') + u"\n" + std::u16string(6, u'Ж'), expected);
  EXPECT_EQ(texts_.back(), expected);
  field.setText("");
  type(std::u16string(97, u'a'));  // the 97th does not fit
  EXPECT_EQ(field.getWideText().size(), 96u);
  EXPECT_EQ(field.lineCount(), 4u);
}

TEST_F(TextFieldTest, EnterOnTheLastSignLineAddsNothing) {
  DesktopTextField& field = signField();
  for (const char16_t* line : {u"a", u"b", u"c", u"d"}) type(line), tap(KeyCode::ENTER);
  EXPECT_EQ(field.getText(), "a\nb\nc\nd");
}

TEST_F(TextFieldTest, ControlAndVPasteTheClipboardsFirstLineAsFarAsTheFieldTakesIt) {
  std::string clipboard = "192.168.1.20\nsecond line";
  kel::DesktopPlatform::Services services;
  services.clipboard = {[&clipboard](const std::string& text) { clipboard = text; }, [&clipboard] { return clipboard; }};
  services.installCrashReporter = false;
  services.executablePath = [] { return std::string("/nowhere/out/bin/rubblemoor"); };
  kel::DesktopPlatform platform(std::move(services));
  kel::Platform::setInstance(&platform);
  DesktopTextField& field = chatField();
  tap(KeyCode::V);
  EXPECT_EQ(field.getText(), ">") << "V alone pastes nothing";
  press(KeyCode::CTRL);
  tap(KeyCode::V);
  release(KeyCode::CTRL);
  EXPECT_EQ(field.getText(), ">192.168.1.20");
  EXPECT_EQ(controlsSaw_, 0);
  clipboard = std::string(100, 'z');
  press(KeyCode::CTRL);
  tap(KeyCode::V);
  release(KeyCode::CTRL);
  EXPECT_EQ(field.getWideText().size(), 76u) << "the line's limit holds for pasted text too";
  kel::Platform::setInstance(nullptr);
}

TEST_F(TextFieldTest, HeldBackspaceRepeatsUntilReleased) {
  DesktopTextField& field = makeField("abcdefgh", 1, 0, kel::TEXT_FIELD_UNLIMITED);
  press(KeyCode::BACKSPACE);
  EXPECT_EQ(field.getText(), "abcdefg");
  // The frame of the press only starts the repeat; then one deletion per 0.1 s held.
  for (const auto& [dt, text] : {std::pair{0.016f, "abcdefg"}, {0.05f, "abcdefg"}, {0.06f, "abcdef"},
                                 {0.1f, "abcde"}}) {
    scheduler_->update(dt);
    EXPECT_EQ(field.getText(), text) << dt;
  }
  release(KeyCode::BACKSPACE);
  scheduler_->update(0.5f);
  EXPECT_EQ(field.getText(), "abcde");
}

TEST_F(TextFieldTest, BackspaceRemovesWholeCharactersAndTypedOnesKeepTheirSixteenBits) {
  DesktopTextField& field = makeField("aЖ\U0001F600", 1, 0, 5);
  tap(KeyCode::BACKSPACE);  // the emoji set by the game is one character: both halves go
  EXPECT_EQ(field.getText(), "aЖ");
  type(0x4E00);   // 一
  type(0x1F600);  // beyond one unit: ignored
  type(0xD800);   // half a pair: ignored
  EXPECT_EQ(field.getText(), "aЖ一");
}

TEST_F(TextFieldTest, AFieldEnteredWithItsTextSelectedWholeIsReplacedByWhatIsTyped) {
  TextFieldSetup setup;
  setup.initialText = "127.0.0.1";
  setup.lineLength = 64;
  setup.selectWhole = true;
  DesktopTextField& field = open(setup);
  EXPECT_TRUE(field.isWholeSelected());
  type(u"10.0.0.2");
  EXPECT_EQ(field.getText(), "10.0.0.2") << "typing replaces the old address, never appends to it";
  EXPECT_FALSE(field.isWholeSelected());
  type(u"5");
  EXPECT_EQ(field.getText(), "10.0.0.25") << "then it types on as usual";

  DesktopTextField& again = open(setup);
  tap(KeyCode::BACKSPACE);
  EXPECT_EQ(again.getText(), "") << "a backspace erases the selection";

  DesktopTextField& kept = open(setup);
  tap(KeyCode::END);
  type(u"0");
  EXPECT_EQ(kept.getText(), "127.0.0.10") << "End keeps the text and types after it";

  setup.selectWhole = false;
  DesktopTextField& plain = open(setup);
  type(u"0");
  EXPECT_EQ(plain.getText(), "127.0.0.10") << "a field that selects nothing types on";
}

TEST_F(TextFieldTest, StoppedAndFinishedFieldsLetInputThrough) {
  DesktopTextField& field = chatField();
  field.stopListening();
  type(u"a");
  EXPECT_EQ(controlsSaw_, 1);
  field.startListening();
  type(u"b");
  field.finish();
  EXPECT_EQ(finishes_, (std::vector<std::string>{">b"}));
  field.startListening();  // a finished field has no listeners left to register
  type(u"c");
  EXPECT_EQ(field.getText(), ">b");
  EXPECT_EQ(controlsSaw_, 2);
}

TEST_F(TextFieldTest, FinishingFromItsOwnKeyIsSafe) {
  TextFieldSetup setup;
  setup.onText = [this](const std::string&) { field_->finish(); };
  setup.onFinish = [this](const std::string& t) { finishes_.push_back(t); };
  open(setup);
  tap(KeyCode::ENTER);  // finishes inside the dispatch; the release must not reach it
  EXPECT_EQ(finishes_.size(), 1u);
  EXPECT_EQ(controlsSaw_, 0);
}

using TextFieldListenerTest = TextFieldTest;

TEST_F(TextFieldListenerTest, ReportsEveryChangeAndDeletesOnRelease) {
  kel::DesktopTextFieldListener listener(dispatcher_);
  std::vector<std::string> seen;
  listener.startListening([&](const std::string& text) { seen.push_back(text); });
  type(u"aЖ");
  press(KeyCode::BACKSPACE);  // a press alone deletes nothing
  release(KeyCode::BACKSPACE);
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "aЖ", "a"}));
  EXPECT_EQ(controlsSaw_, 0);
}

}  // namespace

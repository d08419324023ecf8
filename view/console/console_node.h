#pragma once
// The message log of a running game: chat lines, system and game messages at the top left of the
// screen, one label per line, wrapped to 85 % of the screen's width (console_wrap.h, measured with
// the font the lines are drawn with), a line apart (8 interface points, or a whole line of a taller
// font), shown for a set time and then gone, the lines below moving up. Each line's tag is its
// row, 1 the oldest; tags from 100 on are not lines (the holder of pushed-out lines in the sliding
// form has 100). At most `maxLines` lines show: a new message first pushes the oldest out.
//
// Two forms, by the fancyChat option: plain lines appear and vanish at once and the rest jump up;
// sliding lines fade in, and the whole console slides up as the oldest fades out. With the
// chatBackground option a translucent panel (tag 2154 on the console's parent, z 199) covers the
// lines, with a margin of 2 interface points, while there are any.
//
// A missing font leaves the console empty but working: a message that cannot be drawn is dropped.
//
// How the main layer uses this: `ConsoleNode::create()` when a game starts, added at z 200 and
// kept as the layer's console; messages arrive through `addMessage(text, kind)` (kinds: 0 chat,
// 1 green notices, 2 yellow, 3 red, 4 and others white). It goes with the layer's children at
// the teardown.
//
// Main thread only; timing is by engine actions, nothing runs per frame.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/scene/inner_node.h"

namespace engine {
class Label;
}

// What the console is laid out and timed by.
struct ConsoleStyle {
  std::string fontFile;  // the lines' font ("smalltooltip.fnt" of the font folder)
  float uiScale = 1.0f;
  engine::Size screen;   // points
  bool fancy = true;
  bool background = true;
  float duration = 15.0f;  // seconds a line stays
  bool profanityFilter = false;

  // From the platform's font folder, the screen layout, the director's window and the options.
  static ConsoleStyle fromSettings();
};

class ConsoleNode final : public engine::InnerNode {
 public:
  static constexpr int kHolderTag = 100;
  static constexpr int kPanelTag = 2154;
  // On the main layer under the views (50), so a view's title is never covered, and over the HUD's
  // batches (45).
  static constexpr int kZ = 48;
  static constexpr int kPanelZ = 47;
  static constexpr int kScrollActionTag = 100;
  static constexpr int kRepeatGuardTag = 101;
  // Seconds in which the same line said again is shown once.
  static constexpr float kRepeatWindow = 2.0f;

  // Autoreleased; the style from the settings.
  static ConsoleNode* create();
  static ConsoleNode* create(const ConsoleStyle& style);
  ~ConsoleNode() override;

  bool init() override;
  // Takes the text (emptied); each wrapped part becomes a line of the kind's colour.
  void addMessage(std::string& text, uint8_t kind);
  void addMessage(const std::string& text, uint8_t kind) {
    std::string copy = text;
    addMessage(copy, kind);
  }
  // Sizes the background panel over the lines, or removes it (false, or no lines).
  void updateBackground(bool show);

  // A line as shown: its text (filtered, wrapped) and its kind.
  struct ShownLine {
    std::string text;
    uint8_t kind = 0;
  };
  // The lines shown now, oldest first; those being pushed out are not among them.
  std::vector<ShownLine> shownLines() const;
  // Shows the lines again, each for the whole duration, in this console's form (a console made
  // anew with other options carries on the old one's lines).
  void showLines(const std::vector<ShownLine>& lines);

  int32_t lineCount() const { return lineCount_; }
  int32_t maxLines() const { return maxLines_; }
  float lineStep() const { return step_; }
  engine::Vec2 origin() const { return {x0_, y0_}; }
  static engine::Color3B colourOf(uint8_t kind);

 private:
  explicit ConsoleNode(const ConsoleStyle& style) : style_(style) {}

  bool repeatsFreshLine(const std::string& text, uint8_t kind);
  void addLine(const std::string& line, uint8_t kind);
  void makeRoom();
  void placePlain(engine::Label* label);
  void placeSliding(engine::Label* label);
  void plainScroll();
  void slidingScroll();
  void forEachLine(const std::function<void(engine::Node*)>& visit) const;

  ConsoleStyle style_;
  int32_t lineCount_ = 0;
  bool backgroundShown_ = false;
  float savedY_ = 0.0f;
  engine::InnerNode* holder_ = nullptr;  // the console's child in the sliding form
  float x0_ = 0, y0_ = 0, step_ = 8;
  float lineHeight_ = 8;  // a line's drawn height
  int32_t maxLines_ = 1;
  std::string lastText_;
  uint8_t lastKind_ = 0;
};

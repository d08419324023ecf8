#include "view/console/console_node.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/screen_layout.h"
#include "engine/base/log.h"
#include "engine/base/ref_ptr.h"
#include "engine/layer/layer_color.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/call_func.h"
#include "engine/scene/delay_time.h"
#include "engine/scene/director.h"
#include "engine/scene/fade_to.h"
#include "engine/scene/move_by.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"
#include "engine/text/font_atlas.h"
#include "engine/text/font_atlas_cache.h"
#include "engine/text/label.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"
#include "view/console/console_filter.h"
#include "view/console/console_wrap.h"
#include "view/player/portrait_frame.h"

namespace {

constexpr float kWidthShare = 0.85f;
// Points above the first line's foot: the HUD's portrait, its figure's feet included, keeps the top
// left corner, then a gap, then the first line.
constexpr float kPortraitGap = 4.0f;
constexpr float kFirstLineHeight = 16.0f;  // its font's 23 points at half scale raised by 4, rounded up
constexpr float kTopRoom = PortraitFrame::kReach + kPortraitGap + kFirstLineHeight;
constexpr float kLabelScale = 0.5f;  // the lines' font draws at half the interface scale
constexpr float kLabelRise = 4.0f;   // and sits 4 interface points higher
constexpr float kLeastStep = 8.0f;   // interface points from one line to the next
constexpr float kPanelMargin = 2.0f;  // interface points the background reaches past the lines

// The line height in pixels of the font file; 0 when it cannot be read. A console without a font
// (a tool's view, which has no fonts folder) asks for none.
float fontLineHeight(const std::string& fontFile) {
  if (fontFile.empty()) return 0.0f;
  engine::FontAtlas* font = engine::FontAtlasCache::getFontAtlasFNT(fontFile);
  if (font == nullptr) return 0.0f;
  const float height = font->getCommonLineHeight();
  engine::FontAtlasCache::releaseFontAtlas(font);
  return height;
}

// A console line: a label that remembers where it is sliding to.
class ConsoleLine final : public engine::Label {
 public:
  static ConsoleLine* create(const std::string& fontFile, const std::string& text) {
    auto* line = new ConsoleLine();
    if (!line->initWithBMFont(fontFile, text)) {
      delete line;
      return nullptr;
    }
    line->autorelease();
    return line;
  }
  engine::Vec2 target;
  uint8_t kind = 0;

 private:
  ConsoleLine() : engine::Label(engine::TextHAlignment::LEFT) {}
};

engine::FiniteTimeAction* sequence(engine::FiniteTimeAction* a, engine::FiniteTimeAction* b) {
  return engine::Sequence::createWithTwoActions(a, b);
}

engine::FiniteTimeAction* together(engine::FiniteTimeAction* a, engine::FiniteTimeAction* b) {
  return engine::Spawn::createWithTwoActions(a, b);
}

void removeNode(engine::Node* node) {
  if (node->getParent() != nullptr) node->getParent()->removeChild(node);
}

}  // namespace

ConsoleStyle ConsoleStyle::fromSettings() {
  ConsoleStyle style;
  if (const kel::Platform* platform = kel::Platform::instance()) {
    style.fontFile = platform->resourcePath(kel::FOLDER_FONTS, "smalltooltip.fnt");
  }
  style.uiScale = screenLayout().uiScale;
  style.screen = engine::Director::getInstance()->getWinSize();
  const kel::Options& options = kel::options();
  style.fancy = options.fancyChat;
  style.background = options.chatBackground;
  style.duration = options.chatTextDuration;
  style.profanityFilter = options.profanityFilter;
  return style;
}

ConsoleNode* ConsoleNode::create() { return create(ConsoleStyle::fromSettings()); }

ConsoleNode* ConsoleNode::create(const ConsoleStyle& style) {
  auto* console = new ConsoleNode(style);
  if (!console->init()) {
    delete console;
    return nullptr;
  }
  console->autorelease();
  return console;
}

ConsoleNode::~ConsoleNode() = default;

bool ConsoleNode::init() {
  lineCount_ = 0;
  // A scale that was never set would put every line on one point.
  const float s = style_.uiScale > 0.0f ? style_.uiScale : 1.0f;
  style_.uiScale = s;
  x0_ = 4.0f * s;
  y0_ = style_.screen.height - kTopRoom * s;
  // A step of 8 points fits a font whose lines are 16 pixels; a taller font's lines (the game's
  // is 23) would run into each other at that step, so they are a whole line apart.
  const float drawn = fontLineHeight(style_.fontFile) * kLabelScale;
  lineHeight_ = (drawn > 0.0f ? drawn : kLeastStep) * s;
  step_ = std::max(kLeastStep, std::ceil(drawn)) * s;
  maxLines_ = std::max(1, static_cast<int32_t>(std::floor((0.45f * style_.screen.height - 30.0f * s) / step_)) - 1);
  // The lines read over any sky or cave behind them: the panel backs them whenever there are any.
  backgroundShown_ = style_.background;
  if (style_.fancy) {
    holder_ = engine::InnerNode::create();
    addChild(holder_, 1, kHolderTag);
  }
  return true;
}

engine::Color3B ConsoleNode::colourOf(uint8_t kind) {
  switch (kind) {
    case 1: return {0, 200, 0};
    case 2: return {235, 235, 18};
    case 3: return {230, 0, 0};
    default: return {255, 255, 255};
  }
}

void ConsoleNode::forEachLine(const std::function<void(engine::Node*)>& visit) const {
  // A copy: the visit may renumber or remove lines.
  const std::vector<engine::Node*> children = getChildren();
  for (engine::Node* child : children) {
    if (child->getTag() < kHolderTag) visit(child);
  }
}

// A line said again while its twin is fresh (a refusal met on every frame a button is held, many
// mobs reporting alike) is shown once: the console would fill with copies.
bool ConsoleNode::repeatsFreshLine(const std::string& text, uint8_t kind) {
  engine::ActionManager* actions = getActionManager();
  const bool repeated = text == lastText_ && kind == lastKind_ && actions->getActionByTag(kRepeatGuardTag, this) != nullptr;
  if (repeated) return true;
  lastText_ = text;
  lastKind_ = kind;
  actions->removeActionByTag(kRepeatGuardTag, this);
  engine::Action* guard = engine::DelayTime::create(kRepeatWindow);
  guard->setTag(kRepeatGuardTag);
  actions->addAction(guard, this);
  return false;
}

void ConsoleNode::addMessage(std::string& text, uint8_t kind) {
  std::string rest = std::move(text);
  text.clear();
  if (repeatsFreshLine(rest, kind)) return;
  engine::FontAtlas* font = engine::FontAtlasCache::getFontAtlasFNT(style_.fontFile);
  const AtlasAdvances glyphs(font);
  const float limit = style_.screen.width * kWidthShare;
  const float scale = kLabelScale * style_.uiScale;
  // Each pass takes at least one character, so the loop ends.
  do {
    WrappedLine wrapped = wrapConsoleLine(rest, limit, scale, glyphs);
    addLine(wrapped.line, kind);
    rest = std::move(wrapped.remainder);
  } while (!rest.empty());
  if (font != nullptr) engine::FontAtlasCache::releaseFontAtlas(font);
  if (backgroundShown_) updateBackground(true);
}

std::vector<ConsoleNode::ShownLine> ConsoleNode::shownLines() const {
  std::vector<std::pair<int, ShownLine>> lines;
  forEachLine([&lines](engine::Node* node) {
    const auto* line = static_cast<const ConsoleLine*>(node);
    lines.push_back({line->getTag(), {line->getString(), line->kind}});
  });
  std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<ShownLine> texts;
  for (auto& tagged : lines) texts.push_back(std::move(tagged.second));
  return texts;
}

void ConsoleNode::showLines(const std::vector<ShownLine>& lines) {
  for (const ShownLine& line : lines) addLine(line.text, line.kind);
  if (backgroundShown_) updateBackground(true);
}

void ConsoleNode::addLine(const std::string& text, uint8_t kind) {
  std::string line = text;
  if (style_.profanityFilter && kind == 0) filterProfanity(line);
  ConsoleLine* label = ConsoleLine::create(style_.fontFile, line);
  if (label == nullptr) {
    engine::log("console: the font %s is missing; a message is dropped", style_.fontFile.c_str());
    return;
  }
  makeRoom();
  lineCount_ += 1;
  label->kind = kind;
  label->setColor(colourOf(kind));
  label->setScale(kLabelScale * style_.uiScale);
  label->setAnchorPoint(engine::Vec2(0, 0));
  if (style_.fancy) {
    placeSliding(label);
  } else {
    placePlain(label);
  }
}

void ConsoleNode::makeRoom() {
  if (lineCount_ < maxLines_) return;
  if (!style_.fancy) {
    removeChildByTag(1);
    plainScroll();
    return;
  }
  engine::Node* oldest = nullptr;
  forEachLine([&oldest](engine::Node* line) {
    if (oldest == nullptr || line->getTag() < oldest->getTag()) oldest = line;
  });
  if (oldest == nullptr) return;
  {
    const engine::RefPtr<engine::Node> moving(oldest);  // between its two parents
    removeChild(oldest);                                 // stops its actions
    holder_->addChild(oldest);
  }
  getActionManager()->addAction(
      sequence(engine::CallFunc::create([this] { slidingScroll(); }),
               engine::CallFunc::create([oldest] { removeNode(oldest); })),
      oldest);
}

void ConsoleNode::placePlain(engine::Label* label) {
  const float rise = kLabelRise * style_.uiScale;
  label->setPosition(engine::Vec2(x0_, y0_ - static_cast<float>(lineCount_ - 1) * step_ + rise));
  addChild(label, 1, lineCount_);
  getActionManager()->addAction(sequence(engine::DelayTime::create(style_.duration),
                                         engine::CallFunc::create([this, label] {
                                           removeNode(label);
                                           plainScroll();
                                         })),
                                label);
}

void ConsoleNode::placeSliding(engine::Label* label) {
  float target = std::numeric_limits<float>::max();
  bool any = false;
  forEachLine([&](engine::Node* line) {
    if (line == label) return;
    target = std::min(target, static_cast<ConsoleLine*>(line)->target.y - step_);
    any = true;
  });
  if (!any) target = y0_ - getPositionY();
  auto* line = static_cast<ConsoleLine*>(label);
  line->target = engine::Vec2(x0_, target);
  label->setPosition(engine::Vec2(x0_, target - step_ + kLabelRise * style_.uiScale));
  label->setOpacity(0);
  addChild(label, 1, lineCount_);
  auto* arrive = together(engine::FadeTo::create(0.1f, 255), engine::MoveBy::create(0.1f, engine::Vec2(0, step_)));
  auto* leave = together(engine::FadeTo::create(0.2f, 0), engine::CallFunc::create([this] { slidingScroll(); }));
  getActionManager()->addAction(
      sequence(sequence(arrive, engine::DelayTime::create(style_.duration)),
               sequence(leave, engine::CallFunc::create([label] { removeNode(label); }))),
      label);
}

void ConsoleNode::plainScroll() {
  forEachLine([this](engine::Node* line) {
    line->setTag(line->getTag() - 1);
    line->setPositionY(line->getPositionY() + step_);
  });
  lineCount_ -= 1;
  if (backgroundShown_) updateBackground(true);
}

void ConsoleNode::slidingScroll() {
  if (getActionManager()->getActionByTag(kScrollActionTag, this) != nullptr) {
    getActionManager()->removeActionByTag(kScrollActionTag, this);
    setPositionY(savedY_ + step_);
  }
  savedY_ = getPositionY();
  engine::FiniteTimeAction* slide = engine::MoveBy::create(0.2f, engine::Vec2(0, step_));
  slide->setTag(kScrollActionTag);
  getActionManager()->addAction(slide, this);
  forEachLine([](engine::Node* line) { line->setTag(line->getTag() - 1); });
  lineCount_ -= 1;
  if (backgroundShown_) updateBackground(true);
}

void ConsoleNode::updateBackground(bool show) {
  if (!style_.background) return;
  auto* parent = static_cast<engine::InnerNode*>(getParent());
  if (!show || lineCount_ < 1) {
    if (parent != nullptr) parent->removeChildByTag(kPanelTag);
    backgroundShown_ = show;
    return;
  }
  float widest = -1.0f;
  float scale = 1.0f;
  forEachLine([&](engine::Node* line) {
    const float width = line->getContentSize().width;
    if (width > widest) {
      widest = width;
      scale = line->getScaleX();
    }
  });
  if (widest < 0.0f || parent == nullptr) {
    backgroundShown_ = show;
    return;
  }
  engine::Node* panel = parent->getChildByTag(kPanelTag);
  if (panel == nullptr) {
    panel = engine::LayerColor::create(engine::Color4B{0, 0, 0, 128}, 0, 0);
    parent->addChild(panel, kPanelZ, kPanelTag);
    panel->setScale(getScale());
  }
  // From the lowest line's foot to the top of the first line, the rise included, and a margin
  // round them.
  const float s = style_.uiScale;
  const float margin = kPanelMargin * s;
  const float lowestFoot = y0_ - static_cast<float>(lineCount_ - 1) * step_ + kLabelRise * s;
  const float linesHeight = static_cast<float>(lineCount_ - 1) * step_ + lineHeight_;
  panel->setContentSize(engine::Size(scale * widest + 2.0f * margin, linesHeight + 2.0f * margin));
  panel->setPosition(engine::Vec2(x0_ - margin, lowestFoot - margin));
  backgroundShown_ = show;
}

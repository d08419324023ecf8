#pragma once
// A label whose text carries colour escapes ("^2Error: ^sdone"): the escapes are stripped and each
// letter's quad takes the colour in force at that letter. Chat, console, tooltips, signs and menus
// show their texts through it.

#include <string>
#include <vector>

#include "engine/text/label.h"
#include "engine/text/label_markup.h"

class LabelColored : public engine::Label {
 public:
  using ColorRun = LabelColorRun;

  // Left-aligned, wrapping at width (whole points; 0 for none). Null when the font does not
  // load. Autoreleased.
  static LabelColored* create(const std::string& fontFile, const std::string& markup,
                              float width = 0.0f);

  // Runs that follow the label's colour take the new one; escape colours stay.
  void setColor(const engine::Color3B& color) override;
  void updateColor() override;
  // The text with escapes; the label shows it stripped.
  void setString(const std::string& markup) override;
  const std::string& getMarkupText() const { return markupText_; }
  const std::vector<ColorRun>& getColorRuns() const { return colorRuns_; }

 protected:
  explicit LabelColored(engine::TextHAlignment alignment) : engine::Label(alignment) {}

 private:
  std::string markupText_;
  std::vector<ColorRun> colorRuns_;
};

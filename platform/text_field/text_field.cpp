#include "platform/text_field.h"

#include "engine/text/label.h"
#include "platform/text_field/text_field_lines.h"

namespace kel {

TextField::TextField(const TextFieldSetup& setup)
    : label_(setup.label),
      onText_(setup.onText),
      onFinish_(setup.onFinish),
      onChange_([] {}),
      lineLimit_(setup.lineLimit),
      lineLength_(setup.lineLength),
      minimumLength_(setup.minimumLength),
      flag_(setup.flag),
      wholeSelected_(setup.selectWhole) {}

void TextField::setOnChange(std::function<void()> onChange) {
  onChange_ = onChange ? std::move(onChange) : [] {};
}

void TextField::reportText(const std::string& text) const {
  if (onText_) onText_(text);
}

void TextField::reportFinish(const std::string& text) const {
  if (onFinish_) onFinish_(text);
}

bool TextField::applyText(const std::string& text) {
  if (lineLimit_ < 2) {
    if (label_ != nullptr) label_->setString(text);
    onChange_();
    return true;
  }
  const std::vector<std::string> pieces = wrapTextFieldLines(text, lineLength_);
  if (pieces.size() > lineLimit_) return false;
  const std::string joined = joinTextFieldLines(pieces);
  reportText(joined);
  if (label_ != nullptr) label_->setString(joined);
  onChange_();
  return true;
}

}  // namespace kel

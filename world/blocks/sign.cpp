#include "world/blocks/sign.h"

#include <algorithm>

void Sign::setText(const char* text) {
  text_.fill(0);
  if (text == nullptr) return;
  for (size_t i = 0; i < kTextLength && text[i] != 0; ++i) text_[i] = text[i];
}

std::string_view Sign::text() const {
  const auto end = std::find(text_.begin(), text_.end(), 0);
  return {text_.data(), static_cast<size_t>(end - text_.begin())};
}

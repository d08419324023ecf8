#include "game/trade/trade_text.h"

#include "content/texts/language_texts.h"

std::string tradeText(int16_t textId, std::string_view name) {
  std::string text = languageTexts().text(textId);
  const size_t slot = text.find("%s");
  if (slot != std::string::npos) text.replace(slot, 2, name);
  return text;
}

#include "game/trade/trade_text.h"

#include "content/texts/language_texts.h"

std::string tradeText(int16_t textId, std::string_view name) {
  return languageTexts().textWith(textId, name);
}

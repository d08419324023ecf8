// The language file: its JSON, and the look-ups that read what it left in the tables.
#include <string>

#include "content/texts/language_texts.h"
#include "fuzz/support/fuzz_one.h"

int fuzzOne(const uint8_t* data, size_t size) {
  LanguageTexts texts;
  texts.loadText(fuzzText(data, size));
  texts.treasureIdByName("Torch");
  texts.mobIndexByName("Slime");
  for (int id = -1; id <= static_cast<int>(TEXT_COUNT); ++id) texts.text(id);
  return 0;
}

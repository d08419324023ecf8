#include "tools/content_checks/text_checks.h"

#include "content/texts/language_texts.h"
#include "tools/content_checks/fixed_ids.h"

namespace content_checks {

namespace {

std::vector<uint16_t> buildUsedTextIds() {
  std::vector<uint16_t> ids = {
      98,  99,  100, 101, 103, 108, 109, 110, 112, 115, 116, 117, 136, 137, 138, 140, 149, 150, 151, 152,
      153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 168, 174, 175, 176, 179, 180, 181, 182, 183, 187,
      188, 189, 190, 191, 192, 193,
  };
  // Station names and descriptions.
  for (uint16_t id : idRange(204, 235)) ids.push_back(id);
  // Tooltip words: item kinds, durations and strengths.
  for (uint16_t id : idRange(255, 277)) ids.push_back(id);
  // Labels of the key bindings.
  for (uint16_t id : idRange(334, 345)) ids.push_back(id);
  return ids;
}

}  // namespace

const std::vector<uint16_t>& usedTextIds() {
  static const std::vector<uint16_t> ids = buildUsedTextIds();
  return ids;
}

void checkTexts(const LanguageTexts& texts, const std::string& languageFile, const ContentIndex& content,
                CheckReport& report) {
  const SourcePlace strings{languageFile + " \"strings\""};
  for (uint16_t id : usedTextIds()) {
    if (texts.text(id).empty()) {
      report.add(SourcePlace{strings.file, id}, "text " + std::to_string(id) + " is shown by the game but empty");
    }
  }
  // Names are looked up by their first characters, so a name shared in those finds the wrong one.
  for (const auto& item : content.sources().treasures) {
    const std::string& name = texts.treasureName(item.id);
    const SourcePlace place{languageFile + " \"treasures\""};
    const std::string what = "item " + std::to_string(item.id) + " (" + item.place.describe() + ")";
    if (name.empty()) {
      report.add(place, what + " has no name");
    } else if (texts.treasureIdByName(name) != item.id) {
      report.add(place, what + ": its name \"" + name + "\" finds item " +
                            std::to_string(texts.treasureIdByName(name)) + " first");
    }
  }
  for (uint16_t row = 0; row < content.sources().mobs.size(); ++row) {
    if (!content.mob(row)) continue;
    const std::string& name = texts.mobName(row);
    const SourcePlace place{languageFile + " \"mobs\"", row};
    if (name.empty()) {
      report.add(place, "mob " + std::to_string(row) + " has no name");
    } else if (texts.mobIndexByName(name) != row) {
      report.add(place, "mob " + std::to_string(row) + "'s name \"" + name + "\" finds mob " +
                            std::to_string(texts.mobIndexByName(name)) + " first");
    }
  }
}

}  // namespace content_checks

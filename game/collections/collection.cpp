#include "game/collections/collection.h"

#include <utility>

#include "content/texts/language_texts.h"
#include "game/stats/stats_store.h"

namespace stats {

Collection::Collection(const StatsStore& store, std::string title, uint16_t iconItem)
    : store_(store), title_(std::move(title)), iconItem_(iconItem) {}

uint32_t Collection::countOf(uint32_t category, uint16_t id) const {
  return store_.statCategoryCount(category, id);
}

std::string Collection::nameOf(uint16_t itemId) { return languageTexts().treasureName(itemId); }

std::string Collection::countedName(uint16_t itemId, const char* verb, uint32_t count) {
  return nameOf(itemId) + "\n" + verb + " " + std::to_string(count) + " times";
}

}  // namespace stats

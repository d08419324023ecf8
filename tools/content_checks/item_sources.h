#pragma once
// The ways the game's own code hands out items, outside the content's loot and recipes. Each row
// names the code table it mirrors, so a change there is easy to follow here.

#include <cstdint>
#include <vector>

namespace content_checks {

struct CodeItemSource {
  const char* table;               // the code table or function that gives the items
  std::vector<uint16_t> gives;     // items obtained once every need is met
  std::vector<uint16_t> needsItems = {};
  std::vector<uint16_t> needsMobs = {};
  std::vector<uint16_t> needsBlocks = {};
};

const std::vector<CodeItemSource>& codeItemSources();
// The item that places the station of each station kind 1..15 (index = kind; 0 is the hand).
const std::vector<uint16_t>& stationItems();
// The potions a loot entry of the category kind can give.
std::vector<uint16_t> lootPotionItems();

}  // namespace content_checks

#pragma once
// Which craft book entries a character knows, for crafting and (separately) for brewing, and per
// discovery list the entries still unknown, so that reading a found page can reveal a random one.
// The player options "Full Craftbook" and "Chemistry Book" make every entry known; the player
// hands them in with its character's flags (`Player::setCharacterFlags`), so the bits stay as
// learned and come back when the option is off. Belongs to one player; main thread only.

#include <array>
#include <cstdint>
#include <vector>

#include "game/crafting/craft_book.h"

class RecipeKnowledge {
 public:
  static constexpr size_t kBitsetBytes = 128;
  static constexpr uint16_t kNoEntry = 0xFFFF;
  using Bitset = std::array<uint8_t, kBitsetBytes>;

  RecipeKnowledge() = default;

  void setBookOptions(bool fullCraftbook, bool chemistryBook);

  bool isEntryKnown(uint16_t entry) const;
  bool isRecipeKnown(uint16_t entry) const;
  uint32_t countUnknownEntries() const;
  // Whether a found page can still teach something: not with "Full Craftbook" on, nor once
  // every entry is known.
  bool canLearn() const { return countUnknownEntries() != 0; }
  // Counts the known entries into `knownCount`, then rebuilds the discovery lists.
  void countKnownRecipes();
  // Each entry 0-334 whose bit is clear joins the list of its kind, in entry order; with
  // allKnown every list stays empty.
  void rebuildUnknownLists(bool allKnown, const Bitset& bitset);
  // True when the entry was waiting in its list (the list keeps its order).
  bool removeKnownFromKindList(uint16_t entry);
  // A random still unknown entry (left in its list), or kNoEntry.
  uint16_t pickRandomUnknownEntry() const;

  Bitset chemistry{};  // bit n: entry n known for brewing
  Bitset known{};      // bit n: craft book entry n known
  uint32_t knownCount = 0;
  std::array<std::vector<uint16_t>, kDiscoveryListCount> discoveryLists;

 private:
  bool fullCraftbook_ = false;
  bool chemistryBook_ = false;
};

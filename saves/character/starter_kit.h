#pragma once
// What every new character starts with: the wooden tools that dig, mine, chop and fight
// (a bare hand breaks none of the ground's blocks), a few oak logs, which the hands make into
// planks and the planks into a workbench, and torches to see by underground, all in the quick row.

#include <array>
#include <cstdint>

struct CharacterRecord;

struct StarterItem {
  uint16_t id;
  uint16_t count;
  uint16_t durability;
};

// Wooden pickaxe, shovel, axe and sword (each at its full 60 uses), four oak logs and eight
// torches.
inline constexpr std::array<StarterItem, 6> kStarterKit = {{
    {4, 1, 60}, {2, 1, 60}, {5, 1, 60}, {3, 1, 60}, {612, 4, 0}, {149, 8, 0},
}};

// Puts the kit into the record's first row, from its first slot on.
void giveStarterKit(CharacterRecord& record);

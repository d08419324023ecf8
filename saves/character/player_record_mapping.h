#pragma once
// A character between its file record and the local player. Loading takes every part the file
// read found onto a freshly made player (the inventory through the item pool, the buffs, the
// recipe knowledge with its counts and lists rebuilt, the unlocked achievements into the
// statistics store), then refreshes its appearance and settles its health: 0 loads as the
// maximum, more than the maximum is cut to it. Saving fills a record from the player.
// The store's own fields of the record (save id, character flags, difficulty) are the player's
// copies here; the character store overwrites them from its entry when it writes.
// Main thread only (the player and the statistics store are main-thread objects).

struct CharacterParts;
struct CharacterRecord;
class Player;
class StatsStore;

// The player must be fresh: slots already holding items are not freed.
void applyCharacterRecord(const CharacterRecord& record, const CharacterParts& parts,
                          Player& player, StatsStore& stats);
void fillCharacterRecord(const Player& player, const StatsStore& stats, CharacterRecord& record);

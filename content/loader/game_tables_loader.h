#pragma once
// The game tables the running program uses, read from the tables file at start-up. A missing or
// damaged file is logged with its reason and leaves the tables empty: no difficulty row (the
// rules then use their neutral values), no craft book entries, empty catalogue categories. The
// game's part of the launch hands the book and the catalogue on to the game
// (`GameLaunchServices::installGameTables`). Main thread only.

#include <cstdint>
#include <span>
#include <string>

#include "content/tables/game_tables.h"

// Reads and installs the file at `path`; false (tables emptied, reason in `gameTablesLoadError`)
// when it cannot be read or is refused.
bool loadGameTables(const std::string& path);
// The same for the file's bytes.
bool loadGameTablesBytes(std::span<const uint8_t> bytes);

const GameTables& gameTables();
// Installs tables that were made whole in memory (tests, tools that build a world); the caller
// vouches for them as the reader would (`gameTablesProblem`).
void setGameTables(GameTables tables);
// Why the last load refused the file; empty after a good load.
const std::string& gameTablesLoadError();

// The row of difficulty `difficultyId` (a character's `DifficultyId`, 0-4), or null when the id is
// out of range or no table is installed.
const DifficultyRow* difficultyRow(uint32_t difficultyId);

// Empties the tables and the error (with the rest of the content, `resetContentDatabase`).
void resetGameTables();

#pragma once
// Loading "data.dat" into the definition tables and the planet list, with the checksum check
// that start-up answers with the "Hacked Data Files!" alert.
//
// A file that is missing, unreadable, short, or holds an id, index, count or size outside its
// table counts as compromised exactly like a checksum mismatch: the tables stay empty, the alert
// is shown once and no game can start.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The alert's title and text.
extern const char* const kHackedDataTitle;
extern const char* const kHackedDataText;

// `loadContentDatabase`: reads the content file at `path` and returns the content checksum. The
// stored checksum is left in `storedContentChecksum`. For a damaged file the result never equals
// the stored checksum.
uint32_t loadContentDatabase(const std::string& path);
// The same for the file's bytes (still scrambled).
uint32_t loadContentDatabaseBytes(std::span<const uint8_t> fileBytes);

// `storedContentChecksum`: the checksum the file claims (0 before any load).
uint32_t storedContentChecksum();
// The checksum the last load computed.
uint32_t computedContentChecksum();

// `descrambleData`: unscrambles bytes in place, continuing the keystream of earlier calls.
void descrambleData(uint8_t* bytes, size_t length);
// `resetContentChecksum`: sets the running checksum to the FNV offset basis (and the key
// positions to the start of the keys).
void resetContentChecksum();

// Start-up's check of the computed checksum: on a mismatch, or when the last load found the file
// damaged, marks the content compromised and shows the alert (once per process). True when intact.
bool verifyContentChecksum(uint32_t computed);
// True once the content has been found damaged or altered; no game may start then.
bool contentIsCompromised();
// False while the content is compromised or the stored and computed checksums differ: the start
// view's menus then refuse to start or join a game.
bool mayStartGame();
// Why the last load counted the file as damaged; empty when it did not.
const std::string& contentLoadError();

// `showHackedDataFiles`: shows the alert through the engine's alert box (the platform's message
// box once the application registered it).
void showHackedDataFiles();

// Tests: empties the tables, the planets and every loader value.
void resetContentDatabase();

#pragma once
// Why a world or character file cannot be read back whole, in words a player can act on: "the file
// is empty", "the file is cut short", "its header is not a world file's", "its section 2 is
// damaged". Empty when the file reads back whole. The menus name a damaged save with it and offer
// its backup only when the backup reads back whole.
//
// A world file is judged by its container: the header and directory, every body inside the file,
// the info record of a size a world can have, a version that agrees with the record's mode (only
// an adventure's file is version 2), the cells section a world cannot be without, and every
// compressed body inflating to its recorded size with its check value intact; then it is read
// whole as loading reads it, so a file judged whole loads. A character file is small and is read whole as the game reads it, whatever its
// length (a file without its optional parts is shorter than a full one). Game thread: a world file is
// read into a world as on loading.

#include <string>

std::string worldFileDamage(const std::string& path);
std::string characterFileDamage(const std::string& path);

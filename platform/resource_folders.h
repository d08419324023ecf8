#pragma once
// The game's read-only data folders. The data folder is "<executable's folder>/../../data"; every
// kind of resource has its folder below it. Computed from the executable's path on each call.

#include <string>

namespace kel {

enum FolderKind : int {
  FOLDER_GRAPHICS = 0,
  FOLDER_ACHIEVEMENTS = 1,
  FOLDER_SKY = 2,
  FOLDER_GUIDE = 3,
  FOLDER_JSON = 4,
  FOLDER_WORLDS = 5,
  FOLDER_DATA = 6,
  FOLDER_LANGUAGE = 7,
  FOLDER_FONTS = 8,
  FOLDER_SOUND_EFFECTS = 9,
  FOLDER_MUSIC = 10,
};
constexpr int FOLDER_KIND_COUNT = 11;

// "<folder of executablePath>/../../data".
std::string dataRootFor(const std::string& executablePath);

// The folder of the kind below a data folder ("<dataRoot>/sfx/effects" for the sound effects);
// empty for a kind outside the table. The data makers write where the game will look.
std::string resourceFolderIn(const std::string& dataRoot, int kind);

// Writes the folder of the kind into out; a kind outside the table leaves out as it was and
// returns false.
bool resourceFolderFor(const std::string& executablePath, int kind, std::string& out);

}  // namespace kel

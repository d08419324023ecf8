#pragma once
// Where the settings file lives and how its bytes reach the disk. The only place of the settings
// code that touches the file system.

#include <cstddef>
#include <optional>
#include <string>

namespace kel::settings_file {

// A settings file larger than this is not one we wrote; it is treated as damaged.
inline constexpr std::size_t kMaxFileSize = 4u * 1024u * 1024u;

// "<application-data folder>/Rubblemoor/settings.json", the application-data folder being
// $XDG_DATA_HOME, else ~/.local/share. Empty when neither variable gives a folder.
std::string defaultPath();

// The whole file; nothing when it is missing, unreadable or larger than kMaxFileSize.
std::optional<std::string> read(const std::string& path);

// Whether something is at the path, readable or not.
bool present(const std::string& path);

// Moves a damaged settings file aside, beside it (see engine::damagedPathOf), never over another
// file; the path it now has, or empty when it could not be moved.
std::string keepAside(const std::string& path);

// Keeps a copy of a partly damaged settings file's bytes beside it, under the name keepAside would
// give, while the file itself stays until the entries that read replace it; the copy's path, or
// empty when it could not be written.
std::string keepCopyAside(const std::string& path, const std::string& bytes);

// Replaces the file by the text without ever leaving a half-written file behind: the folders
// are created with their parents, the text goes to a temporary file beside the target, and that
// file is renamed over the old one only once it is complete. False (with the old file untouched)
// when any step fails.
bool writeReplacing(const std::string& path, const std::string& text);

}  // namespace kel::settings_file

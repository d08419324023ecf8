#pragma once
// Putting a save's backup (<stem>.bak) back as the save. The file it replaces is kept aside as
// <stem>.damaged (<stem>.damaged2, <stem>.damaged3, ... when that name is taken), never deleted: it
// may still hold what the player wants back, and only the lists ignore it. The backup is copied
// beside the save first and renamed over it, so a failure never leaves the save with neither.
// Game thread only.

#include <string>

namespace kel {
class FileSystemBridge;
}

// False when there is no backup or a step fails; `keptAside` receives the path the replaced file
// went to (empty when there was none).
bool restoreFromBackup(kel::FileSystemBridge& files, const std::string& path, std::string* keptAside = nullptr);

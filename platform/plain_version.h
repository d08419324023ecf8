#pragma once
// The version a player reads: the release number without the store front's build suffix
// ("3.1-steam" reads "3.1"). The crash reporter keeps the whole text, which tells the builds apart.

#include <string>

namespace kel {

std::string plainVersion(const std::string& versionText);

}  // namespace kel

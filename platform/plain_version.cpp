#include "platform/plain_version.h"

namespace kel {

std::string plainVersion(const std::string& versionText) { return versionText.substr(0, versionText.find('-')); }

}  // namespace kel

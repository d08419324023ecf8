#pragma once
// Reads one member of a zip archive whole, for the engine's file access.

#include <cstdint>
#include <string>

namespace engine {

// A malloc'ed copy of the member named exactly memberName (case-sensitive), freed by the caller
// with free(), and *size set to its length. Null with *size = 0 when the archive does not open,
// the member is missing or empty, its data is damaged (a read error or a checksum mismatch) or its
// recorded sizes are impossible. The archive is always closed before returning.
unsigned char* readZipMember(const std::string& zipPath, const std::string& memberName,
                             int64_t* size);

}  // namespace engine

#pragma once
// The numbered sound records that block, mob and bullet definitions point into: a file, a volume
// and a pitch range drawn afresh on every play.

#include <array>

namespace kel {

struct SoundRecord {
  const char* fileName;
  float volume;
  float pitchMin;
  float pitchMax;
};

constexpr int kSoundRecordCount = 263;
extern const std::array<SoundRecord, kSoundRecordCount> soundRecords;

// The row at `index`, or null for -1 and for any index outside the table (a damaged definition
// must not read past it).
const SoundRecord* findSoundRecord(int index);

}  // namespace kel

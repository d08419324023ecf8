#pragma once
// The game's sound vocabulary: numbered game sounds with their files, volumes, pitch ranges and
// random choices, placed at a map cell or centred. Game code plays effects only through here.

#include <cstdint>
#include <string>

#include "platform/audio/sound_placement.h"
#include "platform/audio/sound_record.h"

namespace kel {

// 0..72; each value is one behaviour of the sound table. Higher values play nothing.
using SoundId = uint16_t;
constexpr SoundId kLastSoundId = 72;

// `extra` is a block id, item id, mob index, bullet index, flag or note, depending on the id.
// False when sound is off or the cell is out of hearing; true otherwise, also for silent ids.
bool playSound(SoundId id, uint32_t extra, const SoundCell* cell = nullptr);

// The sound of consuming or using an item, centred.
void playItemUseSound(int32_t itemId);

// The named effect file (".mp3" appended, from the effects folder) at volume x soundVolume x
// effectsGain.
void playSoundFile(const std::string& name, float pitch, float pan, float volume);

// A record with a pitch drawn from its range, at volumeFactor x its volume; null plays nothing.
void playSoundRecord(const SoundRecord* record, float pan, float volumeFactor);

// The file and pitch of a note (instrument bits 0-7, octave bits 9-11, semitone bits 12-15);
// false outside instruments 0-8, octaves 0-4 and semitones 0-12.
bool noteSound(uint32_t extra, std::string& fileName, float& pitch);

}  // namespace kel

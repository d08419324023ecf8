#include "platform/audio/sound_effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

#include "platform/audio/audio_engine.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/random_helpers.h"

namespace kel {

namespace {

bool isOneOf(uint32_t value, std::initializer_list<uint32_t> set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

// One call of the sound table: where the sound was placed, and the two ways of playing.
class SoundCall {
 public:
  explicit SoundCall(const SoundPlacement& placement) : placement_(placement) {}

  // Pitch base + span means uniform between base and base + span.
  void file(const char* name, float volume, float pitchBase, float pitchSpan, bool positional) const {
    const float pitch = pitchSpan == 0.0f ? pitchBase : randomRange(pitchSpan, pitchBase);
    playSoundFile(name, pitch, positional ? placement_.pan : 0.0f,
                  positional ? volume * placement_.volume : volume);
  }

  void record(int index, bool positional) const {
    playSoundRecord(findSoundRecord(index), positional ? placement_.pan : 0.0f,
                    positional ? placement_.volume : 1.0f);
  }

 private:
  SoundPlacement placement_;
};

constexpr bool kPositional = true;
constexpr bool kCentred = false;

void playDefinitionSound(const SoundCall& call, uint16_t id, uint32_t extra) {
  const SoundDefinitionSource& defs = AudioEngine::getInstance()->definitionSource();
  switch (id) {
    case 0: call.record(defs.blockSound(extra, 0), kPositional); break;
    case 1: call.record(defs.blockSound(extra, 1), kPositional); break;
    case 7: call.record(defs.mobSound(extra, 1), kPositional); break;
    case 8: call.record(defs.mobSound(extra, 0), kPositional); break;
    case 9: call.record(defs.mobSound(extra, 2), kPositional); break;
    case 41: call.record(defs.bulletSound(extra, 1), kPositional); break;
    case 42: call.record(defs.bulletSound(extra, 0), kPositional); break;
    case 10: {
      // Footsteps: the tile's third sound, or either of its third and fourth.
      const int third = defs.blockSound(extra, 2);
      const int fourth = defs.blockSound(extra, 3);
      if (third == -1) break;
      call.record(fourth == -1 || randomChance(0.5f) ? third : fourth, kPositional);
      break;
    }
    default: break;
  }
}

void playDoorSound(const SoundCall& call, bool opening, uint32_t blockId) {
  const bool big = isOneOf(blockId, {258, 260, 288});
  if (opening) {
    call.file(big ? "door_big_open" : "door_open2", big ? 0.5f : 0.4f, 1.0f, 0.2f, kPositional);
  } else {
    call.file(big ? "door_big_close" : "door_close2", big ? 0.9f : 0.6f, 1.0f, 0.2f, kPositional);
  }
}

void playCraftSound(const SoundCall& call, uint32_t itemId) {
  if (isOneOf(itemId, {1543, 1607, 1671, 1672, 1735, 1736, 1799, 1800, 1863})) {
    call.file("ding1", 0.8f, 1.4f, 0.1f, kCentred);
  } else if (isOneOf(itemId, {362, 490, 618, 746})) {
    call.file("cooking", 0.7f, 1.0f, 0.0f, kCentred);
  } else {
    call.file("craft_default", 0.7f, 1.0f, 0.0f, kCentred);
  }
}

void playExplosionSound(const SoundCall& call, uint32_t itemId) {
  if (itemId == 784) {
    call.file("boom2", 1.0f, 1.2f, 0.2f, kPositional);
  } else if (isOneOf(itemId, {720, 848, 849, 912, 976, 1023, 1104})) {
    call.file("explosion_2", 1.0f, 1.0f, 0.5f, kPositional);
  }
}

void playNote(const SoundCall& call, uint32_t extra) {
  std::string name;
  float pitch = 1.0f;
  // A damaged note value from a block or a peer plays nothing rather than reading past the list.
  if (noteSound(extra, name, pitch)) call.file(name.c_str(), 1.0f, pitch, 0.0f, kPositional);
}

// Ids whose sound is one fixed record: id, record, positional.
struct RecordSound {
  uint16_t id;
  int16_t record;
  bool positional;
};
constexpr std::array<RecordSound, 23> kRecordSounds = {{
    {4, 127, kCentred},     {11, 25, kCentred},     {12, 123, kCentred},    {22, 123, kCentred},
    {13, 122, kCentred},    {23, 122, kCentred},    {14, 139, kCentred},    {15, 138, kCentred},
    {28, 125, kCentred},    {29, 126, kCentred},    {43, 245, kPositional}, {44, 246, kPositional},
    {53, 78, kCentred},     {54, 66, kPositional},  {56, 132, kPositional}, {57, 69, kPositional},
    {58, 244, kPositional}, {61, 36, kCentred},     {62, 84, kPositional},  {63, 174, kPositional},
    {64, 173, kPositional}, {66, 172, kPositional}, {67, 241, kCentred},
}};

// Ids whose sound is one fixed file: id, name, volume, pitch base, pitch span, positional.
struct FileSound {
  uint16_t id;
  const char* name;
  float volume;
  float pitchBase;
  float pitchSpan;
  bool positional;
};
constexpr std::array<FileSound, 26> kFileSounds = {{
    {5, "default_block_place", 1.0f, 0.8f, 0.4f, kPositional},
    {6, "default_hit", 1.0f, 1.1f, 0.2f, kPositional},
    {17, "trapdoor_2", 0.2f, 1.0f, 0.05f, kPositional},
    {18, "trapdoor_1", 0.2f, 1.0f, 0.05f, kPositional},
    {20, "chest2_open", 1.0f, 1.0f, 0.1f, kPositional},
    {21, "chest_close", 1.0f, 1.0f, 0.1f, kPositional},
    {24, "inventory_open", 1.0f, 1.0f, 0.0f, kPositional},
    {25, "inventory_close", 1.0f, 1.0f, 0.0f, kPositional},
    {26, "map_open", 0.4f, 1.0f, 0.4f, kCentred},
    {27, "map_close", 0.4f, 1.0f, 0.4f, kCentred},
    {34, "craft_denied", 0.7f, 1.0f, 0.0f, kCentred},
    {35, "swing", 0.08f, 1.0f, 0.4f, kPositional},
    {37, "zoom_in", 0.2f, 1.0f, 0.05f, kCentred},
    {38, "zoom_out", 0.2f, 1.0f, 0.05f, kCentred},
    {40, "fuse", 0.4f, 1.0f, 0.4f, kPositional},
    {45, "milk_cow", 1.0f, 1.4f, 0.2f, kCentred},
    {46, "tool_break", 1.0f, 1.0f, 0.2f, kCentred},
    {47, "trashcan2", 1.0f, 1.0f, 0.2f, kCentred},
    {69, "trashcan2", 1.0f, 1.0f, 0.2f, kCentred},
    {70, "trashcan2", 1.0f, 1.0f, 0.2f, kCentred},
    {48, "breeding_capture", 1.0f, 1.0f, 0.2f, kCentred},
    {49, "crunch1", 0.4f, 1.7f, 0.2f, kCentred},
    {50, "scrapmachine", 0.5f, 1.2f, 0.2f, kPositional},
    {51, "boulder_hit2", 0.8f, 1.2f, 0.2f, kCentred},
    {52, "pickup-pop", 0.4f, 1.2f, 0.1f, kPositional},
    {68, "ding1", 0.8f, 1.4f, 0.1f, kCentred},
}};

bool playTableEntry(const SoundCall& call, uint16_t id) {
  for (const RecordSound& entry : kRecordSounds) {
    if (entry.id == id) {
      call.record(entry.record, entry.positional);
      return true;
    }
  }
  for (const FileSound& entry : kFileSounds) {
    if (entry.id == id) {
      call.file(entry.name, entry.volume, entry.pitchBase, entry.pitchSpan, entry.positional);
      return true;
    }
  }
  return false;
}

void playById(const SoundCall& call, uint16_t id, uint32_t extra) {
  if (playTableEntry(call, id)) return;
  switch (id) {
    case 0: case 1: case 7: case 8: case 9: case 10: case 41: case 42:
      playDefinitionSound(call, id, extra);
      break;
    case 2:
      call.file("undiggable-hit", 0.1f, 1.4f, 0.2f, kCentred);
      call.file("pickrock-break1", 1.0f, 0.8f, 0.4f, kCentred);
      break;
    case 16: playDoorSound(call, false, extra); break;
    case 19: playDoorSound(call, true, extra); break;
    case 31:
      call.file("crosshair_dash", 0.2f, 0.9f, 0.3f, kPositional);
      call.file("crosshair_jump", 1.0f, 0.8f, 0.4f, kPositional);
      break;
    case 32:
      if (extra != 0) {
        call.file("player_female_hurt", 1.0f, 0.9f, 0.2f, kPositional);
      } else {
        call.file("crosshair_hurt3", 1.0f, 0.8f, 0.2f, kPositional);
      }
      break;
    case 33: playCraftSound(call, extra); break;
    case 39: playExplosionSound(call, extra); break;
    case 55: call.record(extra == 0 ? 175 : 176, kPositional); break;
    case 59:
      // Splashes are thinned out: half of the calls stay silent.
      if (randomChance(0.5f)) call.record(randomChance(0.5f) ? 247 : 248, kPositional);
      break;
    case 71: playNote(call, extra); break;
    case 72: call.file("bling", 1.0f, 1.0f, 0.0f, kCentred); break;
    default: break;  // 3, 30, 36, 60, 65 and anything above 72 play nothing
  }
}

}  // namespace

bool playSound(SoundId id, uint32_t extra, const SoundCell* cell) {
  AudioEngine* audio = AudioEngine::getInstance();
  if (!audio->options().soundEnabled) return false;
  const std::optional<SoundPlacement> placement = placeSound(audio->worldSource().listener(), cell);
  if (!placement) return false;
  playById(SoundCall(*placement), id, extra);
  return true;
}

void playItemUseSound(int32_t itemId) {
  if (!AudioEngine::getInstance()->options().soundEnabled) return;
  const SoundCall call{SoundPlacement{}};
  const uint32_t id = static_cast<uint32_t>(itemId);
  if (itemId == 1393) {
    call.file("burp2", 0.4f, 1.0f, 0.4f, kCentred);
  } else if (itemId == 1500) {
    call.file("trashcan2", 1.0f, 1.0f, 0.2f, kCentred);
  } else if (itemId == 1502) {
    call.file("map_open", 0.4f, 1.0f, 0.4f, kCentred);
  } else if (isOneOf(id, {1928, 1929, 1992, 2057, 2063, 2126, 2190, 2254, 2318, 2382, 2446,
                          2510, 2574, 2638, 2702, 2766, 2830, 2894, 2958, 3022, 3082, 3335})) {
    call.file("food_drink", 0.4f, 1.0f, 0.4f, kCentred);
  } else if (isOneOf(id, {2124, 2188, 2252, 2316, 2380, 2444, 2508, 2572, 2636, 2700, 2764, 2828,
                          2892, 2956, 3020})) {
    call.file("slurp", 0.4f, 1.0f, 0.4f, kCentred);
  } else {
    call.file("crunch1", 0.4f, 1.0f, 0.4f, kCentred);
  }
}

void playSoundFile(const std::string& name, float pitch, float pan, float volume) {
  AudioEngine* audio = AudioEngine::getInstance();
  std::string path = audio->effectsFolder();
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  path += ".mp3";
  audio->playEffect(path, volume * audio->options().soundVolume * audio->effectsGain, pan, pitch);
}

void playSoundRecord(const SoundRecord* record, float pan, float volumeFactor) {
  if (record == nullptr) return;
  // A fixed pitch draws no random number, so the sequence of later draws is unchanged.
  const float pitch = record->pitchMin == record->pitchMax
                          ? record->pitchMin
                          : randomRange(record->pitchMax - record->pitchMin, record->pitchMin);
  playSoundFile(record->fileName, pitch, pan, volumeFactor * record->volume);
}

bool noteSound(uint32_t extra, std::string& fileName, float& pitch) {
  const uint32_t instrument = extra & 0xFF;
  const uint32_t octave = (extra >> 9) & 0x7;
  const uint32_t semitone = (extra >> 12) & 0xF;
  if (instrument >= kNoteInstrumentCount || octave >= kNoteOctaveCount || semitone > 12) {
    return false;
  }
  fileName = noteFileName(static_cast<int>(instrument), static_cast<int>(octave));
  pitch = instrument == kDrumInstrument ? 1.0f
                                        : std::pow(2.0f, static_cast<float>(semitone) / 12.0f);
  return true;
}

}  // namespace kel

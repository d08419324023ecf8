#include "platform/audio/effect_names.h"

namespace kel {

const std::array<const char*, kNamedEffectCount> namedEffects = {{
    "undiggable-hit", "pickrock-break1", "default_block_place", "default_hit", "door_big_close",
    "door_close2", "trapdoor_2", "trapdoor_1", "door_big_open", "door_open2", "chest2_open",
    "chest_close", "inventory_open", "inventory_close", "map_open", "map_close", "crosshair_dash",
    "crosshair_jump", "player_female_hurt", "crosshair_hurt3", "ding1", "cooking", "craft_default",
    "craft_denied", "swing", "zoom_in", "zoom_out", "boom2", "explosion_2", "fuse", "milk_cow",
    "tool_break", "trashcan2", "breeding_capture", "crunch1", "scrapmachine", "boulder_hit2",
    "pickup-pop", "bling", "burp2", "food_drink", "slurp",
}};

const std::array<const char*, kNoteInstrumentCount> noteInstruments = {
    "piano", "guitar", "bass", "electricguitar", "drums", "square", "triangle", "sawtooth", "sine"};

const std::array<int, kNoteOctaveCount> noteOctaveHertz = {65, 130, 261, 523, 1046};

std::string noteFileName(int instrument, int octave) {
  if (instrument == kDrumInstrument) return "tone_drums_" + std::to_string(octave + 1);
  return std::string("tone_") + noteInstruments[static_cast<size_t>(instrument)] + "_" +
         std::to_string(noteOctaveHertz[static_cast<size_t>(octave)]);
}

std::string rainDropFileName(int index) { return "rain_drop" + std::to_string(index + 1); }

}  // namespace kel

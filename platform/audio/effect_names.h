#pragma once
// The names of the sound files the game asks for, beside the sound records and the music tracks:
// the effects the sound table and the item sounds play by name, the note files, and the rain.
// The sound maker writes exactly these names; the game reads them. No state, any thread.

#include <array>
#include <string>

namespace kel {

// Every effect the sound table and the item-use sounds name directly (some are also records).
constexpr int kNamedEffectCount = 42;
extern const std::array<const char*, kNamedEffectCount> namedEffects;

// Notes: nine instruments of five octaves each. Instrument 4 (drums) is five drum files; the
// others are "tone_<instrument>_<frequency of the octave's C>".
constexpr int kNoteInstrumentCount = 9;
constexpr int kNoteOctaveCount = 5;
constexpr int kDrumInstrument = 4;
extern const std::array<const char*, kNoteInstrumentCount> noteInstruments;
// The octave's C in whole hertz as the file names spell it: 65, 130, 261, 523, 1046.
extern const std::array<int, kNoteOctaveCount> noteOctaveHertz;
// The file of an instrument and octave in range, without ".mp3".
std::string noteFileName(int instrument, int octave);

// The looping rain, found through the engine's search paths (the data folder itself). The game
// loops it between these two points: twenty seconds of bed with no shorter repeat, which the maker
// makes join without a step.
constexpr const char* kRainName = "rain";
constexpr unsigned kRainLoopStartMs = 500;
constexpr unsigned kRainLoopEndMs = 20500;

// The near drops that fall one at a time over the rain while it is heard, in the effects folder.
constexpr int kRainDropCount = 6;
// "rain_drop1" to "rain_drop6" for an index in range, without ".mp3".
std::string rainDropFileName(int index);

}  // namespace kel

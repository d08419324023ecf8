#pragma once
// A planet's musical character, read from its recipe: mode, key, tempo and timbre. One style per
// planet word ("alba", "magmar", ...); a track takes the style named by the first word of its
// file name (after a leading "ss-"). Any thread.

#include <optional>
#include <string>
#include <vector>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/recipe.h"

namespace soundmaker {

struct MusicStyle {
  std::string name;
  std::vector<int> scale;  // semitones above the root
  int root = 57;           // MIDI note of the tonic of the pad's register
  double tempo = 84;       // beats per minute
  Wave pad = Wave::Saw;
  std::string lead = "pluck";  // pluck, bell or a wave name
  double bright = 0.5;     // 0 dark to 1 open
  double drums = 0.0;      // 0 none to 1 busy
};

// The style of a "style" recipe, or none with an error.
std::optional<MusicStyle> parseStyle(const Recipe& recipe, std::string& error);

// The style word of a track name: "ss-xeno-too-deep" -> "xeno".
std::string styleWordOf(const std::string& trackName);

}  // namespace soundmaker

#pragma once
// The four user options that shape what the game plays, as the audio code reads them. The
// settings registry owns the options; whoever changes one copies it here
// (AudioEngine::setOptions), so audio never reaches up into the settings code.

namespace kel {

struct SoundOptions {
  bool musicEnabled = true;
  bool soundEnabled = true;
  float musicVolume = 0.2f;
  float soundVolume = 0.8f;
};

}  // namespace kel

#pragma once
// The sound indexes of the loaded content's block, mob and bullet definitions, handed to the
// platform's sound table (which sits below the content and cannot read it). Registered once at
// start-up; reads the process-wide tables each time, so a reload is seen. Main thread only.

#include "platform/audio/sound_definition_source.h"

class ContentSoundDefinitions final : public kel::SoundDefinitionSource {
 public:
  int16_t blockSound(uint32_t blockId, int slot) const override;
  int16_t mobSound(uint32_t mobIndex, int slot) const override;
  int16_t bulletSound(uint32_t bulletIndex, int slot) const override;
};

// The process-wide instance that start-up registers.
ContentSoundDefinitions& contentSoundDefinitions();

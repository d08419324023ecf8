#pragma once
// Which two sky pictures the sky cross-fades between, and how far, for the world's day phase and
// the tick within it (0-511). By day the day picture shows alone; at dusk day fades to dusk over
// the first 256 ticks and dusk to night over the next 256; at night the night picture shows; at
// dawn night fades to dawn and dawn to day. The fade runs 0-255 (0 shows `first` alone, 255
// `second`), so the switch to the next pair at tick 256 (fade 0) shows the same picture as tick 255
// (fade 255) did: the sky never jumps.
//
// Phases are the day clock's codes: 1 day, 2 dusk, 4 night, 8 dawn.

#include <cstdint>


// The four pictures of a day, in the order the sky keeps them (and the art's phase names).
enum class SkyPicture : uint8_t { Day = 0, Dusk = 1, Night = 2, Dawn = 3 };
inline constexpr int kSkyPictureCount = 4;

struct SkyPhasePair {
  SkyPicture first = SkyPicture::Day;
  SkyPicture second = SkyPicture::Dusk;
  uint16_t fade = 255;  // 255 until the first choice
};

// The pair for a phase and tick as a game starts. An unknown phase shows (dawn, day) with the
// fade unchanged.
void chooseSkyPair(SkyPhasePair& pair, uint32_t phase, uint32_t tick);
// One clock step: only the changes that step brings (the switch at tick 256 of dusk and dawn,
// the fresh pair at tick 0 of day and night, the fade at every dusk and dawn tick).
void stepSkyPair(SkyPhasePair& pair, uint32_t phase, uint32_t tick);
// The cross-fade as the shader takes it: 0.0 to 1.0.
inline float skyOpacity(const SkyPhasePair& pair) { return static_cast<float>(pair.fade) / 255.0f; }

#include "view/sky/sky_phase.h"

namespace {


constexpr uint32_t kDay = 1;
constexpr uint32_t kDusk = 2;
constexpr uint32_t kNight = 4;
constexpr uint32_t kDawn = 8;
constexpr uint32_t kHalfPhase = 256;

void set(SkyPhasePair& pair, SkyPicture first, SkyPicture second) {
  pair.first = first;
  pair.second = second;
}

uint16_t fadeAt(uint32_t tick) { return static_cast<uint16_t>(tick % kHalfPhase); }

}  // namespace

void chooseSkyPair(SkyPhasePair& pair, uint32_t phase, uint32_t tick) {
  const bool late = tick >= kHalfPhase;
  switch (phase) {
    case kDay:
      set(pair, SkyPicture::Day, SkyPicture::Dusk);
      pair.fade = 0;
      return;
    case kDusk:
      if (late) set(pair, SkyPicture::Dusk, SkyPicture::Night);
      else set(pair, SkyPicture::Day, SkyPicture::Dusk);
      pair.fade = fadeAt(tick);
      return;
    case kNight:
      set(pair, SkyPicture::Night, SkyPicture::Dawn);
      pair.fade = 0;
      return;
    case kDawn:
      if (late) set(pair, SkyPicture::Dawn, SkyPicture::Day);
      else set(pair, SkyPicture::Night, SkyPicture::Dawn);
      pair.fade = fadeAt(tick);
      return;
    default:
      set(pair, SkyPicture::Dawn, SkyPicture::Day);
      return;
  }
}

void stepSkyPair(SkyPhasePair& pair, uint32_t phase, uint32_t tick) {
  switch (phase) {
    case kDusk:
      if (tick == kHalfPhase) set(pair, SkyPicture::Dusk, SkyPicture::Night);
      pair.fade = fadeAt(tick);
      return;
    case kDawn:
      if (tick == kHalfPhase) set(pair, SkyPicture::Dawn, SkyPicture::Day);
      pair.fade = fadeAt(tick);
      return;
    case kDay:
    case kNight:
      if (tick == 0) chooseSkyPair(pair, phase, 0);
      return;
    default:
      if (tick == 0) pair.fade = 0;
      return;
  }
}

#include "platform/audio/music.h"

#include <string>

#include "engine/base/random.h"
#include "platform/audio/audio_engine.h"

namespace kel {

namespace {

bool placeFits(int32_t place, const MusicPlace& where) {
  if (place == kAnywhere) return true;
  const int64_t groundLine = int64_t{where.mapHeight} - where.planetDepth - int64_t{where.scaledHeight};
  const bool surface = where.playerRow >= groundLine;
  return place == kSurface ? surface : !surface;
}

std::string musicPath(const std::string& name) {
  std::string path = AudioEngine::getInstance()->musicFolder();
  if (!path.empty() && path.back() != '/') path += '/';
  return path + name + ".mp3";
}

// Replaces whatever music plays with the named track at the music volume, on top priority.
void startTrack(const std::string& name) {
  AudioEngine* audio = AudioEngine::getInstance();
  audio->releaseMusic();
  audio->music = audio->playBackgroundMusic(musicPath(name));
  if (!audio->music.channel.isNull()) {
    audio->music.channel.setVolume(audio->options().musicVolume);
    audio->music.channel.setPriority(0);
  }
}

}  // namespace

std::vector<const MusicTrack*> musicCandidates(const MusicPlace& place) {
  std::vector<const MusicTrack*> found;
  if (!place.present) return found;
  for (const MusicTrack& track : musicTracks) {
    if (track.planetBit == place.planetBit && (track.dayPhaseMask & place.dayPhase) != 0 &&
        placeFits(track.place, place)) {
      found.push_back(&track);
    }
  }
  return found;
}

bool playNextMusic() {
  AudioEngine* audio = AudioEngine::getInstance();
  if (!audio->options().musicEnabled) return true;
  if (audio->music.channel.isPlaying()) return false;
  NextMusicScheduler& next = audio->nextMusicScheduler();
  next.cancel();
  const std::vector<const MusicTrack*> candidates =
      musicCandidates(audio->worldSource().musicPlace());
  float delay = 40.0f + static_cast<float>(engine::randomNext() % 41);
  if (!candidates.empty()) {
    const MusicTrack* track = candidates[engine::randomNext() % candidates.size()];
    startTrack(track->fileName);
    delay += track->lengthSeconds;
  }
  next.schedule(delay, [] { playNextMusic(); });
  return true;
}

bool stopMusic() {
  AudioEngine* audio = AudioEngine::getInstance();
  audio->nextMusicScheduler().cancel();
  audio->releaseMusic();
  return true;
}

bool playMenuMusic() {
  AudioEngine* audio = AudioEngine::getInstance();
  audio->nextMusicScheduler().cancel();
  if (audio->options().musicEnabled) startTrack(kMenuTrack);
  return true;
}

}  // namespace kel

#pragma once
// The one owner of the game's sound system: loads and caches effect files, plays one-shot effects
// and streams music on a channel it keeps. Everything the game plays goes through here (the sound
// table, the music choice and the rain ambience). Main thread only.

#include <map>
#include <memory>
#include <string>

#include "platform/audio/effect_preloader.h"
#include "platform/audio/next_music_scheduler.h"
#include "platform/audio/sound_definition_source.h"
#include "platform/audio/sound_handle.h"
#include "platform/audio/sound_options.h"
#include "platform/audio/sound_system.h"
#include "platform/audio/sound_world_source.h"

namespace engine {
class Scheduler;
}

namespace kel {

class AudioEngine {
 public:
  static constexpr int kChannelCount = 32;
  static constexpr int kPumpKey = 666;
  static constexpr float kPumpInterval = 0.05f;

  // The engine, created (with a sound device when one opens) on first use.
  static AudioEngine* getInstance();
  // Replaces the engine with a new one; tests use OutputMode::Silent to run without a device.
  static AudioEngine* createInstance(OutputMode mode);
  // Releases everything; the next getInstance starts afresh. The terminate step and tests call it.
  static void destroyInstance();

  ~AudioEngine();
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  // Runs the pump on this scheduler every 0.05 s for as long as the engine lives.
  void attachScheduler(engine::Scheduler* scheduler);
  // The pump: advances every channel. Called by the scheduled timer, or by hand where none runs.
  void update(float dt);

  SoundHandle preloadEffect(const std::string& path);
  // Decodes every effect of the effects folder and the rain on a worker thread; each joins the
  // cache as it is ready (on the pump, or on the next request), so that starting an effect costs
  // a lookup, not a decode. A request for an effect not yet ready loads it at once, as before.
  void preloadEffects();
  // True until every preloaded effect is in the cache.
  bool preloading() const { return preloader_.busy(); }
  // Takes the decoded effects into the cache; the pump and the requests call it.
  void adoptPreloaded();
  Sound* findSound(const std::string& fullPath) const;
  void playEffect(const std::string& path, float volume, float pan, float pitch);
  // The caller owns the returned stream and releases it through the system.
  SoundHandle playBackgroundMusic(const std::string& path);
  void releaseAllSounds();

  // Stops the current music (stream released, handle cleared); the channel end is not an error.
  void releaseMusic();
  // Sets the music channel to the current musicVolume option, when music plays.
  void applyMusicVolume();
  // The background and foreground steps of the application.
  void pauseMusic(bool paused);

  SoundSystem& system() { return system_; }
  SoundHandle music;
  float effectsGain = 1.0f;
  SoundHandle rainAmbience;

  const SoundOptions& options() const { return options_; }
  void setOptions(const SoundOptions& options) { options_ = options; }
  // Where effect and music files live (the platform's folder kinds 9 and 10).
  void setSoundFolders(const std::string& effects, const std::string& music);
  const std::string& effectsFolder() const { return effectsFolder_; }
  const std::string& musicFolder() const { return musicFolder_; }

  // Null restores the null source; the engine does not own what is registered.
  void setWorldSource(SoundWorldSource* source);
  void setDefinitionSource(SoundDefinitionSource* source);
  void setNextMusicScheduler(NextMusicScheduler* scheduler);
  const SoundWorldSource& worldSource() const { return *worldSource_; }
  const SoundDefinitionSource& definitionSource() const { return *definitionSource_; }
  NextMusicScheduler& nextMusicScheduler() { return *nextMusicScheduler_; }

 private:
  explicit AudioEngine(OutputMode mode);
  std::string fullPath(const std::string& path) const;
  void detachScheduler();

  SoundSystem system_;
  std::map<std::string, Sound*> cache_;
  engine::Scheduler* scheduler_ = nullptr;
  SoundOptions options_;
  std::string effectsFolder_;
  std::string musicFolder_;
  NullSoundWorldSource nullWorld_;
  NullSoundDefinitionSource nullDefinitions_;
  NullNextMusicScheduler nullScheduler_;
  SoundWorldSource* worldSource_ = &nullWorld_;
  SoundDefinitionSource* definitionSource_ = &nullDefinitions_;
  NextMusicScheduler* nextMusicScheduler_ = &nullScheduler_;
  // Last, so its worker stops before anything else goes.
  EffectPreloader preloader_;
};

}  // namespace kel

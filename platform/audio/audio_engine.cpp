#include "platform/audio/audio_engine.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/io/file_utils.h"
#include "engine/scene/scheduler.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/sound.h"

namespace kel {

namespace {
std::unique_ptr<AudioEngine>& instanceSlot() {
  static std::unique_ptr<AudioEngine> instance;
  return instance;
}
}  // namespace

AudioEngine* AudioEngine::getInstance() {
  if (!instanceSlot()) return createInstance(OutputMode::Device);
  return instanceSlot().get();
}

AudioEngine* AudioEngine::createInstance(OutputMode mode) {
  instanceSlot().reset();
  instanceSlot().reset(new AudioEngine(mode));
  return instanceSlot().get();
}

void AudioEngine::destroyInstance() { instanceSlot().reset(); }

AudioEngine::AudioEngine(OutputMode mode) { system_.init(kChannelCount, mode); }

AudioEngine::~AudioEngine() {
  detachScheduler();
  releaseAllSounds();
  system_.close();
}

void AudioEngine::attachScheduler(engine::Scheduler* scheduler) {
  detachScheduler();
  if (scheduler == nullptr) return;
  scheduler_ = scheduler;
  scheduler_->retain();
  scheduler_->schedule([this](float dt) { update(dt); }, &system_, kPumpInterval,
                       engine::REPEAT_FOREVER, 0.0f, kPumpKey);
}

void AudioEngine::detachScheduler() {
  if (scheduler_ == nullptr) return;
  scheduler_->unschedule(kPumpKey, &system_);
  scheduler_->release();
  scheduler_ = nullptr;
}

void AudioEngine::update(float dt) {
  adoptPreloaded();
  system_.update(dt);
}

void AudioEngine::preloadEffects() {
  // Without a device nothing is ever heard: decoding every effect at start-up would be wasted.
  if (!system_.hasOutput()) return;
  std::vector<std::string> paths;
  std::error_code failed;
  std::string folder = effectsFolder_;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  for (const auto& entry : std::filesystem::directory_iterator(effectsFolder_, failed)) {
    if (entry.path().extension() != ".mp3") continue;
    // The same full path that a request for the effect will look up.
    const std::string full = fullPath(folder + entry.path().filename().string());
    if (findSound(full) == nullptr) paths.push_back(full);
  }
  std::sort(paths.begin(), paths.end());
  const std::string rain = fullPath(std::string(kRainName) + ".mp3");
  if (findSound(rain) == nullptr) paths.push_back(rain);
  preloader_.start(std::move(paths));
}

void AudioEngine::adoptPreloaded() {
  for (auto& [path, sound] : preloader_.takeReady()) {
    // A request may have loaded it already; the first one stays.
    if (findSound(path) != nullptr) continue;
    if (Sound* adopted = system_.addSound(std::move(sound))) cache_.emplace(path, adopted);
  }
}

std::string AudioEngine::fullPath(const std::string& path) const {
  engine::FileUtils* files = engine::FileUtils::getInstance();
  return files != nullptr ? files->fullPathForFilename(path) : path;
}

Sound* AudioEngine::findSound(const std::string& fullPathName) const {
  const auto found = cache_.find(fullPathName);
  return found == cache_.end() ? nullptr : found->second;
}

SoundHandle AudioEngine::preloadEffect(const std::string& path) {
  adoptPreloaded();
  const std::string full = fullPath(path);
  if (Sound* cached = findSound(full)) return {&system_, cached, {}};
  Sound* sound = system_.createSound(full);
  if (sound == nullptr) {
    // Not cached: the file may appear later, and each failed request says so.
    std::printf("sound effect in %s could not be preload\n", path.c_str());
    std::fflush(stdout);
    return {};
  }
  cache_.emplace(full, sound);
  return {&system_, sound, {}};
}

void AudioEngine::playEffect(const std::string& path, float volume, float pan, float pitch) {
  const SoundHandle effect = preloadEffect(path);
  if (effect.sound == nullptr) return;
  // Started paused so the first samples already carry the volume, pitch and pan.
  Channel channel = system_.playSound(effect.sound, true);
  channel.setVolume(volume);
  channel.setPitch(pitch);
  channel.setPan(pan);
  channel.setPaused(false);
}

SoundHandle AudioEngine::playBackgroundMusic(const std::string& path) {
  Sound* stream = system_.createStream(fullPath(path));
  if (stream == nullptr) return {&system_, nullptr, {}};
  return {&system_, stream, system_.playSound(stream, false)};
}

void AudioEngine::releaseAllSounds() {
  for (const auto& entry : cache_) system_.releaseSound(entry.second);
  cache_.clear();
  // The rain sound lived in the cache; its handle must not outlive it.
  rainAmbience = {};
}

void AudioEngine::releaseMusic() {
  if (music.sound == nullptr) return;
  music.channel.stop();
  system_.releaseSound(music.sound);
  music = {};
}

void AudioEngine::applyMusicVolume() {
  if (!music.channel.isNull()) music.channel.setVolume(options_.musicVolume);
}

void AudioEngine::pauseMusic(bool paused) {
  if (!music.channel.isNull()) music.channel.setPaused(paused);
}

void AudioEngine::setSoundFolders(const std::string& effects, const std::string& musicPath) {
  effectsFolder_ = effects;
  musicFolder_ = musicPath;
}

void AudioEngine::setWorldSource(SoundWorldSource* source) {
  worldSource_ = source != nullptr ? source : &nullWorld_;
}

void AudioEngine::setDefinitionSource(SoundDefinitionSource* source) {
  definitionSource_ = source != nullptr ? source : &nullDefinitions_;
}

void AudioEngine::setNextMusicScheduler(NextMusicScheduler* scheduler) {
  nextMusicScheduler_ = scheduler != nullptr ? scheduler : &nullScheduler_;
}

}  // namespace kel

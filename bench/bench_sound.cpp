// The game's sound: the cost on the main thread of starting a sound effect once the effects are
// preloaded, beside a start that decodes its file first (what every first use cost before the
// preloading); and the time to make the whole sound set with the sound maker on two threads.
// Both read or write a data folder: the build's own, and a temporary one.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/support/absolute_figures.h"
#include "bench/support/side_by_side.h"
#include "engine/io/file_utils.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/sound_record.h"
#include "platform/resource_folders.h"

namespace {

const std::string kDataRoot = RUBBLE_DATA_DIR;

std::vector<std::string> effectPaths() {
  const std::string folder = kel::resourceFolderIn(kDataRoot, kel::FOLDER_SOUND_EFFECTS);
  std::vector<std::string> paths;
  for (int i = 0; i < kel::kSoundRecordCount; i += 7) {
    paths.push_back(folder + "/" + kel::soundRecords[static_cast<size_t>(i)].fileName + ".mp3");
  }
  return paths;
}

void BM_StartEffect(benchmark::State& state) {
  // The OpenAL buffers are filled as on a real device; the null driver makes it the same here.
  setenv("ALSOFT_DRIVERS", "null", 0);
  kel::AudioEngine* audio = kel::AudioEngine::createInstance(kel::OutputMode::Device);
  audio->setSoundFolders(kel::resourceFolderIn(kDataRoot, kel::FOLDER_SOUND_EFFECTS),
                         kel::resourceFolderIn(kDataRoot, kel::FOLDER_MUSIC));
  audio->preloadEffects();
  while (audio->preloading()) {
    audio->adoptPreloaded();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  audio->adoptPreloaded();
  const std::vector<std::string> paths = effectPaths();
  size_t next = 0;
  bench::SideBySide sides;
  for (auto _ : state) {
    const std::string& path = paths[next++ % paths.size()];
    sides.engine([&] { audio->playEffect(path, 0.8f, 0.3f, 1.1f); });
    // The baseline decodes the file before it starts it, as a cold cache did.
    sides.baseline([&] {
      kel::Sound* cold = audio->system().createSound(path);
      audio->system().playSound(cold, false);
      audio->system().releaseSound(cold);
    });
    audio->update(0.05f);
  }
  sides.report(state);
  state.SetLabel(audio->system().hasOutput() ? "OpenAL device" : "no device: silent");
  kel::AudioEngine::destroyInstance();
}
BENCHMARK(BM_StartEffect)->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_MakeSoundSet(benchmark::State& state) {
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "rubble_bench_sounds";
  const std::string command = std::string(SOUND_MAKER) + " " + RUBBLE_SOURCE_DIR + "/assets/sounds " +
                              out.string() + " " + (out / "stamp").string() + " 2 > /dev/null";
  double megabytes = 0;
  for (auto _ : state) {
    std::filesystem::remove_all(out);
    const auto started = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError("the sound maker failed");
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    megabytes = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out)) {
      if (entry.is_regular_file()) megabytes += static_cast<double>(entry.file_size()) / 1e6;
    }
  }
  state.counters["set_MB"] = megabytes;
  bench::reportAbsoluteFiguresOnly(state);
  std::filesystem::remove_all(out);
}
BENCHMARK(BM_MakeSoundSet)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
BENCHMARK_MAIN();

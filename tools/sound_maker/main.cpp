// sound_maker <recipe folder> <data folder> <stamp file> [threads]
// Makes every sound file the game plays from the recipes, then touches the stamp file.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/sound_maker/dsp.h"
#include "tools/sound_maker/sound_set.h"

namespace {

int fail(const std::string& message) {
  std::fprintf(stderr, "sound_maker: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return fail("usage: sound_maker <recipe folder> <data folder> <stamp file> [threads]");
  const auto started = std::chrono::steady_clock::now();
  const int threads = argc > 4 ? std::atoi(argv[4])
                               : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string error;
  std::vector<soundmaker::Recipe> recipes;
  if (!soundmaker::readRecipeFolder(argv[1], recipes, error)) return fail(error);
  std::vector<soundmaker::SoundJob> jobs;
  if (!soundmaker::planSoundSet(recipes, argv[2], jobs, error)) return fail(error);
  // The maker's own bytes stand for its code: a rebuilt maker with other code remakes everything.
  std::ifstream self("/proc/self/exe", std::ios::binary);
  std::ostringstream code;
  code << self.rdbuf();
  const soundmaker::SoundManifest manifest{std::string(argv[2]) + "/sfx/sounds.manifest",
                                           std::to_string(soundmaker::nameSeed(code.str()))};
  soundmaker::SoundSetSummary summary;
  if (!soundmaker::runSoundJobs(jobs, threads, manifest, summary, error)) return fail(error);
  std::ofstream(argv[3]) << summary.files << " files, " << summary.bytes << " bytes\n";
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("sound_maker: %d files (%d made, the rest unchanged), %.1f MB in %.1f s on %d threads\n",
              summary.files, summary.made, static_cast<double>(summary.bytes) / 1e6, seconds, threads);
  return 0;
}

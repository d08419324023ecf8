#include "tools/sound_maker/sound_set.h"

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

#include "platform/audio/effect_names.h"
#include "platform/audio/music_track.h"
#include "platform/audio/sound_record.h"
#include "platform/resource_folders.h"
#include "tools/sound_maker/effect_families.h"
#include "tools/sound_maker/mp3_file.h"
#include "tools/sound_maker/music_generator.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/note_sounds.h"
#include "tools/sound_maker/rain_sounds.h"

namespace soundmaker {

namespace {

constexpr int kEffectRate = 44100;

using Made = std::function<std::optional<Samples>(std::string& error)>;

// The encoding of a file: its rate, compression and channels (interleaved when two).
struct Encoding {
  int rate;
  double compression;
  int channels = 1;
};

constexpr Encoding kEffectEncoding{kEffectRate, kEffectCompression};

SoundJob encodeJob(std::string path, double cost, std::string recipe, Encoding encoding, Made made) {
  recipe += " rate=" + std::to_string(encoding.rate) + " compression=" +
            std::to_string(encoding.compression) + " channels=" + std::to_string(encoding.channels);
  auto make = [encoding, made = std::move(made)](const std::string& at, std::string& error) {
    const std::optional<Samples> samples = made(error);
    return samples &&
           writeMp3(at, *samples, encoding.rate, encoding.compression, error, encoding.channels);
  };
  return SoundJob{std::move(path), cost, std::move(recipe), std::move(make)};
}

// The recipes by name; each is handed out once, so what is left at the end was never asked for.
class RecipeBook {
 public:
  bool fill(const std::vector<Recipe>& recipes, std::string& error) {
    for (const Recipe& recipe : recipes) {
      if (!byName_.emplace(recipe.name(), recipe).second) {
        error = "two recipes for " + recipe.name();
        return false;
      }
    }
    return true;
  }
  const Recipe* take(const std::string& name, const std::string& family, std::string& error) {
    const auto found = byName_.find(name);
    if (found == byName_.end()) {
      error = "no recipe for " + name;
      return nullptr;
    }
    const bool effect = family.empty() && findFamily(found->second.family()) != nullptr;
    if (!effect && found->second.family() != family) {
      error = name + ": family " + found->second.family() + " does not make this kind of sound";
      return nullptr;
    }
    used_.insert(name);
    return &found->second;
  }
  bool allUsed(std::string& error) const {
    for (const auto& [name, recipe] : byName_) {
      if (!used_.contains(name)) {
        error = "line " + std::to_string(recipe.line) + ": the recipe " + name +
                " makes no sound the game plays";
        return false;
      }
    }
    return true;
  }

 private:
  std::map<std::string, Recipe> byName_;
  std::set<std::string> used_;
};

std::vector<std::string> effectNames() {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const kel::SoundRecord& record : kel::soundRecords) {
    if (seen.insert(record.fileName).second) names.emplace_back(record.fileName);
  }
  for (const char* name : kel::namedEffects) {
    if (seen.insert(name).second) names.emplace_back(name);
  }
  return names;
}

bool planEffects(RecipeBook& book, const std::string& folder, std::vector<SoundJob>& jobs,
                 std::string& error) {
  for (const std::string& name : effectNames()) {
    // An effect's recipe may be of any effect family.
    const Recipe* recipe = book.take(name, "", error);
    if (recipe == nullptr) return false;
    jobs.push_back(encodeJob(folder + "/" + name + ".mp3", 0.5, recipe->text(), kEffectEncoding,
                             [copy = *recipe](std::string& e) { return makeEffect(copy, kEffectRate, e); }));
  }
  for (int instrument = 0; instrument < kel::kNoteInstrumentCount; ++instrument) {
    const std::string name = std::string("tone_") + kel::noteInstruments[static_cast<size_t>(instrument)];
    const Recipe* recipe = book.take(name, "note", error);
    if (recipe == nullptr) return false;
    for (int octave = 0; octave < kel::kNoteOctaveCount; ++octave) {
      const std::string path = folder + "/" + kel::noteFileName(instrument, octave) + ".mp3";
      jobs.push_back(encodeJob(path, 2.0, recipe->text() + " octave=" + std::to_string(octave),
                               kEffectEncoding, [copy = *recipe, octave](std::string& e) {
                                 return makeNote(copy, octave, kEffectRate, e);
                               }));
    }
  }
  return true;
}

// The bed in the data folder itself, its near drops among the effects.
bool planRain(RecipeBook& book, const std::string& dataRoot, const std::string& effects,
              std::vector<SoundJob>& jobs, std::string& error) {
  const Recipe* recipe = book.take(kel::kRainName, "rain", error);
  if (recipe == nullptr) return false;
  const std::string loop =
      " loop=" + std::to_string(kel::kRainLoopStartMs) + "-" + std::to_string(kel::kRainLoopEndMs);
  jobs.push_back(encodeJob(dataRoot + "/" + kel::kRainName + ".mp3", 20, recipe->text() + loop,
                           kEffectEncoding, [copy = *recipe](std::string& e) {
                             return makeRain(copy, kEffectRate, kel::kRainLoopStartMs / 1000.0,
                                             kel::kRainLoopEndMs / 1000.0, e);
                           }));
  for (int drop = 0; drop < kel::kRainDropCount; ++drop) {
    jobs.push_back(encodeJob(effects + "/" + kel::rainDropFileName(drop) + ".mp3", 0.5,
                             recipe->text() + " drop=" + std::to_string(drop), kEffectEncoding,
                             [copy = *recipe, drop](std::string& e) {
                               return makeRainDrop(copy, drop, kEffectRate, e);
                             }));
  }
  return true;
}

bool planMusic(RecipeBook& book, const std::string& folder, std::vector<SoundJob>& jobs,
               std::string& error) {
  std::map<std::string, std::shared_ptr<MusicStyle>> styles;
  std::map<std::string, std::string> styleTexts;
  std::set<std::string> planned;
  for (const kel::MusicTrack& track : kel::musicTracks) {
    // A track listed on several planets is one file: its first row says its variant.
    if (!planned.insert(track.fileName).second) continue;
    const std::string word = styleWordOf(track.fileName);
    auto& style = styles[word];
    if (!style) {
      const Recipe* recipe = book.take(word, "style", error);
      if (recipe == nullptr) return false;
      std::optional<MusicStyle> parsed = parseStyle(*recipe, error);
      if (!parsed) return false;
      style = std::make_shared<MusicStyle>(std::move(*parsed));
      styleTexts[word] = recipe->text();
    }
    const std::string name = track.fileName;
    const TrackPlan plan = trackPlanOf(track);
    const std::string described = name + " seconds=" + std::to_string(track.lengthSeconds) +
                                  " night=" + std::to_string(plan.night) + " underground=" +
                                  std::to_string(plan.underground) + " soundscape=" +
                                  std::to_string(plan.soundscape) + " | " + styleTexts[word];
    jobs.push_back(encodeJob(folder + "/" + name + ".mp3", plan.seconds * 4, described,
                             {kMusicRate, kMusicCompression, kMusicChannels}, [plan, style](std::string&) {
                               return std::optional<Samples>(makeTrack(plan, *style));
                             }));
  }
  return true;
}

}  // namespace

bool planSoundSet(const std::vector<Recipe>& recipes, const std::string& dataRoot,
                  std::vector<SoundJob>& jobs, std::string& error) {
  RecipeBook book;
  if (!book.fill(recipes, error)) return false;
  const std::string effects = kel::resourceFolderIn(dataRoot, kel::FOLDER_SOUND_EFFECTS);
  const std::string music = kel::resourceFolderIn(dataRoot, kel::FOLDER_MUSIC);
  std::vector<SoundJob> planned;
  if (!planEffects(book, effects, planned, error) || !planRain(book, dataRoot, effects, planned, error) ||
      !planMusic(book, music, planned, error) || !book.allUsed(error)) {
    return false;
  }
  std::error_code failed;
  std::filesystem::create_directories(effects, failed);
  std::filesystem::create_directories(music, failed);
  jobs = std::move(planned);
  return true;
}

namespace {

std::string fingerprint(const std::string& maker, const SoundJob& job) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx",
                static_cast<unsigned long long>(nameSeed(maker + "\n" + job.recipe)));
  return hex;
}

// path -> fingerprint, from "<fingerprint> <path>" lines; a damaged line is dropped.
std::map<std::string, std::string> readManifest(const std::string& path) {
  std::map<std::string, std::string> made;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space == 16) made[line.substr(space + 1)] = line.substr(0, space);
  }
  return made;
}

}  // namespace

bool runSoundJobs(std::vector<SoundJob>& jobs, int threads, const SoundManifest& manifest,
                  SoundSetSummary& summary, std::string& error) {
  const std::map<std::string, std::string> before = readManifest(manifest.path);
  std::vector<std::string> prints(jobs.size());
  std::vector<size_t> order;
  for (size_t i = 0; i < jobs.size(); ++i) {
    prints[i] = fingerprint(manifest.maker, jobs[i]);
    const auto found = before.find(jobs[i].path);
    const bool made = found != before.end() && found->second == prints[i] &&
                      std::filesystem::exists(jobs[i].path);
    if (!made) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&jobs](size_t a, size_t b) { return jobs[a].cost > jobs[b].cost; });
  std::vector<std::string> errors(jobs.size());
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t at = next++; at < order.size(); at = next++) {
      SoundJob& job = jobs[order[at]];
      job.make(job.path, errors[order[at]]);
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < std::max(1, threads); ++t) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  summary = {};
  summary.made = static_cast<int>(order.size());
  std::ostringstream lines;
  for (size_t i = 0; i < jobs.size(); ++i) {
    if (!errors[i].empty()) {
      error = errors[i];
      return false;
    }
    std::error_code failed;
    summary.bytes += std::filesystem::file_size(jobs[i].path, failed);
    ++summary.files;
    lines << prints[i] << ' ' << jobs[i].path << '\n';
  }
  if (!manifest.path.empty()) std::ofstream(manifest.path, std::ios::trunc) << lines.str();
  return true;
}

bool readRecipeFolder(const std::string& folder, std::vector<Recipe>& recipes, std::string& error) {
  std::vector<std::filesystem::path> files;
  std::error_code failed;
  for (const auto& entry : std::filesystem::directory_iterator(folder, failed)) {
    if (entry.path().extension() == ".txt") files.push_back(entry.path());
  }
  if (failed) {
    error = folder + ": " + failed.message();
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::optional<std::vector<Recipe>> parsed = parseRecipes(text.str(), error);
    if (!parsed) {
      error = file.filename().string() + " " + error;
      return false;
    }
    for (Recipe& recipe : *parsed) recipes.push_back(std::move(recipe));
  }
  return true;
}

}  // namespace soundmaker

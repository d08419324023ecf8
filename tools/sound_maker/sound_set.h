#pragma once
// The whole sound set the game reads: every effect the sound records and the sound table name,
// every note file, the rain with its near drops and every music track, each made from its recipe
// and written into the data folder where the game looks (effects, notes and drops in the effects
// folder, tracks in the music folder, the rain's bed in the data folder itself). The names come from the game's own tables,
// so a name the game plays and no recipe makes, or a recipe for no name, stops the maker.
// Files are made on several threads; each file depends only on its recipe, so the bytes are the
// same on every run and with any thread count.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/sound_maker/recipe.h"

namespace soundmaker {

struct SoundJob {
  std::string path;     // where the file goes
  double cost = 0;      // rough seconds of audio, to start the long jobs first
  std::string recipe;   // all the file is made from, as text: the same text makes the same file
  std::function<bool(const std::string& path, std::string& error)> make;
};

struct SoundSetSummary {
  int files = 0;
  int made = 0;  // the rest were already there, made from the same recipe by the same maker
  uint64_t bytes = 0;
};

// Where the maker notes what each file was made from, so that the next run remakes only the
// files whose recipe (or the maker itself) changed. A missing or damaged note remakes everything.
struct SoundManifest {
  std::string path;
  std::string maker;  // anything that changes when the maker's code does
};

// Every job of the set, or none with an error (a missing, duplicated, orphaned or broken recipe).
bool planSoundSet(const std::vector<Recipe>& recipes, const std::string& dataRoot,
                  std::vector<SoundJob>& jobs, std::string& error);

// Runs the jobs on `threads` workers, skipping those the manifest shows already made; false with
// the first error in job order. The manifest is rewritten after a run without errors.
bool runSoundJobs(std::vector<SoundJob>& jobs, int threads, const SoundManifest& manifest,
                  SoundSetSummary& summary, std::string& error);

// Every recipe of every ".txt" file in the folder, in file-name order.
bool readRecipeFolder(const std::string& folder, std::vector<Recipe>& recipes, std::string& error);

}  // namespace soundmaker

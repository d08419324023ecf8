// The checks the project's music must pass, measured on what the generator renders at a low rate:
// the pad and bass beneath each track (its bed) follow a course of chords no other track shares,
// every track's last audible chord is its home chord, and no two planets play in one key.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/audio/music_track.h"
#include "tests/tools/sound_maker/pitch_classes.h"
#include "tools/sound_maker/chord_loop.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/sound_set.h"
#include "tools/sound_maker/track_form.h"
#include "tools/sound_maker/track_plan.h"
#include "tools/sound_maker/track_writer.h"

using namespace soundmaker;
using soundtest::Chroma;

namespace {

// Enough for the pitches of the bass and the pad, and quick to render for every track.
constexpr int kCheckRate = 3000;
// The end of a track that is checked for its home chord: the fade and the few seconds before it.
constexpr double kEndingSeconds = 6.0;

std::map<std::string, MusicStyle> projectStyles() {
  std::vector<Recipe> recipes;
  std::string error;
  EXPECT_TRUE(readRecipeFolder(std::string(RUBBLE_SOURCE_DIR) + "/assets/sounds", recipes, error)) << error;
  std::map<std::string, MusicStyle> styles;
  for (const Recipe& recipe : recipes) {
    if (recipe.family() != "style") continue;
    std::optional<MusicStyle> style = parseStyle(recipe, error);
    EXPECT_TRUE(style) << error;
    if (style) styles.emplace(recipe.name(), *style);
  }
  return styles;
}

struct MeasuredTrack {
  std::string name;
  std::vector<Chroma> bed;  // a frame a second
  Chroma ending{};          // the faded end, summed
  size_t tonic = 0;         // the pitch class of its key
};

// Every track file of the game's table, rendered once for all the checks.
const std::vector<MeasuredTrack>& projectTracks() {
  static const std::vector<MeasuredTrack> measured = [] {
    const std::map<std::string, MusicStyle> styles = projectStyles();
    std::vector<MeasuredTrack> tracks;
    std::set<std::string> done;
    for (const kel::MusicTrack& row : kel::musicTracks) {
      if (!done.insert(row.fileName).second) continue;
      const TrackPlan plan = trackPlanOf(row);
      const MusicStyle& style = styles.at(styleWordOf(plan.name));
      const TrackForm form(plan, style);
      const TrackStems stems = writeStems(plan, style, kCheckRate);
      Samples bed(stems.bass.size());
      for (size_t i = 0; i < bed.size(); ++i) bed[i] = stems.padLeft[i] + stems.padRight[i] + stems.bass[i];
      fadeOut(bed, kCheckRate, form.fadeSeconds());
      MeasuredTrack track{plan.name, soundtest::chromaOf(bed, kCheckRate, 1.0, 0.5), {},
                          static_cast<size_t>(form.root() % 12)};
      const Samples end(bed.end() - static_cast<long>(kEndingSeconds * kCheckRate), bed.end());
      track.ending = soundtest::sumOf(soundtest::chromaOf(end, kCheckRate, 0.5, 0.5));
      tracks.push_back(std::move(track));
    }
    return tracks;
  }();
  return measured;
}

}  // namespace

TEST(MusicChecks, NoTwoTracksShareABed) {
  const std::vector<MeasuredTrack>& tracks = projectTracks();
  ASSERT_EQ(tracks.size(), 99u);
  double worst = 0;
  std::string pair;
  for (size_t a = 0; a < tracks.size(); ++a) {
    for (size_t b = a + 1; b < tracks.size(); ++b) {
      const double r = soundtest::correlation(tracks[a].bed, tracks[b].bed);
      if (r > worst) worst = r, pair = tracks[a].name + " and " + tracks[b].name;
    }
  }
  EXPECT_LT(worst, 0.5) << pair << " follow one course of chords";
}

TEST(MusicChecks, EveryTrackEndsOnItsTonic) {
  for (const MeasuredTrack& track : projectTracks()) {
    EXPECT_EQ(soundtest::strongest(track.ending), track.tonic) << track.name << " fades out off its home chord";
  }
}

TEST(MusicChecks, NoTwoPlanetsPlayInOneKey) {
  std::map<std::set<int>, std::string> keys;
  for (const auto& [name, style] : projectStyles()) {
    std::set<int> pitches;
    for (const int step : style.scale) pitches.insert((style.root + step) % 12);
    const auto [other, fresh] = keys.emplace(pitches, name);
    EXPECT_TRUE(fresh) << name << " and " << other->second << " share their pitches";
  }
}

TEST(ChordLoops, OpenOnTheTonicMoveEveryChordAndLeadHome) {
  std::set<std::vector<int>> seen;
  for (const int scaleSize : {5, 6, 7}) {
    for (uint64_t seed = 0; seed < 200; ++seed) {
      Rng rng(seed);
      const int size = 4 + static_cast<int>(seed % 5);
      const ChordLoop loop = drawChordLoop(rng, scaleSize, {size, {3, 4, 8}});
      seen.insert(loop.degrees);
      ASSERT_EQ(loop.degrees.size(), static_cast<size_t>(size));
      EXPECT_EQ(loop.degrees.front(), 0);
      EXPECT_NE(loop.degrees.back(), 0);  // the chord that leads home
      for (size_t i = 1; i < loop.degrees.size(); ++i) {
        EXPECT_NE(loop.degrees[i], loop.degrees[i - 1]);
        EXPECT_LT(loop.degrees[i], scaleSize);
      }
      EXPECT_EQ(loop.degreeAt(loop.length()), 0);  // round again to the tonic
      EXPECT_EQ(loop.degreeAt(loop.length() - 1), loop.degrees.back());
    }
  }
  EXPECT_GT(seen.size(), 400u);  // seeds draw their own loops, not a few shared ones
}

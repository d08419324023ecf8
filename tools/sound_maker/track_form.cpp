#include "tools/sound_maker/track_form.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace soundmaker {

namespace {

// The tonic sounds at least this long at full level before the fade begins.
constexpr double kHeldTonicSeconds = 2.5;

const std::vector<int> kChordColours[] = {{0, 2, 4}, {0, 2, 4, 6}, {0, 2, 4, 8}, {0, 1, 4}, {0, 2, 4, 5}};

}  // namespace

TrackForm::TrackForm(const TrackPlan& plan, const MusicStyle& style) {
  // A stream of its own for the form, so the notes' draws never move a chord.
  Rng rng(nameSeed("form:" + plan.name));
  tempo_ = style.tempo * (plan.night ? 0.85 : 1.0) * (plan.underground ? 0.9 : 1.0) *
           (plan.soundscape ? 0.7 : 1.0) * rng.range(0.9, 1.1);
  root_ = style.root - (plan.night ? 5 : 0) - (plan.underground ? 7 : 0);
  // A tune's loop of four to eight chords, a bar or two each, comes round often; a soundscape
  // drifts through eight chords of uneven length, so that it hardly repeats.
  const LoopShape shape = plan.soundscape ? LoopShape{8, {3, 4, 5, 6, 7}}
                                          : LoopShape{4 + 2 * rng.below(3), {4, 4, 8}};
  loop_ = drawChordLoop(rng, static_cast<int>(style.scale.size()), shape);
  chordTones_ = kChordColours[rng.below(static_cast<int>(std::size(kChordColours)))];
  fade_ = std::min(6.0, plan.seconds / 4);
  const double lastStart = plan.seconds - fade_ - kHeldTonicSeconds;
  closingBar_ = std::max(1, static_cast<int>(std::floor(lastStart / barSeconds())));
  const int sections = closingBar_ / kBarsPerSection + 1;
  for (int s = 0; s < sections; ++s) sections_.push_back(drawVoices(rng, s, plan, style));
}

int TrackForm::degreeAt(int beat) const {
  return beat >= closingBar_ * kBeatsPerBar ? 0 : loop_.degreeAt(beat);
}

const Voices& TrackForm::voicesAt(int bar) const {
  const size_t section = static_cast<size_t>(std::max(0, bar) / kBarsPerSection);
  return sections_[std::min(section, sections_.size() - 1)];
}

Voices TrackForm::drawVoices(Rng& rng, int section, const TrackPlan& plan,
                             const MusicStyle& style) const {
  const bool quiet = plan.night || plan.underground;
  if (plan.soundscape) return {false, false, rng.uniform() < 0.6, false};
  const bool opening = section == 0;
  const bool closing = section >= closingBar_ / kBarsPerSection;
  Voices v;
  v.bass = !opening || rng.uniform() < 0.3;
  v.arpeggio = rng.uniform() < (quiet ? 0.35 : 0.6);
  v.melody = !v.arpeggio || rng.uniform() < (quiet ? 0.2 : 0.4);
  v.drums = style.drums > 0 && !quiet && !opening && !closing && rng.uniform() < style.drums + 0.3;
  return v;
}

}  // namespace soundmaker

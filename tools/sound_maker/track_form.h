#pragma once
// The time plan of one track, drawn from its seed before any note is written: tempo, key, the
// chord loop and the colour of its chords, the voices of each eight-bar section and the close.
// From the closing bar the tonic is held to the end, starting a few seconds before the fade so
// that the home chord sounds whole before it dies away. The full track and its bed alone read
// the same form. Any thread.

#include <vector>

#include "tools/sound_maker/chord_loop.h"
#include "tools/sound_maker/music_style.h"
#include "tools/sound_maker/track_plan.h"

namespace soundmaker {

struct Voices {
  bool bass = false, arpeggio = false, melody = false, drums = false;
};

class TrackForm {
 public:
  static constexpr int kBeatsPerBar = 4;
  static constexpr int kBarsPerSection = 8;

  TrackForm(const TrackPlan& plan, const MusicStyle& style);

  double beatSeconds() const { return 60.0 / tempo_; }
  double barSeconds() const { return beatSeconds() * kBeatsPerBar; }
  // The MIDI note of the tonic in the pad's register: the style's, lower at night and below ground.
  int root() const { return root_; }
  // The first bar of the held tonic, and when it starts.
  int closingBar() const { return closingBar_; }
  double closingStart() const { return closingBar_ * barSeconds(); }
  double fadeSeconds() const { return fade_; }
  // The scale degree of the chord on a beat: the loop's, then from the closing bar the tonic.
  int degreeAt(int beat) const;
  // The track's chord colour: the scale steps above a chord's degree that its pad sounds (a
  // triad, a seventh, an added ninth, a suspended second or a sixth).
  const std::vector<int>& chordTones() const { return chordTones_; }
  const Voices& voicesAt(int bar) const;

 private:
  Voices drawVoices(Rng& rng, int section, const TrackPlan& plan, const MusicStyle& style) const;

  double tempo_ = 84;
  int root_ = 57;
  double fade_ = 6;
  int closingBar_ = 1;
  ChordLoop loop_;
  std::vector<int> chordTones_;
  std::vector<Voices> sections_;
};

}  // namespace soundmaker

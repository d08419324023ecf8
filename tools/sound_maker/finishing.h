#pragma once
// The last steps every short sound (effect, note, near drop) goes through before its loudness is
// set: it ends where it stops being heard, sits centred on silence, and starts and ends without a
// click. A tail far under the sound keeps a channel busy and the file long for nothing; an offset
// from silence is heard as a thump where the sound starts and stops. Any thread.

#include "tools/sound_maker/dsp.h"

namespace soundmaker {

struct Finish {
  double leadFloor = 0.002;    // leading samples quieter than this share of the peak are cut; 0 keeps them
  double tailFloor = 0.0056;   // the end comes after the last 10 ms within -45 dB of the loudest 10 ms
  double fadeIn = 0.003;       // seconds
  double fadeOut = 0.012;      // seconds
};

// The sample count up to the end of the last 10 ms window whose RMS reaches `floor` of the
// loudest window's.
size_t heardLength(const Samples& samples, int rate, double floor);

// Takes away a constant or slowly drifting offset: a first-order high-pass at 20 Hz, then the mean
// that remains.
void removeOffset(Samples& samples, int rate);

// Cuts the leading and the trailing silence, centres the rest and fades both ends.
void finishShortSound(Samples& samples, int rate, const Finish& finish = {});

}  // namespace soundmaker

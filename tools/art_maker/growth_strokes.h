#pragma once
// The strokes the growing parts are drawn from, each lit from the top left: a run of bark, a clump
// of leaves, a fruit, a mushroom, a crystal shard, a blade of grass.

#include "tools/art_maker/art_random.h"
#include "tools/art_maker/canvas.h"

namespace artmaker {

// A vertical run of bark from row top to row bottom (inclusive), left edge x: light on its left
// column, shadow on its right, broken vertical grain lines between.
void barkRun(Canvas& f, int x, int width, int top, int bottom, const Ramp& bark, ArtRandom& rnd);
// A branch of the given thickness from (x0, y0) to (x1, y1), its upper pixels lit.
void branch(Canvas& f, int x0, int y0, int x1, int y1, int thickness, const Ramp& bark);
// A round clump of leaves: a shadow under it, the body, a lit cap at its top left and a few leaf marks.
void leafClump(Canvas& f, int cx, int cy, int radius, const Ramp& leaf, ArtRandom& rnd);
// A fruit of radius 1-3 with its highlight and shadow.
void fruit(Canvas& f, int cx, int cy, int radius, Colour colour);
// A mushroom standing on row base: a pale stalk and a domed cap with spots.
void mushroom(Canvas& f, int cx, int base, int height, int capRadius, const Ramp& cap, Colour stalk);
// A crystal pointing up from row base, lit on its left face.
void crystalShard(Canvas& f, int cx, int base, int height, int halfWidth, const Ramp& ramp);
// A blade of grass from row base leaning by lean pixels at its tip.
void grassBlade(Canvas& f, int x, int base, int height, int lean, const Ramp& leaf);

}  // namespace artmaker

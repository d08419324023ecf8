#pragma once
// A picture turned an eighth of a turn in its own pixels: each pixel of the result takes the colour
// of the source pixel under its centre, so the outline stays of whole, square art pixels instead
// of the smeared diagonal that a picture turned at draw time shows.

#include "tools/art_maker/canvas.h"

namespace artmaker {

// The source turned 45 degrees clockwise about the point (gripX, gripY) (in pixels from its top-left
// corner), on a canvas twice the source's size whose centre is the grip. A source pixel farther from
// the grip than the source's width or height is cut off; a grip near the picture's middle, as a
// tool's handle is, keeps every pixel.
Canvas turnedEighth(const Canvas& source, float gripX, float gripY);

}  // namespace artmaker

#pragma once
// Keeps the pictures of one atlas apart. At the game's pixel size two pictures whose colours
// differ by a few steps read as the same thing, so a picture counts as new only when it stands a
// clear distance from every picture kept before it: the mean absolute difference over the four
// channels of the pixels either picture covers, in steps of 255 (a pickaxe whose head alone
// changes is judged by the pickaxe, not by the clear frame around it). Pictures of different sizes
// differ in outline already.

#include <map>
#include <utility>
#include <vector>

#include "tools/art_maker/canvas.h"

namespace artmaker {

// The mean absolute difference of two pictures of one size over the pixels either covers, in
// steps of 255 (0 for equal pictures).
double pictureDistance(const Canvas& a, const Canvas& b);
// The pixels that are not clear.
int coveredPixels(const Canvas& picture);

class DistinctPictures {
 public:
  explicit DistinctPictures(double apart) : apart_(apart) {}

  // Whether the picture stands at least the distance from every picture kept.
  bool standsApart(const Canvas& picture) const { return nearest(picture) >= apart_; }
  // The distance to the nearest picture kept, or the distance asked for when none is nearer.
  double nearest(const Canvas& picture) const;
  void keep(const Canvas& picture);

 private:
  struct Kept {
    Canvas picture;
    std::vector<int> coarse;  // channel sums over a 4 x 4 grid: a quick lower bound of the distance
    int covered = 0;
  };
  static std::vector<int> coarseOf(const Canvas& picture);

  double apart_;
  std::map<std::pair<int, int>, std::vector<Kept>> bySize_;
};

}  // namespace artmaker

#include "tools/art_maker/distinct_pictures.h"

#include <algorithm>
#include <cstdlib>

namespace artmaker {

namespace {

int channelDifference(Colour a, Colour b) {
  return std::abs(red(a) - red(b)) + std::abs(green(a) - green(b)) + std::abs(blue(a) - blue(b)) +
         std::abs(alpha(a) - alpha(b));
}

}  // namespace

double pictureDistance(const Canvas& a, const Canvas& b) {
  const std::vector<Colour>& pa = a.pixels();
  const std::vector<Colour>& pb = b.pixels();
  if (pa.size() != pb.size()) return 0;
  long total = 0, covered = 0;
  for (size_t i = 0; i < pa.size(); ++i) {
    if (alpha(pa[i]) == 0 && alpha(pb[i]) == 0) continue;
    ++covered;
    total += channelDifference(pa[i], pb[i]);
  }
  return covered == 0 ? 0.0 : double(total) / double(covered * 4);
}

int coveredPixels(const Canvas& picture) {
  int covered = 0;
  for (const Colour c : picture.pixels()) covered += alpha(c) > 0;
  return covered;
}

std::vector<int> DistinctPictures::coarseOf(const Canvas& picture) {
  std::vector<int> sums(64, 0);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Colour c = picture.at(x, y);
      const size_t cell = size_t((y * 4 / picture.height()) * 4 + x * 4 / picture.width()) * 4;
      sums[cell] += red(c);
      sums[cell + 1] += green(c);
      sums[cell + 2] += blue(c);
      sums[cell + 3] += alpha(c);
    }
  }
  return sums;
}

double DistinctPictures::nearest(const Canvas& picture) const {
  const auto found = bySize_.find({picture.width(), picture.height()});
  if (found == bySize_.end()) return apart_;
  const std::vector<int> coarse = coarseOf(picture);
  const int covered = coveredPixels(picture);
  double best = apart_;
  for (const Kept& kept : found->second) {
    // The differences of the cells' sums never exceed the sum of the pixels' differences, and the
    // two pictures together cover no more pixels than each covers.
    long bound = 0;
    for (size_t k = 0; k < coarse.size(); ++k) bound += std::abs(coarse[k] - kept.coarse[k]);
    if (double(bound) / double(std::max(1, covered + kept.covered) * 4) >= best) continue;
    best = std::min(best, pictureDistance(picture, kept.picture));
  }
  return best;
}

void DistinctPictures::keep(const Canvas& picture) {
  bySize_[{picture.width(), picture.height()}].push_back({picture, coarseOf(picture), coveredPixels(picture)});
}

}  // namespace artmaker

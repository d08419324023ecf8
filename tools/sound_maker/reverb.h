#pragma once
// A small room: four damped comb filters in parallel into two all-pass filters, so the music's
// synthesised voices sit in one space. One instance per signal; any thread.

#include <cstddef>
#include <vector>

namespace soundmaker {

class Reverb {
 public:
  // `size` scales the delays (1 is a mid room), `feedback` sets the tail, `damping` its darkness.
  Reverb(int rate, double size, double feedback, double damping);
  double run(double in);

 private:
  struct Line {
    std::vector<double> buffer;
    size_t at = 0;
    double filtered = 0;
  };
  std::vector<Line> combs_;
  std::vector<Line> allpasses_;
  double feedback_;
  double damping_;
};

}  // namespace soundmaker

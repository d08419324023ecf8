#include "engine/window/window_fit.h"

#include <algorithm>

namespace engine {

namespace {

struct Span {
  int start;
  int length;
};

// One axis: the area's start and length, the wanted length, the frame before and after it.
Span fitSpan(int areaStart, int areaLength, int wanted, int before, int after) {
  const int room = areaLength - before - after;
  if (room <= 0) return Span{areaStart + before, std::max(wanted, 1)};
  const int length = std::clamp(wanted, 1, room);
  return Span{areaStart + before + (room - length) / 2, length};
}

}  // namespace

ScreenRect fitWindowToWorkArea(const ScreenRect& workArea, int width, int height,
                               const FrameEdges& frame) {
  const Span across = fitSpan(workArea.x, workArea.width, width, frame.left, frame.right);
  const Span down = fitSpan(workArea.y, workArea.height, height, frame.top, frame.bottom);
  return ScreenRect{across.start, down.start, across.length, down.length};
}

}  // namespace engine

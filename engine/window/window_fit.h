#pragma once
// Where a window that is not full screen goes: inside the monitor's work area (the screen less the
// desktop's panels), so that a window asked for at a size the screen cannot hold still shows all
// of the game. Screen coordinates as the window system counts them: pixels, y downwards.

namespace engine {

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// How far the window system's frame (title bar, borders) reaches past the drawing area.
struct FrameEdges {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The drawing area of a window wanted at width x height: each side at most what the work area
// leaves beside the frame (and at least 1), the framed window centred in the work area. An axis
// on which the work area has no room (a monitor that reports none) keeps the wanted size and puts
// the frame at the work area's edge.
ScreenRect fitWindowToWorkArea(const ScreenRect& workArea, int width, int height,
                               const FrameEdges& frame);

}  // namespace engine

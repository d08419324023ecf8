#pragma once
// The world model's side of the launch: forgets the running world and sizes the visible cell
// window (the running world's mob spawner follows it). The application calls it directly.

class WorldLaunchServices final {
 public:
  // Sets the process's current world to none.
  void clearCurrentWorld();
  // Recomputes the visible columns and rows from the screen layout and the viewportScale option.
  void updateVisibleCellCounts();
};

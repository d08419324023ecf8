#pragma once
// What the launch needs from the world model, which sits above this library: forgetting the
// running world and resizing the window of cells the world view shows. The world model registers
// its implementation at launch; until then the null form does nothing.

#include "engine/base/seam.h"

class WorldServices {
 public:
  virtual ~WorldServices() = default;
  // Sets the process's current world to none.
  virtual void clearCurrentWorld() = 0;
  // Recomputes the visible columns and rows from the screen layout and the viewportScale option.
  virtual void updateVisibleCellCounts() = 0;
};

// Without a world model there is no world to forget and no cell window to size.
class NullWorldServices final : public WorldServices {
 public:
  void clearCurrentWorld() override {}
  void updateVisibleCellCounts() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<WorldServices, NullWorldServices>& worldServicesSeam();
WorldServices& worldServices();
void setWorldServices(WorldServices* services);

#pragma once
// The world model's side of the launch: forgets the running world and sizes the visible cell
// window (the running world's mob spawner follows it). The application registers one with
// setWorldServices.

#include "content/launch/world_services.h"

class WorldLaunchServices final : public WorldServices {
 public:
  void clearCurrentWorld() override;
  void updateVisibleCellCounts() override;
};

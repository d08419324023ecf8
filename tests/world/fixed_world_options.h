#pragma once
// A world's options as a test sets them: each one a plain field, all off to begin with.

#include "world/seams/world_options.h"

class FixedWorldOptions final : public WorldOptions {
 public:
  bool explosivesLock() const override { return explosives; }
  bool worldLock() const override { return world; }
  bool chestLock() const override { return chests; }
  bool shelfLock() const override { return shelves; }
  bool invertToyMechanics() const override { return invertToys; }
  bool keepLastSlotEmpty() const override { return keepLastSlot; }
  bool lessVerboseConsole() const override { return quietConsole; }
  bool openCraftbookRecipe() const override { return craftbook; }
  bool chatSound() const override { return chat; }

  bool explosives = false;
  bool world = false;
  bool chests = false;
  bool shelves = false;
  bool invertToys = false;
  bool keepLastSlot = false;
  bool quietConsole = false;
  bool craftbook = false;
  bool chat = false;
};

#pragma once
// The player's options that a world's rules and the game playing it obey: the locks on what
// other players may do (blasts and released mobs, edits anywhere, chests, shelves), how a toy's
// signal is read, whether the inventory keeps its last quick slot empty, whether the console
// names the tools a block needs, whether a crafting station opens the craft book and whether a
// chat line rings. A world reads them
// through its context, so a test's world or a tool's world decides for itself; the null form
// has every option off. The application binds `PlatformWorldOptions`, which reads the platform
// settings each time. Main thread only.

class WorldOptions {
 public:
  virtual ~WorldOptions() = default;
  // Blasts and released mobs of anyone but the local player are refused.
  virtual bool explosivesLock() const = 0;
  // Every cell is guarded against other players' edits.
  virtual bool worldLock() const = 0;
  // Only the hosting player opens chests and other lockable containers.
  virtual bool chestLock() const = 0;
  // Only the hosting player takes a shelf's display down.
  virtual bool shelfLock() const = 0;
  // A toy's signal works the other way round.
  virtual bool invertToyMechanics() const = 0;
  // The last quick slot is kept out of picking up.
  virtual bool keepLastSlotEmpty() const = 0;
  // The console leaves out which tool a block needs.
  virtual bool lessVerboseConsole() const = 0;
  // A crafting station opens its recipes in the craft book rather than the crafting page.
  virtual bool openCraftbookRecipe() const = 0;
  // A chat line rings the chat sound.
  virtual bool chatSound() const = 0;
};

class NullWorldOptions final : public WorldOptions {
 public:
  bool explosivesLock() const override { return false; }
  bool worldLock() const override { return false; }
  bool chestLock() const override { return false; }
  bool shelfLock() const override { return false; }
  bool invertToyMechanics() const override { return false; }
  bool keepLastSlotEmpty() const override { return false; }
  bool lessVerboseConsole() const override { return false; }
  bool openCraftbookRecipe() const override { return false; }
  bool chatSound() const override { return false; }
};

// The "permissionExplosivesLock", "permissionWorldLock", "permissionChestLock",
// "permissionShelfLock", "invertToyMechanics", "keepLastSlotEmpty", "lessVerboseConsole",
// "openCraftbookRecipe" and "chatSound" settings.
class PlatformWorldOptions final : public WorldOptions {
 public:
  bool explosivesLock() const override;
  bool worldLock() const override;
  bool chestLock() const override;
  bool shelfLock() const override;
  bool invertToyMechanics() const override;
  bool keepLastSlotEmpty() const override;
  bool lessVerboseConsole() const override;
  bool openCraftbookRecipe() const override;
  bool chatSound() const override;
};

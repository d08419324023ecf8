#include "world/seams/world_options.h"

#include "platform/settings/settings.h"

bool PlatformWorldOptions::explosivesLock() const { return kel::options().permissionExplosivesLock; }
bool PlatformWorldOptions::worldLock() const { return kel::options().permissionWorldLock; }
bool PlatformWorldOptions::chestLock() const { return kel::options().permissionChestLock; }
bool PlatformWorldOptions::shelfLock() const { return kel::options().permissionShelfLock; }
bool PlatformWorldOptions::invertToyMechanics() const { return kel::options().invertToyMechanics; }
bool PlatformWorldOptions::keepLastSlotEmpty() const { return kel::options().keepLastSlotEmpty; }
bool PlatformWorldOptions::lessVerboseConsole() const { return kel::options().lessVerboseConsole; }
bool PlatformWorldOptions::openCraftbookRecipe() const { return kel::options().openCraftbookRecipe; }
bool PlatformWorldOptions::chatSound() const { return kel::options().chatSound; }

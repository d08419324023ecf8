#include "world/seams/world_options.h"

#include "platform/settings/settings.h"

bool PlatformWorldOptions::explosivesLock() const { return kel::options().permissionExplosivesLock; }

#include "view/world_draw_scale.h"

#include <algorithm>

#include "platform/settings/settings.h"

float worldDrawScale() { return std::max(1.0f, static_cast<float>(static_cast<int>(kel::options().viewportScale)) - 1.0f); }

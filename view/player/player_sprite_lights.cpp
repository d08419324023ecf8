#include "view/player/player_sprite_lights.h"

#include "view/player/player_sprite.h"

uint16_t PlayerSpriteLights::carriedLightAt(const MapBlock& cell) const { return PlayerSprite::carriedLightAt(cell); }

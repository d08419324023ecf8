#pragma once
// An entity (a mob, a treasure, a fruit ...) as the world model keeps it across calls: one number
// that the entities above resolve while the entity lives and answer null for once it is gone. Ids
// are never given to another entity, so a kept id cannot come to name a different one. The world
// never keeps an entity pointer past the call that handed it out.

#include <cstdint>

using EntityId = uint32_t;
constexpr EntityId kNoEntity = 0;

#pragma once
// The screen shake: a few quick random moves of the camera node, then back to the centre. Only
// one shake runs at a time; one asked for while another runs is dropped, never stacked, so the
// camera always comes back to where it belongs.

#include "engine/base/geometry.h"

namespace engine {
class FiniteTimeAction;
class Node;
}  // namespace engine

// The shake's moves, ending by allowing the next shake; null while a shake runs. Small shakes are
// gentler and quicker.
engine::FiniteTimeAction* makeScreenShakeAction(bool small);

// Runs a shake on the camera node, which then moves back to `centre` (the middle of the screen).
void shakeScreen(engine::Node& camera, engine::Vec2 centre, bool small);

// Allows the next shake again; the world view's teardown calls it, since a shake whose camera is
// gone never ends by itself.
void resetScreenShake();

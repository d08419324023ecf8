#pragma once
// The pace of a held button with an item: the seconds between two of its swings (and two repeats of
// its use), its use interval within reason; an empty hand at the default pace. The player's view
// swings at it, and a host holds a guest's hits on one mob to it.

class Item;

namespace swing_pace {

constexpr float kDefault = 0.25f;  // an empty hand
constexpr float kFastest = 0.1f;
constexpr float kSlowest = 1.0f;

float secondsOf(const Item* item);

}  // namespace swing_pace

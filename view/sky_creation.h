#pragma once
// The running game's sky node: made when a game starts, kept in one process-wide slot until the
// game's teardown.
//
// How the main layer uses this: after building the world layer, `createSky(world)` and add the
// answer at z -1, then `setPhaseTextures(phase, tick)` from the world's clock; `currentSky()`
// for the clock, weather and player hooks; `destroySky()` in the teardown.
//
// Main thread only; needs a current GL context.

class Sky;
class World;

// A plain `Sky` with the lowerSky option on, else an `AdvancedSky`, for the world's planet, with
// the sky folder of the platform, the director's texture cache and window, and the visible row
// count. Replaces (and destroys) a sky made before. Retained by the slot; never null.
Sky* createSky(World& world);
// Null when no game runs.
Sky* currentSky();
// Takes the sky off its parent and lets it go.
void destroySky();

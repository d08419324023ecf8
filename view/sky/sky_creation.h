#pragma once
// The running game's sky node: made when a game starts, kept in one process-wide slot until the
// game's teardown.
//
// How the main layer uses this: after building the world layer, `createSky(world)` and add the
// answer at z -1, then `showSkyPhase` with the world's clock; `destroySky()` in the teardown. The
// game's events reach the sky through the short forms below, each of which does nothing while no
// sky exists: the player events' skyPhase and skyWeather, the game screen's clockStepped, and
// the local player's steps (with the sky shown only while the top row on screen reaches the sky).
//
// Main thread only; needs a current GL context.

#include <cstdint>
#include <string>
#include <vector>

class Sky;
class World;

// A plain `Sky` with the lowerSky option on, else an `AdvancedSky`, for the world's planet, with
// the sky folder of the platform, the director's texture cache and window, and the visible row
// count. Replaces (and destroys) a sky made before. Retained by the slot; never null.
Sky* createSky(World& world);
// The picture files `createSky` will read for the world's planet, as the texture cache is asked
// for them, so they can be made ready beforehand.
std::vector<std::string> skyPictureFiles(const World& world);
// Where the sky pictures are read when no platform names its sky folder (a tool drawing a view).
void setSkyFolderWithoutPlatform(const std::string& folder);
// Null when no game runs.
Sky* currentSky();
// Takes the sky off its parent and lets it go.
void destroySky();

// A game starts or the clock is set: the pictures for the phase (1, 2, 4, 8) and tick within it.
void showSkyPhase(uint32_t phase, uint32_t tickInPhase);
// One step of the world's clock.
void stepSkyClock(uint32_t phase, uint32_t tickInPhase);
// The weather kind changed (0 clear, 1 rain, 2 snow, 3 acid rain).
void showSkyWeather(uint8_t kind);
// A step of the local player: dx half its horizontal velocity, y its height in pixels, row its map
// row, visibleRows the rows on screen. The sky hides below its sky row, unless `skyInView`: a cell
// on screen shows the sky through it (a pit or a cliff open to the sky reaches below the row).
void followPlayerWithSky(float dx, float playerY, int32_t playerRow, int32_t visibleRows, bool skyInView = false);

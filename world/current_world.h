#pragma once
// The process's running world: set while a world is played, none otherwise. The world is owned
// by whoever set it (the game in progress); this only points at it.

class World;

// Null when no world runs.
World* currentWorld();
void setCurrentWorld(World* world);

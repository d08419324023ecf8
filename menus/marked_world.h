#pragma once
// A world whose file was being read when the program last stopped (reading never returned, so
// its marker stayed in the settings) may have a damaged file: the start view puts the world's
// backup back before the worlds are listed. The marker is cleared either way, so a world without
// a backup is not tried again at every launch.
//
// Main thread only.

class WorldStore;

// True when a marked world's backup was put back.
bool restoreMarkedWorld(WorldStore& worlds);

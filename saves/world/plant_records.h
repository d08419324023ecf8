#pragma once
// The plant registry of a world as the world file's sections hold it, and back: every entry with
// its row, cell and kind (a plain plant's stage, a genetic flower's gene word, a tree's growth
// state with one step per live branch), the fruit-bearing cells and the registered leaves, each
// list in cell order. Fruits hanging at the moment of saving are not kept: a restored fruit cell
// starts empty. The world file writes these and restores them once a file has read whole.
// Main thread.

#include "saves/world/world_records.h"

class World;

PlantRecords plantRecordsOf(World& world);
// Appends what the records hold to the world's plant registry; entries the registry cannot hold
// (an unknown row or kind, a tree without its process) are left out.
void restorePlantRecords(World& world, const PlantRecords& records);

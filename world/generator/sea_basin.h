#pragma once
// The sea's basin. The surface profile floods the low ground below the sea line with sources, but
// the ground under it is sparse near the top and caves reach up to it: a source over open air would
// pour into the cave below for ever, as a column of liquid standing in the air, and the sea would
// seep out sideways the same way. So every open cell right under a sea cell or beside one is
// closed with the ground next to it, and the sea lies in a basin as a sea does.
//
// Threads: the generating thread only (see world_generator.h).

#include <vector>

class WorldGenerator;
struct GridPoint;

// Closes the open cells under and beside the sea's cells (the cells the profile made sources).
// Draws no random numbers: a closing cell copies the block of a ground neighbour, else the
// planet's most common ground block.
void closeSeaBasin(WorldGenerator& generator, const std::vector<GridPoint>& seaCells);

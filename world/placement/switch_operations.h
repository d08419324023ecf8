#pragma once
// Flipping switches and toggles, and the circuits' marker decoration: each builds its change as a
// block edit and sends it through the rules it is given, so protection, peers and the world follow.
// Main thread only.

class LogicCells;
class LogicPlayers;
class MapBlock;
class World;
class WorldMap;

// A front block in variant 0 switched on becomes variant 1 (sound 19); in variant 1 switched off
// becomes variant 0 (sound 16); otherwise nothing. The sound plays to the players, the edit goes
// through the cells' rules.
void setSwitchState(LogicPlayers& players, LogicCells& rules, MapBlock& cell, bool on);
// The toggle (block 374) as the front block or as the first decoration holding it: on (sound 17)
// sets variant 1, off (sound 18) variant 0; switching on wakes what rests above.
void setToggleAttachmentState(World& world, MapBlock& cell, bool on);
// Adds the marker decoration (block 127, random variant) to the first free slot, or removes every
// marker decoration.
void setCellDeco127(LogicCells& rules, WorldMap& map, MapBlock& cell, bool add);

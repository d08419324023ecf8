#pragma once
// The script of a played game: one player action a line, blank lines and lines starting with '#'
// skipped. Words are separated by blanks; numbers are decimal.
//
//   walk left N | walk right N   hold the direction for N frames (1/60 s each)
//   walk to X                    walk until the player stands in column X (at most 20 seconds),
//                                jumping where a step is too high, then let it come to rest
//   jump                         jump from the ground, then fall back for 30 frames
//   mine X Y                     break the block of cell (X, Y): front, else back
//   place X Y                    place the held item at cell (X, Y)
//   use X Y                      use the block of cell (X, Y) (a station: stand at it)
//   select N                     select quick slot N (0-9); a joined game tells its host what the
//                                player now holds
//   craft ITEM                   craft the recipe whose result is item id ITEM
//   give ITEM N [WORD]           put N of item id ITEM into the inventory (as the creative
//                                catalogue hands them out: a spawner's WORD names its mob row)
//   shoot X Y                    fire (or cast, or throw) the held item at the centre of cell
//                                (X, Y), as a click with it aimed there does
//   shoot mob                    the same, aimed at the nearest mob within 10 cells
//   reel                         wait for a fish to bite the player's bobber (at most 60
//                                seconds) and reel in at once
//   wait N                       let N seconds of the game pass
//   settle                       let the game run until every dropped item lies still (at most
//                                30 seconds; refused when one still moves then)
//   sleep                        go to bed and sleep until the morning
//   save                         save the world and the character
//   quit                         save, then end the game
//   load                         start the game again from its saved files
//   drop N                       throw the stack of quick slot N (0-9) out in front of the player
//   pickup                       walk to the nearest dropped item within 10 cells, into its
//                                cell, until it is picked up (at most 10 seconds)
//   trade NAME                   (joined) ask the player NAME to trade, as a click on that player
//   accept                       (joined) wait for a request to trade (at most 20 seconds) and
//                                accept it
//   offer N                      (joined) offer the stack of quick slot N in the open trade window
//                                (waiting for the window at most 20 seconds)
//   ready                        (joined) say the trade is ready, again whenever an offer drops
//                                the flag; both ready, it completes: the step waits for the
//                                window to close (at most 20 seconds)
//   last look                    (joined) wait until the host, interrupted, ends the game and says
//                                so to every player (at most 10 minutes); the step's line shows
//                                the world as it was the moment the host said it (last_look.h)
//
// A line that does not parse is refused with its number and the reason; nothing runs then.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace world_tool {

enum class PlayVerb : uint8_t {
  WalkLeft, WalkRight, WalkTo, Jump, Mine, Place, Use, Select, Craft, Give, Shoot, ShootMob, Reel, Wait, Settle, Sleep,
  Save, Quit, Load, Drop, Pickup, Trade, Accept, Offer, Ready, LastLook
};

struct PlayStep {
  PlayVerb verb = PlayVerb::Wait;
  int32_t a = 0;  // frames, column, slot, item id or seconds
  int32_t b = 0;  // row or count
  uint32_t word = 0;  // the given item's word
  std::string name;   // the player asked to trade
  int line = 0;
};

// The steps of the whole script; nullopt with `error` ("line N: ...") when a line does not parse.
std::optional<std::vector<PlayStep>> parsePlayScript(std::string_view text, std::string& error);
// The steps of the script file at `path`; nullopt, the reason printed on `err`, when it cannot be
// read or a line does not parse.
std::optional<std::vector<PlayStep>> readPlayScript(const std::string& path, std::FILE* err);

}  // namespace world_tool

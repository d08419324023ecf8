#pragma once
// Playing the real program through the window's input events, as a person would, for the
// end-to-end tests: keys, typing and clicks as the window system reports them, choosing list rows,
// what the test reads of the running game, and a script of steps run one per frame until each is
// done.

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/geometry.h"
#include "game/inventory/slot_ref.h"
#include "ui/views/game_view.h"

namespace engine {
class Label;
class Node;
}  // namespace engine
class InventorySprite;
class ListView;
class StartView;
class MapBlock;
class PlayerDesktopLocal;

namespace apptest {

// ---- The window's input ----
void press(int key);
void release(int key);
void tap(int key);
void type(const std::string& text);
// The pointer moves to a point of the view (y upwards).
void pointAt(const engine::Vec2& point);
// The left button goes down (GLFW_PRESS) or up (GLFW_RELEASE) where the pointer is.
void leftButton(int action);
// A press and release of the button at a point of the view (y upwards).
void click(const engine::Vec2& point, int button);
// The wheel turned by steps towards the player (negative: away) with the pointer at a point.
void turnWheel(const engine::Vec2& point, int towardsPlayer);

// ---- What the test reads ----
ViewId current();
PlayerDesktopLocal* player();
// The current view when it is a list view, else null.
ListView* currentList();
// Walks the current list to the first row that begins with the text and picks it with Enter.
bool chooseRow(const std::string& prefix);
bool hasRow(const std::string& prefix);
// Opens the text entry of the row that begins with the prefix, erases `erase` characters, types the
// text and enters it; true once the row shows the prefix followed by the text.
bool typeInRow(const std::string& prefix, const std::string& text, int erase);
// Picks "Save and quit" on the pause view once (the first call) and then waits: true once the
// start view is current.
bool saveAndQuitOnce(int& calls);
// The index of the first row of the current list that begins with the text, or -1.
int rowIndex(const std::string& prefix);
// A point over a shown row of the list, found the way the pointer would; false when not shown.
bool pointOverRow(const ListView& view, int row, engine::Vec2& point);
// The view point of a cell's centre, with the player at the window's centre.
engine::Vec2 pointOf(const MapBlock& cell);
// The view point of a spot of the world (pixels, as entities stand), with the player at the centre.
engine::Vec2 pointOfWorld(const engine::Vec2& world);
// How many of the item the player carries in its quick row and backpack.
uint32_t carriedCount(uint16_t id);
// The quick and backpack slots holding the item.
std::vector<SlotRef> slotsHolding(uint16_t id);
// The first of them; the none slot when none holds it.
SlotRef slotOf(uint16_t id);
// The player picks up a new stack of the item.
void give(uint16_t id, uint16_t count);
// The number key that holds a quick slot: 1 to 9, then 0.
int quickKey(uint8_t slot);
// An open cell next to the player, on its row or the one above, with ground under it; null for none.
MapBlock* placeNextToPlayer();
// Takes the quick slot holding the item into hand and right-clicks the cell `placeNextToPlayer`
// finds; the cell, or null when the item is in no quick slot or no cell is free.
MapBlock* placeCarriedNextToPlayer(uint16_t item);
// How many pixels of the square of `half` points around the point the node changes (read with it
// shown, then hidden).
int nodePixels(engine::Node& node, const engine::Vec2& at, int half);
// The labels under the node, at any depth, whose text begins with the prefix.
std::vector<engine::Label*> labelsUnder(engine::Node& node, const std::string& prefix);
// Whether the game's console shows a line that is the text, or one that begins with it.
bool consoleSays(const std::string& text);
bool consoleBegins(const std::string& start);
// How many pixels around a slot sprite's middle its icon changes.
int iconPixels(const InventorySprite& sprite);
// The pixels that the tile window alone draws over the middle of a cell (every other node hidden
// for the reading), as RGBA.
std::vector<unsigned char> tilePixelsAt(const MapBlock& cell);
// How many pixels of two readings of a region differ.
int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);
// The view point of an inventory cell's middle; (-1, -1) while the inventory shows no such cell.
engine::Vec2 inventoryCellPoint(SlotRef slot);
// The pointer presses on the first cell, drags past the threshold and lets go over the second.
void dragInventoryStack(SlotRef from, SlotRef to);
// Whether more than a quarter of a reading's pixels changed.
bool muchChanged(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after);

// ---- The script: one step after the other, each with its limit ----
// The game steps on the fixed clock (fixed_step_clock.h), so a step that waits on the game itself (a
// body reaching its cell, a block breaking under a held button) is limited in frames, which are the
// game's time: 60 frames make one second of it. A step that waits on a worker thread (the world's
// generation or its save) or on a peer's messages cannot count the game's time, which says nothing
// of the worker's progress on a busy machine: it waits on the event itself, bounded by a generous
// wall-clock limit.
struct Step {
  std::string name;
  std::function<bool()> done;  // runs every frame until it answers true
  int frameLimit = 120;
  bool onWorker = false;  // bounded by kWorkerSeconds of wall-clock instead of frameLimit
};
// Far longer than any worker takes on a machine that is busy many times over.
inline constexpr double kWorkerSeconds = 600.0;

// A step that waits on a worker thread or a peer.
Step workerStep(std::string name, std::function<bool()> done);
// A step that opens the inventory with E and steps its pages with Tab until the page is shown.
Step inventoryPageOpened(std::string name, uint8_t page, int frameLimit);
// A step that taps Escape every frame until the view is current: the pause view from the game, the
// game from a view over it.
Step escapedTo(std::string name, ViewId view, int frameLimit = Step{}.frameLimit);
// A step that gives the player a new stack of the item and takes it into hand with its quick
// slot's number key.
Step stackInHand(std::string name, uint16_t id, uint16_t count);

// The steps from the start view into a new world of the smallest size, generated from seed 7, played
// by a new character of the default name, "Player": each step through the menus' rows.
std::vector<Step> intoANewWorld();
// The steps from the running world through the pause view's Save and quit and back into the same
// world with Continue, as the default character; `calls` counts the save's calls.
std::vector<Step> savedQuitAndContinued(int& calls);
// The steps, then more.
std::vector<Step> joined(std::vector<Step> first, const std::vector<Step>& then);
StartView& startView();

// A step that waits steps the game every frame but has only some of its frames drawn: the first
// few, then one in kDrawnWhileWaiting, and always the frame after a step is done. The game's own
// time runs the same whether a frame is drawn or not, and a step that reads pixels draws the frame
// itself (framePixels), so a long wait costs its steps, not the drawing of a large window.
inline constexpr int kDrawnFirst = 3;
inline constexpr int kDrawnWhileWaiting = 10;

class Script {
 public:
  explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {}

  // Tries the current step; every step's frame is read back (RUBBLE_PLAY_PICTURES=<folder> keeps
  // it as <folder>/<step number>.ppm). The program quits after the last.
  void frame();
  bool finished() const { return index_ >= steps_.size() || !failure_.empty(); }
  const std::string& failure() const { return failure_; }
  size_t reached() const { return index_; }
  const std::vector<std::pair<std::string, bool>>& shots() const { return shots_; }

 private:
  std::vector<Step> steps_;
  // Whether the current step has run out of time.
  bool outOfTime();

  // Whether the scene is drawn this frame, as the current step has waited so far.
  void drawOnlyWhatIsNeeded();

  size_t index_ = 0;
  int frames_ = 0;
  int waited_ = 0;  // frames the current step has waited, counted alike on and off the worker
  std::chrono::steady_clock::time_point stepStart_ = std::chrono::steady_clock::now();
  std::string failure_;
  std::vector<std::pair<std::string, bool>> shots_;
};

// Runs the program (with the word, "-safe" unless given) with the script tried every frame and then
// `alsoEachFrame` (when given), and expects a clean exit with every step done.
void playScript(Script& script, const std::function<void()>& alsoEachFrame = {}, const std::string& word = "-safe");

}  // namespace apptest

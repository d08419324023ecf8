#pragma once
// The main view: the world as the main layer draws it, the HUD over it, and the desktop controls
// of play. While it is current a held left button breaks the pointed block over time (with a bar
// of its progress) or swings the held weapon, a held right button repeats its action at the held
// item's pace, and it drives the player's melee swing. A refused action says why, once. The player's body steps with its sprite, on the main
// layer's entity ticks, whichever view is current.
//
// The pointer finds its cell the way the world layer is drawn: the player at the window's centre,
// cells of 30 pixels scaled by the viewport scale.
//
// Main thread only.

#include <bitset>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/base/geometry.h"
#include "engine/input/key_code.h"
#include "ui/views/block_mining.h"
#include "ui/views/game_view.h"

class ConsoleNode;
class Hud;
class Item;
class MapBlock;
class MiningBar;
class PlayerDesktopLocal;

class MainView final : public GameView {
 public:
  // Cells within this many of the player's can be mined, built on and used.
  static constexpr float kReachCells = 8.0f;
  // A cell's side in world pixels.
  static constexpr float kCellPixels = 30.0f;

  MainView();
  ~MainView() override;

  void enter() override;
  void exit() override;
  // Covered by another view: the player stops walking and no button stays held.
  void pause() override;
  // The world and the HUD stay in sight under the views stacked on this one.
  bool drawnWhileCovered() const override { return true; }
  // The HUD is placed for the new window and shows the player again at once.
  void layOut() override;

  // `MainView::refreshCamera`: the HUD's portrait follows the player's health and breath.
  void refreshCamera();
  // One frame of play: dt in seconds.
  void frame(float dt);
  Hud& hud() { return *hud_; }
  // The world view's message console, null without a main layer or before its first world.
  static ConsoleNode* console();
  // `ConsoleNode::addMessage` on that console; dropped without one.
  static void addMessage(const std::string& text, uint8_t kind);

  // ---- Input, from the controls ----
  void keyEvent(engine::KeyCode key, bool released);
  void mouseMoved(const engine::Vec2& point);
  void mouseButton(const engine::Vec2& point, int button, bool released);
  void mouseWheel(float amount);

  // ---- What the controls' state reads ----
  // The world pixel under a window point, and its cell (null outside the map or without a game).
  engine::Vec2 worldPointAt(const engine::Vec2& point) const;
  // The window point where a world pixel is drawn.
  engine::Vec2 windowPointOf(const engine::Vec2& world) const;
  MapBlock* cellAt(const engine::Vec2& point) const;
  // The aim from the player to the pointer in radians; NaN while the pointer does not aim.
  float aimAngle() const { return aim_; }
  // Set while a left button action (mining or a swing) is held.
  bool acting() const { return held_[0]; }
  const BlockMining& mining() const { return mining_; }
  const MiningBar& miningBar() const { return *miningBar_; }

  // ---- Actions on a cell; each false when refused ----
  // Breaks the cell's block at once (the end of the held button's work).
  bool mine(MapBlock& cell);
  bool place(MapBlock& cell);
  bool use(MapBlock& cell);
  // The held item onto the shelf in the cell, at the place the pointer points at.
  bool putOnShelf(MapBlock& cell);
  uint8_t shelfPlaceAt(const MapBlock& cell) const;
  bool askToTrade(const MapBlock& cell);
  void selectQuickSlot(int slot);
  // The held stack leaves the quick row, thrown towards the pointer (or straight ahead).
  bool throwHeld();
  // The held weapon's or rod's projectile towards the pointer; a rod's cast opens the fishing
  // view. False when the held item fires nothing.
  bool shootHeld();

 private:
  PlayerDesktopLocal* player() const;
  // The pace of a held button with the item: its use interval, within reason.
  static float paceOf(const Item* item);
  bool inReach(const MapBlock& cell) const;
  void primaryAction();
  void secondaryAction();
  void swing(PlayerDesktopLocal& player, float dt);
  // One frame of the held left button's work on the pointed cell.
  void mineStep(float dt);
  void stopMining();
  void runStrikeEffect(MapBlock& cell, PlayerDesktopLocal& p);
  // The melee swing starts (its hits and its picture), the body turned towards the aim.
  void startSwing(PlayerDesktopLocal& player);
  void playSwingTowardsAim();
  // Shows the refusal unless it was already shown for this cell while the button is held.
  void refuseOnce(const MapBlock& cell, const char* text);
  // Returns true when the key opened another view.
  bool openViewFor(engine::KeyCode key);
  void moveKey(engine::KeyCode key, bool released);
  // The item's tooltip while the pointer rests on a filled quick slot.
  void showQuickSlotTooltip(const engine::Vec2& point);

  std::unique_ptr<Hud> hud_;
  std::unique_ptr<MiningBar> miningBar_;
  BlockMining mining_;
  int64_t refusedCell_ = -1;  // x << 32 | y of the last refusal shown while the button is held
  engine::Vec2 pointer_;
  float aim_ = std::nanf("");
  bool held_[2] = {false, false};
  // The held left button's press fired (or was told what its shot lacks): holding it mines nothing.
  bool pressShot_ = false;
  float repeat_[2] = {0.0f, 0.0f};  // seconds until a held button acts again
  float swingTime_ = -1.0f;          // seconds into the current swing; below 0 when none runs
  float swingDuration_ = 0.3f;
  bool scheduled_ = false;
  bool tooltipShown_ = false;
  std::bitset<256> pressed_;  // keys that went down while the view listened
};

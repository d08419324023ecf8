#include "tools/world_tool/play_game.h"

#include <cinttypes>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <tuple>
#include <unistd.h>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "content/loader/game_tables_loader.h"
#include "content/planets/planet_def.h"
#include "content/tables/mob_def.h"
#include "engine/base/path_utils.h"
#include "engine/base/random.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "entities/core/cell_operations.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_entity.h"
#include "entities/projectiles/bobber_entity.h"
#include "game/crafting/player_crafting.h"
#include "game/inventory/inventory.h"
#include "game/launch/game_launch_services.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "game/rules/block_use.h"
#include "game/rules/local_logic.h"
#include "game/session/game_local.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "platform/file_handle.h"
#include "saves/launch/local_saves.h"
#include "saves/store/character_store.h"
#include "saves/store/player_entry.h"
#include "saves/store/safe_write.h"
#include "saves/store/save_id.h"
#include "saves/store/world_store.h"
#include "tools/png_writer/png_writer.h"
#include "tools/world_tool/play_script.h"
#include "tools/world_tool/scripted_player.h"
#include "tools/world_tool/tool_character.h"
#include "tools/world_tool/tool_services.h"
#include "tools/world_tool/world_report.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "view/entities/entity_drawing_factory.h"
#include "view/player/player_sprite_lights.h"
#include "view/tiles/tile_refresh.h"
#include "view/world_shot.h"
#include "world/edits/edit_kind.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace world_tool {

namespace {

constexpr float kFrame = 1.0f / 60.0f;
constexpr uint8_t kNewWorldMode = 2;
constexpr uint8_t kSavedWorldMode = 1;
constexpr int kStartFrameLimit = 60 * 600;
constexpr int kSleepFrameLimit = 60 * 60 * 10;
constexpr int kSettleFrameLimit = 60 * 30;
constexpr int32_t kNearCells = 10;
constexpr float kShotSpeed = 8.0f;  // pixels a tick, times the ranged record's speed factor
constexpr int kBiteFrameLimit = 60 * 60;
constexpr uint8_t kHooked = 4;  // the bobber's state once a fish took the bait

class PlayGame final : public ScriptedPlayer {
 public:
  // `root`: the private save folder.
  PlayGame(const ToolArgs& args, std::string root, std::FILE* out, std::FILE* err)
      : args_(args), out_(out), err_(err),
        // As the program gives them: the entities get their sprites when a view is drawn, a
        // player's carried light re-tints the drawn window, and the light map finds the carried
        // lights on the player sprites (none while nothing is drawn).
        services_(ToolServicesSetup{.saveRoot = std::move(root),
                                    .seams = WorldContext{.carriedLights = &carriedLights_,
                                                          .lightBatching = &tileRefresh_,
                                                          .drawings = &entityDrawings_}},
                  out) {
    session_.game().setGenerationSeed(args.seed);
    // The game's own draws (mobs, drops) follow the seed too, so a script plays the same each run.
    engine::randomSeed(args.seed);
  }

  bool prepare(const PlanetDef& planet) {
    if (!prepareCharacter()) return false;
    WorldParams params;
    params.planetId = planet.id;
    params.sizeIndex = args_.sizeIndex;
    saves_.worlds().createEntry(params, 0);
    return begin(kNewWorldMode);
  }

  // The game's view at this moment, drawn as the game draws it, written as a PNG.
  bool shoot() {
    if (args_.shotPath.empty()) return true;
    WorldShot shot;
    std::string error;
    const std::string dataFile = defaultDataFile();
    const std::string graphics = dataFile.substr(0, dataFile.size() - std::string("data.dat").size()) + "gfx";
    if (!captureWorldView(session_.running(), args_.viewWidth, args_.viewHeight, graphics, shot, error)) {
      std::fprintf(err_, "world_tool: no picture of the view: %s\n", error.c_str());
      return false;
    }
    if (!toolpng::writePng(args_.shotPath, shot.width, shot.height, shot.pixels)) {
      std::fprintf(err_, "world_tool: cannot write %s\n", args_.shotPath.c_str());
      return false;
    }
    std::fprintf(out_, "view %dx%d written to %s\n", shot.width, shot.height, args_.shotPath.c_str());
    return true;
  }

  bool run(const std::vector<PlayStep>& steps) {
    for (const PlayStep& step : steps) {
      why_.clear();
      if (!apply(step)) {
        std::fprintf(err_, "world_tool: script line %d refused%s%s\n", step.line, why_.empty() ? "" : ": ",
                     why_.c_str());
        return false;
      }
      report(step.line);
    }
    return true;
  }

 private:
  GameLocal& game() { return session_.game(); }
  PlayerDesktopLocal* player() override { return session_.running().player.get(); }
  World* world() override { return session_.running().world.get(); }
  GamePlayerActions& playedGame() override { return session_.game(); }
  LogicCells& playedRules() override { return session_.rules(); }
  WorldEntities* items() override { return &session_.entities().lists(); }

  bool prepareCharacter() {
    return makeCharacterCurrent(saves_, services_.files(), args_.characterPath,
                                characterName(args_.characterPath, "Player"), err_);
  }

  bool begin(uint8_t mode) {
    // Shared with the completion: a world that arrives after the wait gave up is entered by a later
    // frame's scheduler step, when this function's frame is long gone.
    auto entered = std::make_shared<bool>(false);
    screen_.failed = false;
    game().begin(mode, [entered] { *entered = true; });
    for (int frame = 0; !*entered && !screen_.failed && frame < kStartFrameLimit; ++frame) {
      scheduler().update(kFrame);
      if (!*entered) usleep(1000);
    }
    if (screen_.failed) {
      std::fprintf(err_, "world_tool: the world could not be loaded (start view dialog %d)\n", screen_.dialog);
    } else if (!*entered || player() == nullptr) {
      std::fprintf(err_, "world_tool: the game did not start\n");
    }
    return *entered && player() != nullptr;
  }

  static engine::Scheduler& scheduler() { return *engine::Director::getInstance()->getScheduler(); }

  void frame() override {
    if (PlayerDesktopLocal* p = player()) p->update(1.0f);
    scheduler().update(kFrame);
    // The game's view steps the queued blasts every frame (one step a 60th of a second).
    if (World* w = world()) w->explosions().update(1.0f);
    // The death view's only choice, taken at once: the player comes back as in the game.
    if (PlayerDesktopLocal* p = player(); p != nullptr && p->dead != 0 && game().isStarted()) game().respawn();
  }

  MapBlock* cell(const PlayStep& step) { return world()->map().cellAt(step.a, step.b); }

  bool craft(uint16_t itemId) {
    const CraftDef* recipe = recipeForResult(itemId);
    if (recipe == nullptr) {
      why_ = "no recipe makes item " + std::to_string(itemId);
      return false;
    }
    PlayerCrafting crafting(*player());
    switch (crafting.craft(*recipe)) {
      case CraftOutcome::Made:
      case CraftOutcome::MadeInResult: return true;
      case CraftOutcome::UnknownRecipe: why_ = "no recipe makes item " + std::to_string(itemId); break;
      case CraftOutcome::WrongStation: why_ = "the player stands at no station that makes it"; break;
      case CraftOutcome::MissingIngredients: why_ = "the ingredients are missing"; break;
      case CraftOutcome::NoRoom: why_ = "no room for what it makes"; break;
    }
    return false;
  }

  bool give(uint16_t itemId, int32_t count, uint32_t word) {
    const Item item(itemId, 0, static_cast<uint16_t>(count), -1, word);
    why_ = "item " + std::to_string(itemId) + " is no item of the content, or finds no room";
    return count > 0 && item.definition() != nullptr && player()->pickUpItem(item);
  }

  // The held item aimed at the cell's centre.
  bool shoot(const MapBlock& target) {
    return shootAt({static_cast<float>(target.x) * 30.0f, static_cast<float>(target.y) * 30.0f});
  }

  // The held item aimed at the nearest mob near the player, where it stands now.
  bool shootMob() {
    const MobEntity* mob = nearestMob();
    why_ = "no mob within " + std::to_string(kNearCells) + " cells";
    return mob != nullptr && shootAt({mob->data.x, mob->data.y});
  }

  // The held item aimed at a point at its projectile's speed, the short way round.
  bool shootAt(engine::Vec2 target) {
    PlayerDesktopLocal& p = *player();
    Item* held = p.heldItem();
    why_ = "the held item (" + std::to_string(held != nullptr ? held->id : 0) + ") fires nothing";
    if (held == nullptr || held->isNone()) return false;
    const Logic::ProjectileChoice choice =
        session_.rules().projectileForItem(world()->isCreative() ? 1 : 0, &p, held);
    if (choice.itemId < 0) return false;
    const float dx = world()->map().shortDeltaX(target.x - p.position.x);
    const float dy = target.y - p.position.y;
    const float length = std::hypot(dx, dy);
    const float speed = kShotSpeed * (choice.baseSpeed > 0 ? choice.baseSpeed : 1.0f);
    game().shoot(length > 0 ? dx * speed / length : speed, length > 0 ? dy * speed / length : 0);
    return true;
  }

  // The living mob (not a pet) closest to the player within kNearCells; null for none.
  const MobEntity* nearestMob() {
    const MobEntity* nearest = nullptr;
    float best = 0;
    const MapBlock* playerCell = player()->currentMapBlock();
    const WorldMap& map = world()->map();
    session_.entities().lists().forEach([&](const RealEntity& e) {
      const MobEntity* mob = mobOf(e);
      if (mob == nullptr || e.kind() == EntityKind::Pet || e.data.removed || e.data.cell == nullptr) return;
      if (playerCell == nullptr || !blocksWithinRange(map, *playerCell, *e.data.cell, kNearCells)) return;
      const float distance = std::hypot(map.shortDeltaX(e.data.x - player()->position.x), e.data.y - player()->position.y);
      if (nearest == nullptr || distance < best) {
        nearest = mob;
        best = distance;
      }
    });
    return nearest;
  }

  // As a player watching the float: the moment a fish is hooked, reel in.
  bool reel() {
    const uint32_t id = session_.rules().playerIdOf(player());
    why_ = "no bobber of the player is out";
    for (int waited = 0; waited <= kBiteFrameLimit; ++waited) {
      const BobberEntity* bobber = session_.entities().bobberOf(id);
      if (bobber == nullptr) return false;
      if (bobber->state == kHooked) {
        game().reelIn(0);
        return true;
      }
      why_ = "the bobber is gone before a bite";
      frame();
    }
    why_ = "nothing bit in 60 seconds";
    return false;
  }

  // Dropped items only: mobs wander and projectiles fly whatever the script waits for.
  bool anItemMoves() {
    bool moving = false;
    session_.entities().lists().treasures().forEach([&moving](const RealEntity& e) {
      moving = moving || (e.data.moving && !e.data.frozen && !e.data.removed);
    });
    return moving;
  }

  bool settle() {
    for (int i = 0; i < kSettleFrameLimit && anItemMoves(); ++i) frame();
    if (anItemMoves()) why_ = "an item still moves after 30 seconds";
    return !anItemMoves();
  }

  // The item entities within kNearCells of the player: " ITEMxCOUNT@(X,Y)", '~' after a moving one;
  // then the mobs there: " mob ROW@(X,Y)", and how many live in the world in all; then how many
  // projectiles and bobbers the world holds.
  std::string entitiesNearPlayer() {
    std::string near;
    std::string mobs;
    uint32_t count = 0;
    uint32_t mobsNear = 0;
    uint32_t mobsInWorld = 0;
    const WorldMap& map = world()->map();
    session_.entities().lists().forEach([&](const RealEntity& e) {
      if (e.data.cell == nullptr || e.data.removed) return;
      const MobEntity* mob = mobOf(e);
      mobsInWorld += mob != nullptr;
      const MapBlock* playerCell = player()->currentMapBlock();
      if (playerCell == nullptr || !blocksWithinRange(map, *playerCell, *e.data.cell, kNearCells)) return;
      const std::string at = "@(" + std::to_string(e.data.cell->x) + "," + std::to_string(e.data.cell->y) + ")";
      if (mob != nullptr) {
        ++mobsNear;
        mobs.append(" mob ").append(std::to_string(mob->row().mobId())).append(at);
        return;
      }
      const TreasureEntity* treasure = treasureOf(e);
      if (treasure == nullptr) return;
      ++count;
      near.append(1, ' ').append(std::to_string(treasure->item().id)).append(1, 'x');
      near.append(std::to_string(treasure->item().count)).append(at).append(e.data.moving ? "~" : "");
    });
    uint32_t shots = 0;
    session_.entities().lists().bullets().forEach([&shots](const RealEntity& e) { shots += e.data.removed ? 0 : 1; });
    return " entities " + std::to_string(count) + ":" + near + " mobs " + std::to_string(mobsNear) + " of " +
           std::to_string(mobsInWorld) + ":" + mobs + " shots " + std::to_string(shots);
  }

  bool sleep() {
    game().sleep();
    for (int i = 0; i < kSleepFrameLimit && game().isSleeping(); ++i) frame();
    return !game().isSleeping();
  }

  bool save() {
    bool saved = false;
    game().save([&saved](bool written) { saved = written; });
    saves_.waitForWrites();  // the files are written, and the answer in
    if (!saved) return false;
    bool copied = true;
    if (!args_.savePath.empty()) {
      const WorldEntry* entry = saves_.worlds().current();
      copied = entry != nullptr && copyFileSafely(saves_.worlds().pathOf(entry->fileName), args_.savePath);
    }
    if (!args_.characterPath.empty()) {
      const PlayerEntry* entry = saves_.characters().current();
      copied = copied && entry != nullptr &&
               copyFileSafely(saves_.characters().pathOf(entry->fileName), args_.characterPath);
    }
    return copied;
  }

  bool apply(const PlayStep& step) {
    const bool running = game().isStarted() && world() != nullptr && player() != nullptr;
    if (!running && step.verb != PlayVerb::Load) return false;
    switch (step.verb) {
      case PlayVerb::WalkLeft: return walk(MotionEvent::kLeft, step.a);
      case PlayVerb::WalkRight: return walk(MotionEvent::kRight, step.a);
      case PlayVerb::WalkTo: return walkTo(step.a);
      case PlayVerb::Jump: return jump();
      case PlayVerb::Mine: return cell(step) != nullptr && mine(*cell(step));
      case PlayVerb::Place: return cell(step) != nullptr && place(*cell(step));
      case PlayVerb::Use: return cell(step) != nullptr && game().useBlock(*cell(step), clickedLayer(*cell(step)));
      case PlayVerb::Select: return select(step.a);
      case PlayVerb::Craft: return craft(static_cast<uint16_t>(step.a));
      case PlayVerb::Give: return give(static_cast<uint16_t>(step.a), step.b, step.word);
      case PlayVerb::Shoot: return cell(step) != nullptr && shoot(*cell(step));
      case PlayVerb::ShootMob: return shootMob();
      case PlayVerb::Reel: return reel();
      case PlayVerb::Wait: frames(step.a * 60); return true;
      case PlayVerb::Settle: return settle();
      case PlayVerb::Sleep: return sleep();
      case PlayVerb::Save: return save();
      case PlayVerb::Quit:
        if (!save()) return false;
        game().quit();
        return true;
      case PlayVerb::Load:
        if (running) game().quit();
        return begin(kSavedWorldMode);
      case PlayVerb::Drop: return drop(step.a);
      case PlayVerb::Pickup: return pickup();
      case PlayVerb::Trade:
      case PlayVerb::Accept:
      case PlayVerb::Offer:
      case PlayVerb::Ready:
      case PlayVerb::LastLook: why_ = "there is no other player in a game played alone"; return false;
    }
    return false;
  }

  void report(int line) {
    if (!game().isStarted() || player() == nullptr || world() == nullptr) {
      std::fprintf(out_, "line %d: no game\n", line);
      return;
    }
    const InventorySummary inventory = summarizeInventory(*player()->inventory);
    std::fprintf(out_, "line %d: cell (%u, %u) health %.1f items %u in %u stacks:%s%s checksum %016" PRIx64 "\n",
                 line, player()->cellX, player()->cellY, static_cast<double>(player()->health), inventory.items,
                 inventory.stacks, inventory.stacksText.c_str(), entitiesNearPlayer().c_str(), cellsChecksum(world()->map()));
  }

  const ToolArgs& args_;
  std::FILE* out_;
  std::FILE* err_;
  EntityDrawingFactory entityDrawings_;
  TileRefresh tileRefresh_;
  PlayerSpriteLights carriedLights_;
  ToolServices services_;  // after what its worlds are given: it ends its world first
  LocalSession& session_ = services_.session();
  LocalSaves& saves_ = services_.saves();
  ToolScreen& screen_ = services_.screen();
};

}  // namespace

int runPlay(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  if (!loadGameData(err)) return 1;
  const PlanetDef* planet = findPlanetByName(args.planet);
  if (planet == nullptr) {
    std::fprintf(err, "world_tool: no planet named %s\n", args.planet.c_str());
    return 1;
  }
  const std::optional<std::vector<PlayStep>> steps = readPlayScript(args.scriptPath, err);
  if (!steps) return 1;
  std::string root = (std::filesystem::temp_directory_path() / "world_tool_play_XXXXXX").string();
  if (mkdtemp(root.data()) == nullptr) {
    std::fprintf(err, "world_tool: cannot make a save folder\n");
    return 1;
  }
  int result = 1;
  {
    PlayGame game(args, root, out, err);
    if (game.prepare(*planet) && game.run(*steps) && game.shoot()) result = 0;
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return result;
}

}  // namespace world_tool

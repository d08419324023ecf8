#include "view/main_layer.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string>

#include "view/main_layer_views.h"
#include "engine/base/random.h"
#include "engine/base/ref.h"
#include "engine/render/gl_program_cache.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/world_entities.h"
#include "entities/effects/effect_world.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"
#include "game/player/player_desktop.h"
#include "game/session/running_world.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"
#include "platform/settings/settings.h"
#include "view/atlas/custom_shaders.h"
#include "view/atlas/game_textures.h"
#include "view/console/console_node.h"
#include "view/entities/entity_drawing_factory.h"
#include "view/entities/entity_sprite.h"
#include "view/effects/screen_shake.h"
#include "view/effects/screen_tint.h"
#include "view/entities/particle_sprites.h"
#include "view/overlays/sign_label.h"
#include "view/player/player_sprite_layer.h"
#include "view/sky/sky.h"
#include "view/sky/sky_creation.h"
#include "view/tiles/tile_sprites.h"
#include "view/world_draw_scale.h"
#include "view/world_view_preparation.h"
#include "world/cells/visible_cell_counts.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

MainLayer*& slot() {
  static MainLayer* layer = nullptr;
  return layer;
}

constexpr int kHighlightZ = 21;
constexpr uint8_t kPreviewOpacity = 150;  // see-through: the cell stays readable under the preview
constexpr float kCellPixels = 30.0f;

std::string graphicsFolder() {
  kel::Platform* platform = kel::Platform::instance();
  return platform != nullptr ? platform->folderPath(kel::FOLDER_GRAPHICS) : std::string();
}

// The world's own programs, once for the run.
void compileCustomShaders() {
  if (engine::GLProgramCache::getInstance()->getGLProgram(custom_shader::kFirst) == nullptr) registerCustomShaders();
}

// Where the world view's atlases come from and how they are uploaded.
struct AtlasSource {
  std::string folder;
  bool lowerGraphics = false;
};

AtlasSource atlasSource() { return {graphicsFolder(), kel::options().lowerGraphics}; }

// The window's counts: the process's own once the screen layout was applied, else from the
// director's window.
VisibleCellCounts windowCounts() {
  const VisibleCellCounts& counts = visibleCellCounts();
  if (counts.columns > 0 && counts.rows > 0) return counts;
  const engine::Size size = engine::Director::getInstance()->getWinSize();
  return visibleCellCountsFor(std::max(size.width, size.height), std::min(size.width, size.height),
                              static_cast<int>(kel::options().viewportScale));
}

void dropChildren(engine::Node* node) {
  if (node != nullptr) node->removeAllChildrenWithCleanup();
}

void detach(engine::Node* node) {
  if (node != nullptr && node->getParent() != nullptr) node->getParent()->removeChild(node);
}

}  // namespace

MainLayer::MainLayer() : players_(std::make_unique<PlayerSpriteLayer>()) {}

MainLayer* MainLayer::create() {
  auto* layer = new MainLayer();
  layer->init();
  layer->autorelease();
  return layer;
}

MainLayer* MainLayer::current() { return slot(); }

MainLayer::~MainLayer() {
  teardownWorldView();
  if (loadedTextures_) unloadGameTextures();
  mainLayerViews().detachLayer(this);
  if (slot() == this) slot() = nullptr;
}

bool MainLayer::init() {
  slot() = this;
  engine::randomSeed(static_cast<uint32_t>(std::time(nullptr)));
  setContentSize(engine::Director::getInstance()->getWinSize());
  mainLayerViews().showStartView(this);
  return true;
}

void MainLayer::buildWorldView(RunningWorld& running) {
  teardownWorldView();
  if (running.world == nullptr || running.player == nullptr) return;
  running_ = &running;
  world_ = running.world.get();
  worldSerial_ = world_->serial();
  compileCustomShaders();
  GameTextures& textures = gameTextures();
  if (!textures.loaded) {
    const AtlasSource source = atlasSource();
    loadGameTextures(source.folder, source.lowerGraphics);
    loadedTextures_ = true;
  }

  const VisibleCellCounts counts = windowCounts();
  tiles_ = std::make_unique<TileSprites>(textures.blockBatch, textures.additiveBatch);
  tiles_->rebuildWindow(world_, static_cast<uint16_t>(counts.columns), static_cast<uint16_t>(counts.rows));
  tiles_->setSmoothLighting(kel::options().smoothLighting);
  TileSprites::setCurrent(tiles_.get());

  const engine::Size screen = engine::Director::getInstance()->getWinSize();
  rootNode_ = engine::InnerNode::create();
  rootNode_->setScale(worldDrawScale());
  rootNode_->setPosition(engine::Vec2(screen.width * 0.5f, screen.height * 0.5f));
  addChild(rootNode_, 2, kRootTag);
  if (console_ == nullptr) console_ = ConsoleNode::create();
  addChild(console_, ConsoleNode::kZ);
  worldLayer_ = engine::InnerNode::create();
  rootNode_->addChild(worldLayer_, 2, kRootTag);
  overlayNode_ = engine::InnerNode::create();
  addChild(overlayNode_, 90);
  addWorldBatches();

  // Added first, so the highlight's frame draws over it.
  previewSprite_ = engine::Sprite::createWithTextureRect(textures.blockBatch->getTexture(), engine::Rect(1, 1, 30, 30));
  previewSprite_->setOpacity(kPreviewOpacity);
  previewSprite_->setVisible(false);
  textures.blockBatch->addChild(previewSprite_, kHighlightZ, -1);
  highlightSprite_ =
      engine::Sprite::createWithTextureRect(textures.blockBatch->getTexture(), engine::Rect(1, 1, 30, 30));
  highlightSprite_->setBlendFunc(engine::BlendFunc::ADDITIVE);
  highlightSprite_->setVisible(false);
  textures.blockBatch->addChild(highlightSprite_, kHighlightZ, -1);
  tiles_->setHighlightSprite(highlightSprite_);
  tiles_->setPreviewSprite(previewSprite_);
  attachEntityDrawings();
  attachParticles();
  if (sky_ == nullptr) {
    makeSky();
  } else {
    addChild(sky_, -1);
  }

  rebuildWorldView();
  // After the camera: the local sprite is placed through it.
  players_->build(running, *rootNode_, *worldLayer_);
  getScheduler()->scheduleUpdate(this, false);
}

void MainLayer::prepareWorldView(WorldViewPreparation& preparation) {
  // Compiled now rather than in the frame that enters the world.
  compileCustomShaders();
  const AtlasSource source = atlasSource();
  // The cache holds loaded atlases already: nothing is then prepared.
  preparation.prepareAtlases(gameTextureFiles(source.folder, source.lowerGraphics));
}

void MainLayer::addWorldBatches() {
  GameTextures& t = gameTextures();
  worldLayer_->addChild(t.blockBatch, 1);
  worldLayer_->addChild(t.extraWorldNode, 2);
  for (int i = 0; i < 3; ++i) worldLayer_->addChild(t.particleBatches[i], 3 + i, kEntityBatchTag);
  worldLayer_->addChild(t.dressBatch, 6, kEntityBatchTag);
  worldLayer_->addChild(t.secondTreasureBatch, 7, kEntityBatchTag);
  worldLayer_->addChild(t.bulletBatch, 7, kEntityBatchTag);
  worldLayer_->addChild(t.treasureBatch, 8, kEntityBatchTag);
  worldLayer_->addChild(t.mobNode, 21, kEntityBatchTag);
  worldLayer_->addChild(t.healthBarBatch, 22, kEntityBatchTag);
  worldLayer_->addChild(t.additiveBatch, 23);
  addChild(t.hudLayer, 45, 0);
  addChild(t.iconBatch, 89, 0);
}

void MainLayer::attachEntityDrawings() {
  drawings_ = drawingFactoryOf(*world_);
  EntityDrawingFactory* factory = drawings_;
  if (factory == nullptr) return;
  GameTextures& t = gameTextures();
  factory->setLayers({world_,
                      t.treasureBatch,
                      t.secondTreasureBatch,
                      t.bulletBatch,
                      t.dressBatch,
                      {t.mobNode, t.textures[atlas::kMobs], t.healthBarBatch, t.healthBarBatch->getGLProgramState()}});
  if (WorldEntities* entities = world_->entities()) factory->attachAll(*entities);
}

void MainLayer::detachEntityDrawings() {
  EntityDrawingFactory* factory = drawings_;
  drawings_ = nullptr;
  if (factory == nullptr) return;
  // A world that lives on (a picture taken of it, a loading screen before travel) keeps stepping
  // its entities: their drawings must not point into batches and a frame this view no longer has.
  if (running_ != nullptr && running_->world.get() == world_) {
    if (WorldEntities* entities = world_->entities()) EntityDrawingFactory::detachAll(*entities);
  }
  factory->setLayers({});
}

void MainLayer::attachParticles() {
  const auto& held = gameTextures().particleBatches;
  const ParticleSprites::Batches batches{held[0], held[1], held[2]};
  particles_ = std::make_unique<ParticleSprites>(batches);
  DebrisList* list = effect::particlesOf(*world_);
  if (list == nullptr) return;
  useBlockAtlasForChips(*list);
  // A layer with no batch to draw on makes no particles.
  for (size_t layer = 0; layer < batches.size(); ++layer) {
    list->setLayerOpen(static_cast<DebrisLayer>(layer), batches[layer] != nullptr);
  }
}

void MainLayer::makeSky() {
  Sky* sky = createSky(*world_);
  const auto followSky = [sky](float y) {
    sky->resetLayerX();
    sky->updatePosition(y);
  };
  setSky(sky, followSky, sky->skyRow());
  showSkyPhase(static_cast<uint32_t>(world_->dayClock().phase), world_->dayClock().tickInPhase());
}

ConsoleNode* MainLayer::console() const { return static_cast<ConsoleNode*>(console_.get()); }

void MainLayer::placeCamera() {
  if (worldLayer_ == nullptr || running_ == nullptr || running_->player == nullptr) return;
  const engine::Vec2 at = running_->player->position;
  worldLayer_->setPosition(engine::Vec2(-at.x, -at.y));
}

void MainLayer::rebuildWorldView() {
  if (tiles_ == nullptr || running_ == nullptr || running_->player == nullptr) return;
  const PlayerDesktopLocal& player = *running_->player;
  placeCamera();
  if (followSky_) followSky_(player.position.y);
  tiles_->recentre(static_cast<int32_t>(player.cellX), static_cast<int32_t>(player.cellY));
  // Below its row the sky hides, except where an open cell on screen shows it.
  if (sky_ != nullptr) {
    sky_->setVisible(static_cast<int32_t>(player.cellY) + tiles_->rows() / 2 >= skyRow_ || tiles_->showsSky());
  }
}

void MainLayer::layOutForScreen() {
  const engine::Size screen = engine::Director::getInstance()->getWinSize();
  setContentSize(screen);
  if (!hasWorldView() || worldGone()) return;
  rootNode_->setPosition(engine::Vec2(screen.width * 0.5f, screen.height * 0.5f));
  // The world scale may have changed with the screen (the options set it at once).
  rootNode_->setScale(worldDrawScale());
  fitTileWindow();
  if (Sky* sky = currentSky(); sky != nullptr && sky == sky_) sky->fitScreen(screen, worldDrawScale());
  replaceConsole();
  rebuildWorldView();
  players_->follow();
}

void MainLayer::fitTileWindow() {
  const VisibleCellCounts counts = windowCounts();
  if (counts.columns == tiles_->columns() && counts.rows == tiles_->rows()) return;
  tiles_->rebuildWindow(world_, static_cast<uint16_t>(counts.columns), static_cast<uint16_t>(counts.rows));
}

void MainLayer::replaceConsole() {
  if (console_ == nullptr) return;
  // Its panel sits on this layer, not in the console: it goes first.
  console()->updateBackground(false);
  setConsole(ConsoleNode::create());
}

void MainLayer::restyleConsole() {
  ConsoleNode* old = console();
  if (old == nullptr) return;
  const std::vector<ConsoleNode::ShownLine> lines = old->shownLines();
  replaceConsole();
  if (ConsoleNode* made = console()) made->showLines(lines);
}

void MainLayer::showRemotePlayer(PlayerBase& player) {
  if (!hasWorldView() || worldGone() || !showsWorld(player.world)) return;
  players_->showRemote(player, *worldLayer_);
}

void MainLayer::removeRemotePlayer(const PlayerBase& player) { players_->removeRemote(player); }

PlayerBase* MainLayer::remotePlayerOn(const MapBlock& cell) const { return players_->remoteOn(cell); }

bool MainLayer::showsWorld(const World* world) const {
  return world_ != nullptr && world != nullptr && world->serial() == worldSerial_;
}

bool MainLayer::worldGone() const {
  return running_ == nullptr || !showsWorld(running_->world.get()) || running_->player == nullptr;
}

void MainLayer::visit(engine::Renderer* renderer, const engine::Mat4& parentTransform, uint32_t parentFlags) {
  if (hasWorldView() && worldGone()) teardownWorldView();
  engine::InnerNode::visit(renderer, parentTransform, parentFlags);
}

void MainLayer::update(float dt) {
  if (!hasWorldView()) return;
  if (worldGone()) {
    teardownWorldView();
    return;
  }
  players_->step(dt);
  const PlayerDesktopLocal& player = *running_->player;
  placeCamera();
  tiles_->follow(static_cast<int32_t>(player.cellX), static_cast<int32_t>(player.cellY));
  followWithSkyAndEntities(player.position);
  // Under water, lava or acid the screen takes the liquid's tint.
  showScreenTint(*this, getContentSize(), player.liquidAround().head);
  world_->explosions().update(stepsFor(dt));
  players_->follow();
  if (frameRelight_) {
    frameRelight_ = false;
    tiles_->relightAll();
  }
}

void MainLayer::followWithSkyAndEntities(engine::Vec2 playerAt) {
  // The hills drift by half the player's motion; a jump across the world's seam is no motion.
  const float dx = playerAt.x - lastPlayerX_;
  lastPlayerX_ = playerAt.x;
  if (std::abs(dx) < kCellPixels * 4) {
    followPlayerWithSky(dx * 0.5f, playerAt.y, static_cast<int32_t>(running_->player->cellY), tiles_->rows(),
                        tiles_->showsSky());
  }
  if (drawings_ != nullptr) drawings_->followPlayer(playerAt.x);
  DebrisList* list = effect::particlesOf(*world_);
  if (particles_ == nullptr || list == nullptr) return;
  const WrapFrame wrap{playerAt.x, tiles_->columns(), world_->map().width()};
  particles_->show(*list, wrap);
}

void MainLayer::setSky(engine::Node* sky, std::function<void(float)> followSky, int32_t skyRow) {
  if (sky_ != nullptr) detach(sky_);
  sky_ = sky;
  followSky_ = std::move(followSky);
  skyRow_ = skyRow;
  if (sky_ != nullptr && hasWorldView()) addChild(sky_, -1);
}

void MainLayer::setConsole(engine::Node* console) {
  if (console_ != nullptr) detach(console_);
  console_ = console;
  if (console_ != nullptr && hasWorldView()) addChild(console_, ConsoleNode::kZ);
}

void MainLayer::teardownWorldView() {
  // The window first: it empties the two batches at once instead of sprite by sprite.
  if (TileSprites::current() == tiles_.get()) TileSprites::setCurrent(nullptr);
  tiles_.reset();
  particles_.reset();
  // The sign label is process-wide: forgotten here, or the next world would show the old one.
  SignLabel::forget();
  players_->clear();
  if (!hasWorldView()) return;
  detachEntityDrawings();
  destroySky();
  getScheduler()->unscheduleUpdate(this);
  removeAllChildrenWithCleanup();
  // A shake cut off with its camera never reaches its end, which is what allows the next one.
  resetScreenShake();
  forgetWorldNodes();
  GameTextures& t = gameTextures();
  dropChildren(t.hudLayer);
  dropChildren(t.additiveBatch);
  dropChildren(t.iconBatch);
  dropChildren(t.blockBatch);
  world_ = nullptr;
  worldSerial_ = 0;
  running_ = nullptr;
  frameRelight_ = false;
}

void MainLayer::forgetWorldNodes() {
  for (engine::InnerNode* node : {rootNode_.get(), worldLayer_.get(), overlayNode_.get()}) dropChildren(node);
  rootNode_ = nullptr;
  worldLayer_ = nullptr;
  overlayNode_ = nullptr;
  detach(highlightSprite_);
  highlightSprite_ = nullptr;
  detach(previewSprite_);
  previewSprite_ = nullptr;
  console_ = nullptr;
  sky_ = nullptr;
  followSky_ = nullptr;
}

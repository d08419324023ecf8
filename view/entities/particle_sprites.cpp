#include "view/entities/particle_sprites.h"

#include "content/art/block_atlas_layout.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"
#include "view/entities/entity_sprite.h"

namespace {

DebrisRect blockChipPicture(uint16_t blockId, uint8_t variant) {
  const engine::Rect r = art::blockSpriteRect(blockId, variant);
  return {uint16_t(r.origin.x), uint16_t(r.origin.y), uint16_t(r.size.width), uint16_t(r.size.height)};
}

}  // namespace

void useBlockAtlasForChips(DebrisList& list) { list.setBlockPictures(&blockChipPicture); }

ParticleSprites::~ParticleSprites() {
  for (int layer = 0; layer < 3; ++layer) {
    for (engine::Sprite* sprite : sprites_[layer]) {
      if (sprite->getParent() != nullptr) sprite->getParent()->removeChild(sprite);
    }
  }
}

engine::Sprite* ParticleSprites::next(int layer) {
  engine::SpriteBatchNode* batch = batches_[layer];
  if (batch == nullptr) return nullptr;
  std::vector<engine::Sprite*>& pool = sprites_[layer];
  if (used_[layer] == pool.size()) {
    engine::Sprite* sprite = engine::Sprite::createWithTextureRect(batch->getTexture(), engine::Rect(0, 0, 1, 1));
    batch->addChild(sprite);
    pool.push_back(sprite);
  }
  return pool[used_[layer]++];
}

void ParticleSprites::show(const DebrisList& list, const WrapFrame& wrap) {
  used_ = {};
  for (size_t i = 0; i < list.size(); ++i) {
    const DebrisEntity& particle = list.at(i);
    const DebrisLook& look = particle.look;
    if (!look.visible || particle.data.removed) continue;
    engine::Sprite* sprite = next(static_cast<int>(look.layer));
    if (sprite == nullptr) continue;
    sprite->setTextureRect(engine::Rect(look.rect.x, look.rect.y, look.rect.width, look.rect.height));
    sprite->setPosition(engine::Vec2(wrapToPlayerSide(particle.data.x, wrap), particle.data.y));
    sprite->setScale(look.scale);
    sprite->setRotation(look.rotation);
    sprite->setColor({look.tint.red, look.tint.green, look.tint.blue});
    sprite->setOpacity(look.opacity);
    sprite->setVisible(true);
  }
  for (int layer = 0; layer < 3; ++layer) {
    for (size_t k = used_[layer]; k < sprites_[layer].size(); ++k) sprites_[layer][k]->setVisible(false);
  }
}

#include "view/entities/dyable_sprite.h"

#include "view/entities/entity_tint.h"

DyableSprite* DyableSprite::create(engine::Texture2D* texture, const engine::Rect& rect) {
  auto* sprite = new DyableSprite();
  if (!sprite->initWithTexture(texture, rect)) {
    delete sprite;
    return nullptr;
  }
  sprite->autorelease();
  return sprite;
}

void DyableSprite::setColor(const engine::Color3B& light) {
  lightColour = light;
  engine::Sprite::setColor(dyeOn != 0 ? dyedColour(light, dye) : light);
}

void DyableSprite::setDye(const engine::Color3B& colour) {
  dye = colour;
  dyeOn = 1;
  setColor(lightColour);
}

void DyableSprite::clearDye() {
  dyeOn = 0;
  setColor(lightColour);
}

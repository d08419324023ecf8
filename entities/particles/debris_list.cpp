#include "entities/particles/debris_list.h"

#include "entities/core/entity_body.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_count.h"
#include "world/cells/map_block.h"

void DebrisList::setLayerOpen(DebrisLayer layer, bool open) {
  const auto bit = static_cast<uint8_t>(1u << static_cast<uint8_t>(layer));
  openLayers_ = static_cast<uint8_t>(open ? openLayers_ | bit : openLayers_ & ~bit);
}

bool DebrisList::layerOpen(DebrisLayer layer) const {
  return (openLayers_ & (1u << static_cast<uint8_t>(layer))) != 0;
}

DebrisRect DebrisList::blockPicture(uint16_t blockId, uint8_t variant) const {
  if (pictures_ != nullptr) return pictures_(blockId, variant);
  return {0, 0, 30, 30};
}

DebrisList::DebrisList() { particles_.reserve(DebrisCount::kLiveLimit); }

DebrisList::~DebrisList() { clear(); }

DebrisEntity& DebrisList::add(DebrisEntity* particle) {
  particles_.push_back(particle);
  return *particle;
}

void DebrisList::step() {
  const size_t present = particles_.size();
  for (size_t i = 0; i < present; ++i) {
    DebrisEntity* particle = particles_[i];
    if (!particle->data.removed) particle->update();
  }
  size_t kept = 0;
  for (DebrisEntity* particle : particles_) {
    if (particle->data.removed) {
      delete particle;
    } else {
      particles_[kept++] = particle;
    }
  }
  particles_.resize(kept);
}

void DebrisList::clear() {
  for (DebrisEntity* particle : particles_) delete particle;
  particles_.clear();
}

Body DebrisList::debrisBody(size_t index) const {
  return bodyOf(*particles_[index], BodyGroup::Debris, static_cast<uint32_t>(index));
}

void DebrisList::collectAll(std::vector<Body>& out) const {
  for (size_t i = 0; i < particles_.size(); ++i) out.push_back(debrisBody(i));
}

void DebrisList::collectInCell(const MapBlock& cell, std::vector<Body>& out) const {
  for (size_t i = 0; i < particles_.size(); ++i) {
    if (particles_[i]->data.cell == &cell) out.push_back(debrisBody(i));
  }
}

void DebrisList::push(const Body& body, float strength, float angle) {
  if (body.group != BodyGroup::Debris || body.id >= particles_.size()) return;
  DebrisEntity& particle = *particles_[body.id];
  if (particle.data.removed) return;
  particle.addImpulse(strength, angle, false);
}

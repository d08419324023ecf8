#include "saves/world/world_save_links.h"

namespace {

WorldSaveLinks* registered = nullptr;

}  // namespace

WorldSaveLinks& worldSaveLinks() {
  static NullWorldSaveLinks none;
  return registered != nullptr ? *registered : none;
}

void setWorldSaveLinks(WorldSaveLinks* links) { registered = links; }

#include "saves/world/world_save_links.h"

engine::Seam<WorldSaveLinks, NullWorldSaveLinks>& worldSaveLinksSeam() {
  static engine::Seam<WorldSaveLinks, NullWorldSaveLinks> seam;
  return seam;
}

WorldSaveLinks& worldSaveLinks() { return worldSaveLinksSeam().get(); }

void setWorldSaveLinks(WorldSaveLinks* links) { worldSaveLinksSeam().set(links); }

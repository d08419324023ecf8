#pragma once
// What the application's terminate step needs from the saves, which sit above this library:
// writing the current world and the current character through the safe-write path. The saves
// register their implementation at launch; until then the null form writes nothing.

#include "engine/base/seam.h"

class SaveServices {
 public:
  virtual ~SaveServices() = default;
  // Each refuses to run while another save is running.
  virtual void saveWorld() = 0;
  virtual void saveCharacter() = 0;
};

// Without the saves there is nothing that could write a world or a character.
class NullSaveServices final : public SaveServices {
 public:
  void saveWorld() override {}
  void saveCharacter() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<SaveServices, NullSaveServices>& saveServicesSeam();
SaveServices& saveServices();
// Whether anything but the null form is registered.
bool saveServicesRegistered();
void setSaveServices(SaveServices* services);

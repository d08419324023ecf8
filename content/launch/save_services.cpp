#include "content/launch/save_services.h"

engine::Seam<SaveServices, NullSaveServices>& saveServicesSeam() {
  static engine::Seam<SaveServices, NullSaveServices> seam;
  return seam;
}

SaveServices& saveServices() { return saveServicesSeam().get(); }

void setSaveServices(SaveServices* services) { saveServicesSeam().set(services); }

bool saveServicesRegistered() { return saveServicesSeam().registered(); }

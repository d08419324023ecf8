#include "content/launch/world_services.h"

engine::Seam<WorldServices, NullWorldServices>& worldServicesSeam() {
  static engine::Seam<WorldServices, NullWorldServices> seam;
  return seam;
}

WorldServices& worldServices() { return worldServicesSeam().get(); }

void setWorldServices(WorldServices* services) { worldServicesSeam().set(services); }

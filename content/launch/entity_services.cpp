#include "content/launch/entity_services.h"

engine::Seam<EntityServices, NullEntityServices>& entityServicesSeam() {
  static engine::Seam<EntityServices, NullEntityServices> seam;
  return seam;
}

EntityServices& entityServices() { return entityServicesSeam().get(); }

void setEntityServices(EntityServices* services) { entityServicesSeam().set(services); }

#include "content/launch/entity_services.h"

namespace {
NullEntityServices nullServices;
EntityServices* registered = &nullServices;
}  // namespace

EntityServices& entityServices() { return *registered; }

void setEntityServices(EntityServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

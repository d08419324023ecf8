#include "content/launch/world_services.h"

namespace {
NullWorldServices nullServices;
WorldServices* registered = &nullServices;
}  // namespace

WorldServices& worldServices() { return *registered; }

void setWorldServices(WorldServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

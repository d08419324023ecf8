#include "content/launch/save_services.h"

namespace {
NullSaveServices nullServices;
SaveServices* registered = &nullServices;
}  // namespace

SaveServices& saveServices() { return *registered; }

void setSaveServices(SaveServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

bool saveServicesRegistered() { return registered != &nullServices; }

#include "content/launch/interface_services.h"

namespace {
NullInterfaceServices nullServices;
InterfaceServices* registered = &nullServices;
}  // namespace

InterfaceServices& interfaceServices() { return *registered; }

void setInterfaceServices(InterfaceServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

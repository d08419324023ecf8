#include "content/launch/interface_services.h"

engine::Seam<InterfaceServices, NullInterfaceServices>& interfaceServicesSeam() {
  static engine::Seam<InterfaceServices, NullInterfaceServices> seam;
  return seam;
}

InterfaceServices& interfaceServices() { return interfaceServicesSeam().get(); }

void setInterfaceServices(InterfaceServices* services) { interfaceServicesSeam().set(services); }

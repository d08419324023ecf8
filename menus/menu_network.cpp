#include "menus/menu_network.h"

engine::Seam<MenuNetwork, NullMenuNetwork>& menuNetworkSeam() {
  static engine::Seam<MenuNetwork, NullMenuNetwork> seam;
  return seam;
}

MenuNetwork& menuNetwork() { return menuNetworkSeam().get(); }

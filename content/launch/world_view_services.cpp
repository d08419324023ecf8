#include "content/launch/world_view_services.h"

#include "engine/scene/inner_node.h"

engine::Node* NullWorldViewServices::createMainLayer() { return engine::InnerNode::create(); }

engine::Seam<WorldViewServices, NullWorldViewServices>& worldViewServicesSeam() {
  static engine::Seam<WorldViewServices, NullWorldViewServices> seam;
  return seam;
}

WorldViewServices& worldViewServices() { return worldViewServicesSeam().get(); }

void setWorldViewServices(WorldViewServices* services) { worldViewServicesSeam().set(services); }

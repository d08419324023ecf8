#include "content/launch/world_view_services.h"

#include "engine/scene/inner_node.h"

engine::Node* NullWorldViewServices::createMainLayer() { return engine::InnerNode::create(); }

namespace {
NullWorldViewServices nullServices;
WorldViewServices* registered = &nullServices;
}  // namespace

WorldViewServices& worldViewServices() { return *registered; }

void setWorldViewServices(WorldViewServices* services) {
  registered = services != nullptr ? services : &nullServices;
}

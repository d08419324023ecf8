#pragma once
// How many freed places of a node class of `size` bytes wait to be handed out again: a test that
// looks at where new nodes sit takes those first.

#include <cstddef>

#include "engine/scene/node.h"
#include "tests/support/slab_pool_probe.h"

namespace engine {

struct NodeSlabProbe {
  static size_t freedPlaces(size_t size) { return SlabPoolProbe::freedPlaces(Node::slabs(), size); }
};

}  // namespace engine

#pragma once
// The base of everything a node hands the renderer during the scene visit. Commands are members
// of the nodes that submit them; the renderer keeps pointers only, for one frame.

#include <cstdint>

namespace engine {

class RenderCommand {
 public:
  enum class Type : uint32_t {
    UNKNOWN_COMMAND = 0,
    QUAD_COMMAND = 1,
    CUSTOM_COMMAND = 2,
    BATCH_COMMAND = 3,
  };

  virtual ~RenderCommand() = default;

  Type getType() const { return type_; }
  // The node's global z order when the command was filled. Nothing sorts by it: draw order is
  // submission order, which the node tree already arranges by z.
  float getGlobalOrder() const { return globalOrder_; }

 protected:
  explicit RenderCommand(Type type) : type_(type) {}
  RenderCommand(const RenderCommand&) = default;
  RenderCommand& operator=(const RenderCommand&) = default;

  Type type_ = Type::UNKNOWN_COMMAND;
  float globalOrder_ = 0.0f;
};

}  // namespace engine

#pragma once
// A command that runs an arbitrary drawing function between the renderer's quad batches.

#include <functional>

#include "engine/render/render_command.h"

namespace engine {

class CustomCommand : public RenderCommand {
 public:
  CustomCommand() : RenderCommand(Type::CUSTOM_COMMAND) {}

  void init(float globalOrder) { globalOrder_ = globalOrder; }
  // Runs func when it holds a function; an empty one does nothing.
  void execute() const {
    if (func) func();
  }

  std::function<void()> func;
};

}  // namespace engine

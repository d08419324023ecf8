#pragma once
// Value types of the options that the interface gives meaning to. The settings only store them as
// numbers; the interface code names the values it uses.

#include <cstdint>

namespace kel {

// The scale of the world view or of the interface; 0 asks for the automatic scale.
enum class UIScale : uint8_t {};
// Where an interface element sits on the screen, as the interface's anchor flags.
enum class Anchor : uint32_t {};

}  // namespace kel

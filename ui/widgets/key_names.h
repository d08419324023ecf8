#pragma once
// The name a key is shown by in the help and the key bindings page ("W", "Space", "F1", ...);
// "key <number>" for a key without a name and "none" for an unbound one (0).

#include <cstdint>
#include <string>

std::string keyName(uint32_t keyCode);

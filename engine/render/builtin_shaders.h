#pragma once
// The engine's own GLSL programs (GLSL 1.10/1.20 subset, OpenGL 2.1), keyed by integer.

#include <cstdint>

namespace engine {

enum BuiltinProgramKey : int64_t {
  // Textured, coloured quads in node space (sprite batches).
  PROGRAM_POSITION_TEXTURE_COLOR = 0,
  // Textured, coloured quads already in world space (sprites through the renderer).
  PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP = 1,
  PROGRAM_POSITION_TEXTURE_ALPHA_TEST = 2,
  PROGRAM_POSITION_TEXTURE_ALPHA_TEST_NO_MVP = 3,
  PROGRAM_POSITION_COLOR = 4,
  PROGRAM_POSITION_COLOR_NO_MVP = 5,
  PROGRAM_POSITION_TEXTURE = 6,
  PROGRAM_POSITION_TEXTURE_U_COLOR = 7,
  PROGRAM_POSITION_TEXTURE_A8_COLOR = 8,
  PROGRAM_POSITION_U_COLOR = 9,
  PROGRAM_POSITION_LENGTH_TEXTURE_COLOR = 10,
};

constexpr int BUILTIN_PROGRAM_COUNT = 11;

struct BuiltinProgramSource {
  int64_t key;
  const char* vertexSource;
  const char* fragmentSource;
};

// Rows in key order.
extern const BuiltinProgramSource builtInProgramTable[BUILTIN_PROGRAM_COUNT];

}  // namespace engine

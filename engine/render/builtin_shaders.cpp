#include "engine/render/builtin_shaders.h"

namespace engine {
namespace {

// Vertex stages. Positions arrive as two floats; GL fills z = 0 and w = 1.
const char* const kVertPositionTextureColor = R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
attribute vec4 a_color;
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  v_fragmentColor = a_color;
  v_texCoord = a_texCoord;
}
)";

const char* const kVertPositionTextureColorNoMVP = R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
attribute vec4 a_color;
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  gl_Position = E_PMatrix * a_position;
  v_fragmentColor = a_color;
  v_texCoord = a_texCoord;
}
)";

const char* const kVertPositionColor = R"(
attribute vec4 a_position;
attribute vec4 a_color;
varying vec4 v_fragmentColor;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  v_fragmentColor = a_color;
}
)";

const char* const kVertPositionTexture = R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
varying vec2 v_texCoord;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  v_texCoord = a_texCoord;
}
)";

const char* const kVertPositionUColor = R"(
attribute vec4 a_position;
uniform float u_pointSize;
uniform vec4 u_color;
varying vec4 v_fragmentColor;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  gl_PointSize = u_pointSize;
  v_fragmentColor = u_color;
}
)";

const char* const kVertPositionLengthTextureColor = R"(
attribute vec4 a_position;
attribute vec2 a_texcoord;
attribute vec4 a_color;
varying vec4 v_color;
varying vec2 v_texcoord;
void main() {
  v_color = vec4(a_color.rgb * a_color.a, a_color.a);
  v_texcoord = a_texcoord;
  gl_Position = E_MVPMatrix * a_position;
}
)";

// Fragment stages.
const char* const kFragPositionTextureColor = R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  gl_FragColor = v_fragmentColor * texture2D(E_Texture0, v_texCoord);
}
)";

const char* const kFragPositionTextureAlphaTest = R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
uniform float E_alpha_value;
void main() {
  vec4 texColor = texture2D(E_Texture0, v_texCoord);
  if (texColor.a <= E_alpha_value) discard;
  gl_FragColor = texColor * v_fragmentColor;
}
)";

const char* const kFragVertexColor = R"(
varying vec4 v_fragmentColor;
void main() {
  gl_FragColor = v_fragmentColor;
}
)";

const char* const kFragPositionTexture = R"(
varying vec2 v_texCoord;
void main() {
  gl_FragColor = texture2D(E_Texture0, v_texCoord);
}
)";

const char* const kFragPositionTextureUColor = R"(
uniform vec4 u_color;
varying vec2 v_texCoord;
void main() {
  gl_FragColor = texture2D(E_Texture0, v_texCoord) * u_color;
}
)";

// Glyph pages hold coverage in alpha only.
const char* const kFragPositionTextureA8Color = R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  gl_FragColor = vec4(v_fragmentColor.rgb,
                      v_fragmentColor.a * texture2D(E_Texture0, v_texCoord).a);
}
)";

// A disc of radius 1 around the texture-coordinate origin, transparent outside.
const char* const kFragPositionLengthTextureColor = R"(
varying vec4 v_color;
varying vec2 v_texcoord;
void main() {
  gl_FragColor = v_color * step(0.0, 1.0 - length(v_texcoord));
}
)";

}  // namespace

const BuiltinProgramSource builtInProgramTable[BUILTIN_PROGRAM_COUNT] = {
    {PROGRAM_POSITION_TEXTURE_COLOR, kVertPositionTextureColor, kFragPositionTextureColor},
    {PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP, kVertPositionTextureColorNoMVP,
     kFragPositionTextureColor},
    {PROGRAM_POSITION_TEXTURE_ALPHA_TEST, kVertPositionTextureColor,
     kFragPositionTextureAlphaTest},
    {PROGRAM_POSITION_TEXTURE_ALPHA_TEST_NO_MVP, kVertPositionTextureColorNoMVP,
     kFragPositionTextureAlphaTest},
    {PROGRAM_POSITION_COLOR, kVertPositionColor, kFragVertexColor},
    {PROGRAM_POSITION_COLOR_NO_MVP, kVertPositionTextureColorNoMVP, kFragVertexColor},
    {PROGRAM_POSITION_TEXTURE, kVertPositionTexture, kFragPositionTexture},
    {PROGRAM_POSITION_TEXTURE_U_COLOR, kVertPositionTexture, kFragPositionTextureUColor},
    {PROGRAM_POSITION_TEXTURE_A8_COLOR, kVertPositionTextureColor, kFragPositionTextureA8Color},
    {PROGRAM_POSITION_U_COLOR, kVertPositionUColor, kFragVertexColor},
    {PROGRAM_POSITION_LENGTH_TEXTURE_COLOR, kVertPositionLengthTextureColor,
     kFragPositionLengthTextureColor},
};

}  // namespace engine

#include "view/atlas/custom_shaders.h"

#include "engine/base/log.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"

namespace {

#define PRECISION "#ifdef GL_ES\nprecision lowp float;\n#endif\n"

const char* const kVertProjectionOnly = PRECISION R"(
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

const char* const kVertFull = PRECISION R"(
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

const char* const kVertTextureOnly = PRECISION R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
varying vec2 v_texCoord;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  v_texCoord = a_texCoord;
}
)";

const char* const kFragGrey = PRECISION R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  vec4 c = v_fragmentColor * texture2D(E_Texture0, v_texCoord);
  float l = c.r * 0.21 + c.g * 0.72 + c.b * 0.07;
  gl_FragColor = vec4(l, l, l, c.a);
}
)";

const char* const kFragSilhouette = PRECISION R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  gl_FragColor = vec4(v_fragmentColor.rgb, v_fragmentColor.a * texture2D(E_Texture0, v_texCoord).a);
}
)";

const char* const kVertHealthBar = PRECISION R"(
attribute vec4 a_position;
attribute vec2 a_texCoord;
attribute vec4 a_color;
varying float v_percent;
varying vec2 v_span;
varying vec2 v_texCoord;
varying vec4 v_barColour;
void main() {
  gl_Position = E_MVPMatrix * a_position;
  v_percent = a_color.r;
  v_span = a_color.gb;
  v_texCoord = a_texCoord;
  float green = a_color.r < 0.5 ? 1.0 : 1.0 - (a_color.r - 0.5) * 2.0;
  float red = a_color.r < 0.5 ? a_color.r * 2.0 : 1.0;
  v_barColour = vec4(green, red, 0.0, 0.8);
}
)";

const char* const kFragHealthBar = PRECISION R"(
varying float v_percent;
varying vec2 v_span;
varying vec2 v_texCoord;
varying vec4 v_barColour;
void main() {
  float along = (v_texCoord.x - v_span.x) / (v_span.y - v_span.x);
  gl_FragColor = along < v_percent ? v_barColour : vec4(0.0, 0.0, 0.0, 0.4);
}
)";

const char* const kFragHighlight = PRECISION R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
vec3 rgb2hsv(vec3 c) {
  vec4 K = vec4(0.0, -1.0 / 3.0, 2.0 / 3.0, -1.0);
  vec4 p = mix(vec4(c.bg, K.wz), vec4(c.gb, K.xy), step(c.b, c.g));
  vec4 q = mix(vec4(p.xyw, c.r), vec4(c.r, p.yzx), step(p.x, c.r));
  float d = q.x - min(q.w, q.y);
  float e = 1.0e-10;
  return vec3(abs(q.z + (q.w - q.y) / (6.0 * d + e)), d / (q.x + e), q.x);
}
vec3 hsv2rgb(vec3 c) {
  vec4 K = vec4(1.0, 2.0 / 3.0, 1.0 / 3.0, 3.0);
  vec3 p = abs(fract(c.xxx + K.xyz) * 6.0 - K.www);
  return c.z * mix(K.xxx, clamp(p - K.xxx, 0.0, 1.0), c.y);
}
void main() {
  vec3 hsv = rgb2hsv(v_fragmentColor.rgb);
  vec4 colour = v_fragmentColor * texture2D(E_Texture0, v_texCoord);
  gl_FragColor = vec4(colour.rgb + v_fragmentColor.rgb * hsv.y * hsv.z / 2.5, colour.a);
}
)";

const char* const kFragSkyFade = PRECISION R"(
varying vec2 v_texCoord;
uniform float u_opacity;
void main() {
  gl_FragColor = mix(texture2D(E_Texture0, v_texCoord), texture2D(E_Texture1, v_texCoord), u_opacity);
}
)";

const char* const kFragSkyGraded = PRECISION R"(
varying vec2 v_texCoord;
uniform float u_opacity;
uniform float u_desaturate;
uniform vec3 u_add;
uniform vec3 u_mul;
void main() {
  vec4 c = mix(texture2D(E_Texture0, v_texCoord), texture2D(E_Texture1, v_texCoord), u_opacity);
  vec3 rgb = c.rgb * u_mul;
  float l = dot(vec3(0.2126, 0.7152, 0.0722), rgb);
  rgb = mix(rgb, vec3(l), u_desaturate);
  float l2 = dot(vec3(0.2126, 0.7152, 0.0722), rgb);
  rgb += u_add * l2;
  gl_FragColor = vec4(rgb, c.a);
}
)";

// The frames' alpha marks where liquid is; their colours already hold the depth's darkening.
const char* const kFragLiquid = PRECISION R"(
varying vec4 v_fragmentColor;
varying vec2 v_texCoord;
void main() {
  vec4 t = texture2D(E_Texture0, v_texCoord);
  gl_FragColor = vec4(v_fragmentColor.rgb * t.rgb, t.a > 0.05 ? v_fragmentColor.a : 0.0);
}
)";

#undef PRECISION

struct ProgramSource {
  int64_t key;
  const char* vertex;
  const char* fragment;
};

const ProgramSource kPrograms[] = {
    {custom_shader::kGrey, kVertProjectionOnly, kFragGrey},
    {custom_shader::kSilhouette, kVertProjectionOnly, kFragSilhouette},
    {custom_shader::kHealthBar, kVertHealthBar, kFragHealthBar},
    {custom_shader::kHighlight, kVertFull, kFragHighlight},
    {custom_shader::kSkyFade, kVertTextureOnly, kFragSkyFade},
    {custom_shader::kSkyGraded, kVertTextureOnly, kFragSkyGraded},
    {custom_shader::kLiquid, kVertFull, kFragLiquid},
};

}  // namespace

int registerCustomShaders() {
  int built = 0;
  engine::GLProgramCache* cache = engine::GLProgramCache::getInstance();
  for (const ProgramSource& source : kPrograms) {
    // Compiles both stages, binds the fixed attribute locations, links, reads the attributes and
    // uniforms, deletes the shader objects and locates the samplers.
    engine::GLProgram* program = engine::GLProgram::createWithByteArrays(source.vertex, source.fragment);
    if (program == nullptr) {
      engine::log("custom program %lld did not build", static_cast<long long>(source.key));
      continue;
    }
    cache->addGLProgram(program, source.key);
    ++built;
  }
  return built;
}

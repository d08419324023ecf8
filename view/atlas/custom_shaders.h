#pragma once
// The game's own shader programs, kept in the engine's program cache for the whole process under
// the keys 256-262:
//   256 grey: texel x vertex colour as luminance (0.21, 0.72, 0.07), the texel's alpha;
//   257 silhouette: the vertex colour's rgb with alpha = vertex alpha x texel alpha;
//   258 health bar: the vertex colour carries data (r = the fraction filled, g and b = the texture
//       coordinate span); below the fraction the bar colour (green to red, alpha 0.8), else the
//       background (0, 0, 0, 0.4);
//   259 highlight: texel x vertex colour brightened by the vertex colour's saturation x value;
//   260 sky cross-fade: mix(texture 0, texture 1, u_opacity);
//   261 graded sky: the cross-fade tinted (u_mul), desaturated (u_desaturate) and lit (u_add);
//   262 liquid: texel x vertex colour, opaque wherever the frame holds liquid at all, so a body of
//       liquid hides what lies behind it and looks the same in front of a wall or the sky.
// Main thread only, with a GL context; the engine's own programs exist first.

#include <cstdint>

namespace engine {
class GLProgram;
}

namespace custom_shader {
inline constexpr int64_t kGrey = 256;
inline constexpr int64_t kSilhouette = 257;
inline constexpr int64_t kHealthBar = 258;
inline constexpr int64_t kHighlight = 259;
inline constexpr int64_t kSkyFade = 260;
inline constexpr int64_t kSkyGraded = 261;
inline constexpr int64_t kLiquid = 262;
inline constexpr int64_t kFirst = kGrey;
inline constexpr int64_t kLast = kLiquid;
}  // namespace custom_shader

// Compiles, links and stores the seven programs; answers how many built (a program that fails is
// logged and left out of the cache).
int registerCustomShaders();

#pragma once
// A mirror of the GL state the engine changes most often. Every bind of a program, texture,
// blend, vertex attribute or vertex array goes through these functions, which skip the GL call
// when the state is already current. Code that changes this state behind the cache's back must
// invalidate it afterwards.

#include <cstddef>
#include <cstdint>

namespace engine {

namespace GL {

constexpr int MAX_TEXTURE_UNITS = 16;
constexpr uint32_t NONE = 0xFFFFFFFFu;  // "nothing known" in the cache

// Forgets everything known (and resets the owner's current matrices), so that every next
// request reaches GL. The active texture unit is kept.
void invalidateStateCache();

void useProgram(uint32_t program);
void deleteProgram(uint32_t program);
uint32_t getCurrentProgram();
// Forgets the current program without a GL call (its GL name died with its context).
void forgetProgram(uint32_t program);

void blendFunc(uint32_t sfactor, uint32_t dfactor);
void setBlending(uint32_t sfactor, uint32_t dfactor);
void getBlendFunc(uint32_t* sfactor, uint32_t* dfactor);

void bindTexture2D(uint32_t texture);
void bindTexture2DN(uint32_t textureUnit, uint32_t texture);

void enableVertexAttribs(uint32_t flags);
uint32_t getEnabledVertexAttribs();

void bindVAO(uint32_t vaoId);
uint32_t getBoundVAO();

// Loads the bound GL_ARRAY_BUFFER, by orphaning and mapping where the driver supports mapping.
void uploadArrayBuffer(const void* data, size_t size);
// Points attributes 0, 1 and 2 at the quad vertex layout of the bound GL_ARRAY_BUFFER.
void setQuadVertexPointers();

}  // namespace GL

// Deletes a texture name and forgets it on every unit where it was bound.
void deleteCachedTexture(uint32_t texture);

}  // namespace engine

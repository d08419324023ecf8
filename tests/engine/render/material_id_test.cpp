// Material ids decide which quad commands share a draw call, so they must depend on exactly the
// program, texture and blend, and must not be recomputed when nothing changed.
#include <gtest/gtest.h>
#include <xxhash.h>

#include "engine/render/quad_command.h"

namespace engine {
namespace {

TEST(MaterialId, HashesFourLittleEndianWordsInFieldOrder) {
  const unsigned char bytes[16] = {0x11, 0, 0, 0,     // program 17
                                   0x05, 0x01, 0, 0,  // texture 261
                                   0x02, 0x03, 0, 0,  // GL_SRC_ALPHA
                                   0x03, 0x03, 0, 0};  // GL_ONE_MINUS_SRC_ALPHA
  EXPECT_EQ(QuadCommand::computeMaterialID(17, 261, BlendFunc::ALPHA_NON_PREMULTIPLIED),
            XXH32(bytes, sizeof(bytes), 0));
}

TEST(MaterialId, EachFieldChangesTheId) {
  const uint32_t base = QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_PREMULTIPLIED);
  EXPECT_EQ(base, QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(4, 7, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(3, 8, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_NON_PREMULTIPLIED));
  // Swapping program and texture must not collide: the words are positional.
  EXPECT_NE(base, QuadCommand::computeMaterialID(7, 3, BlendFunc::ALPHA_PREMULTIPLIED));
}

TEST(MaterialId, UnchangedMaterialIsNotRecomputedButChangedOneIs) {
  V2F_C4B_T2F_Quad quad;
  QuadCommand command;
  command.init(0.0f, 5, nullptr, BlendFunc::ALPHA_PREMULTIPLIED, &quad, 1, Mat4::IDENTITY);
  EXPECT_EQ(command.getMaterialGenerationCount(), 1u);
  EXPECT_EQ(command.getMaterialID(),
            QuadCommand::computeMaterialID(0, 5, BlendFunc::ALPHA_PREMULTIPLIED));

  Mat4 moved;
  moved.m[12] = 40.0f;
  command.init(3.0f, 5, nullptr, BlendFunc::ALPHA_PREMULTIPLIED, &quad, 1, moved);
  EXPECT_EQ(command.getMaterialGenerationCount(), 1u);
  EXPECT_EQ(command.getModelView().m[12], 40.0f);
  EXPECT_EQ(command.getGlobalOrder(), 3.0f);

  command.init(3.0f, 6, nullptr, BlendFunc::ALPHA_PREMULTIPLIED, &quad, 1, moved);
  EXPECT_EQ(command.getMaterialGenerationCount(), 2u);
  EXPECT_EQ(command.getMaterialID(),
            QuadCommand::computeMaterialID(0, 6, BlendFunc::ALPHA_PREMULTIPLIED));

  command.init(3.0f, 6, nullptr, BlendFunc::ADDITIVE, &quad, 1, moved);
  EXPECT_EQ(command.getMaterialGenerationCount(), 3u);
}

TEST(MaterialId, CommandWithoutProgramCannotApplyAMaterial) {
  V2F_C4B_T2F_Quad quad;
  QuadCommand command;
  command.init(0.0f, 5, nullptr, BlendFunc::DISABLE, &quad, 1, Mat4::IDENTITY);
  EXPECT_FALSE(command.useMaterial());
}

}  // namespace
}  // namespace engine

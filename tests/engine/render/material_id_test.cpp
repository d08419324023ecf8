// Material ids decide which quad commands share a draw call, so they must depend on exactly the
// program, texture and blend, and must not be recomputed when nothing changed.
#include <gtest/gtest.h>
#include <xxhash.h>

#include "engine/render/quad_command.h"

namespace engine {
namespace {

TEST(MaterialId, EachFieldChangesTheIdInItsOwnPlace) {
  const uint32_t base = QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_PREMULTIPLIED);
  EXPECT_EQ(base, QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(4, 7, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(3, 8, BlendFunc::ALPHA_PREMULTIPLIED));
  EXPECT_NE(base, QuadCommand::computeMaterialID(3, 7, BlendFunc::ALPHA_NON_PREMULTIPLIED));
  // Swapping program and texture must not collide: the words are positional.
  EXPECT_NE(base, QuadCommand::computeMaterialID(7, 3, BlendFunc::ALPHA_PREMULTIPLIED));
  const unsigned char bytes[16] = {3, 0, 0, 0, 7, 0, 0, 0, 1, 0, 0, 0, 3, 3, 0, 0};
  EXPECT_EQ(base, XXH32(bytes, sizeof(bytes), 0));  // four little-endian words in field order
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

  command.init(3.0f, 6, nullptr, BlendFunc::ALPHA_PREMULTIPLIED, &quad, 1, moved);
  EXPECT_EQ(command.getMaterialGenerationCount(), 2u);
  EXPECT_EQ(command.getMaterialID(),
            QuadCommand::computeMaterialID(0, 6, BlendFunc::ALPHA_PREMULTIPLIED));

  command.init(3.0f, 6, nullptr, BlendFunc::ADDITIVE, &quad, 1, moved);
  EXPECT_EQ(command.getMaterialGenerationCount(), 3u);
  EXPECT_FALSE(command.useMaterial());  // no program: nothing to apply
}

}  // namespace
}  // namespace engine

// Material ids decide which quad commands share a draw call, so they must depend on exactly the
// program, texture and blend.
#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace engine

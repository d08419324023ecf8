// An entity sprite's memory is the general heap's, where the sanitizers see it: a sprite never
// released is reported by the leak checker, and one used after its last release by the address
// sanitizer.

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "view/entities/entity_sprite.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

namespace {

// The autorelease pool's list keeps what it held in its spare room: the next entry written over
// the sprite's leaves it unreferenced.
void clearAutoreleased() {
  engine::PoolManager::getCurrentPool()->clear();
  EntitySprite::create(nullptr, engine::Rect(0, 0, 4, 4), nullptr);
}

[[gnu::noipa]] void forgetASprite() {
  engine::PoolManager::getCurrentPool()->clear();
  EntitySprite::create(nullptr, engine::Rect(0, 0, 4, 4), nullptr)->retain();
  clearAutoreleased();
}

// Exits 5 when the process leaked before the sprite was forgotten, 7 when the leak checker
// reports the forgotten sprite, 0 when it does not.
[[noreturn]] void forgetASpriteAndCheckForLeaks() {
  if (__lsan_do_recoverable_leak_check() != 0) _exit(5);
  forgetASprite();
  _exit(__lsan_do_recoverable_leak_check() != 0 ? 7 : 0);
}

[[gnu::noipa]] float xOf(const EntitySprite* sprite) { return sprite->getPosition().x; }

[[noreturn]] void useASpriteAfterItsLastRelease() {
  EntitySprite* sprite = EntitySprite::create(nullptr, engine::Rect(0, 0, 4, 4), nullptr);
  sprite->retain();
  engine::PoolManager::getCurrentPool()->clear();
  sprite->release();
  _exit(xOf(sprite) == 0.0f ? 0 : 1);
}

TEST(EntitySpriteMemoryDeathTest, ALeakedSpriteIsReportedByTheLeakChecker) {
  EXPECT_EXIT(forgetASpriteAndCheckForLeaks(), ::testing::ExitedWithCode(7), "Direct leak");
}

TEST(EntitySpriteMemoryDeathTest, ASpriteUsedAfterItsLastReleaseIsReportedByTheAddressSanitizer) {
  EXPECT_DEATH(useASpriteAfterItsLastRelease(), "heap-use-after-free");
}

}  // namespace
#endif

// An entity sprite's memory is the general heap's, where the sanitizers see it: a sprite never
// released is reported by the leak checker, and one used after its last release by the address
// sanitizer.

#include <gtest/gtest.h>

#include "engine/base/ref.h"
#include "view/entities/entity_sprite.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <thread>

namespace {

// Made, autoreleased, retained once too often and released by the pool's clear: nothing but the
// pool ever pointed at it.
[[gnu::noipa]] void forgetASprite() {
  engine::PoolManager::getCurrentPool()->clear();
  EntitySprite::create(nullptr, engine::Rect(0, 0, 4, 4), nullptr)->retain();
  engine::PoolManager::getCurrentPool()->clear();
}

// Exits 5 when the process leaked before the sprite was forgotten, 7 when the leak checker
// reports the forgotten sprite, 0 when it does not. The sprite is forgotten on a thread of its own,
// joined before the check: what its frames left on its stack is gone with it, so only live memory
// can keep the sprite.
[[noreturn]] void forgetASpriteAndCheckForLeaks() {
  if (__lsan_do_recoverable_leak_check() != 0) _exit(5);
  std::thread(forgetASprite).join();
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

#include "engine/base/ref.h"

#include <algorithm>

namespace engine {

void Ref::release() {
  if (--referenceCount_ == 0) delete this;
}

Ref* Ref::autorelease() {
  PoolManager::getCurrentPool()->addObject(this);
  return this;
}

AutoreleasePool::AutoreleasePool() { managedObjects_.reserve(150); }

void AutoreleasePool::addObject(Ref* object) { managedObjects_.push_back(object); }

void AutoreleasePool::clear() {
  const size_t count = managedObjects_.size();
  // Index, not iterator: a destructor run by a release may append and move the storage.
  for (size_t i = 0; i < count; ++i) managedObjects_[i]->release();
  // The entries added meanwhile move to the front, and every slot they leave is written null
  // before the length drops: the kept room then holds no pointer to a released object, which
  // would make a leaked one look reachable to the leak checker.
  const size_t total = managedObjects_.size();
  std::move(managedObjects_.begin() + static_cast<std::ptrdiff_t>(count), managedObjects_.end(),
            managedObjects_.begin());
  std::fill(managedObjects_.begin() + static_cast<std::ptrdiff_t>(total - count), managedObjects_.end(), nullptr);
  managedObjects_.resize(total - count);
}

bool AutoreleasePool::contains(const Ref* object) const {
  return std::find(managedObjects_.begin(), managedObjects_.end(), object) !=
         managedObjects_.end();
}

AutoreleasePool* PoolManager::getCurrentPool() {
  static AutoreleasePool* pool = new AutoreleasePool();
  return pool;
}

void arrayRemoveAllObjects(Ref** objects, size_t& count) {
  for (size_t i = 0; i < count; ++i) objects[i]->release();
  count = 0;
}

}  // namespace engine

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
  managedObjects_.erase(managedObjects_.begin(),
                        managedObjects_.begin() + static_cast<std::ptrdiff_t>(count));
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

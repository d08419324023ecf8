#include "engine/render/uniform_value_cache.h"

#include <cstring>

namespace engine {
namespace {

// Locations below this are kept by index; drivers number a program's uniforms from 0.
constexpr int32_t kIndexedLocations = 1024;

}  // namespace

std::vector<uint8_t>& UniformValueCache::slot(int32_t location) {
  if (location >= kIndexedLocations) return farLocations_[location];
  const auto index = static_cast<size_t>(location);
  if (index >= byLocation_.size()) byLocation_.resize(index + 1);
  return byLocation_[index];
}

bool UniformValueCache::update(int32_t location, const void* data, size_t size) {
  if (location < 0) return false;
  std::vector<uint8_t>& cached = slot(location);
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (cached.size() == size && std::memcmp(cached.data(), bytes, size) == 0) return false;
  cached.assign(bytes, bytes + size);
  return true;
}

void UniformValueCache::clear() {
  byLocation_.clear();
  farLocations_.clear();
}

}  // namespace engine

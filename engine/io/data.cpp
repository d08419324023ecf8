#include "engine/io/data.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace engine {

const Data Data::Null;

Data::Data(const Data& other) { copy(other.bytes_, other.size_); }

Data::Data(Data&& other) noexcept : bytes_(other.bytes_), size_(other.size_) {
  other.bytes_ = nullptr;
  other.size_ = 0;
}

Data& Data::operator=(const Data& other) {
  if (this != &other) {
    copy(other.bytes_, other.size_);
  }
  return *this;
}

Data& Data::operator=(Data&& other) noexcept {
  if (this != &other) {
    clear();
    bytes_ = other.bytes_;
    size_ = other.size_;
    other.bytes_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

Data::~Data() { clear(); }

void Data::copy(const unsigned char* bytes, int64_t size) {
  clear();
  if (bytes == nullptr || size <= 0) {
    return;
  }
  auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size)));
  if (buffer == nullptr) {
    throw std::bad_alloc();
  }
  std::memcpy(buffer, bytes, static_cast<size_t>(size));
  bytes_ = buffer;
  size_ = size;
}

void Data::fastSet(unsigned char* bytes, int64_t size) {
  if (bytes == bytes_) {
    size_ = bytes == nullptr ? 0 : size;
    return;
  }
  clear();
  bytes_ = bytes;
  size_ = bytes == nullptr ? 0 : size;
}

void Data::clear() {
  std::free(bytes_);
  bytes_ = nullptr;
  size_ = 0;
}

unsigned char* Data::takeBuffer(int64_t* size) {
  unsigned char* buffer = bytes_;
  if (size != nullptr) {
    *size = size_;
  }
  bytes_ = nullptr;
  size_ = 0;
  return buffer;
}

}  // namespace engine

#pragma once
// An owned byte buffer: what whole-file reads hand back. Copies copy the bytes; the buffer is
// allocated with the C allocator, so a caller may take it over with takeBuffer and free() it.

#include <cstdint>

namespace engine {

class Data {
 public:
  // The shared empty value, returned for an empty file name.
  static const Data Null;

  Data() = default;
  Data(const Data& other);
  Data(Data&& other) noexcept;
  Data& operator=(const Data& other);
  Data& operator=(Data&& other) noexcept;
  ~Data();

  unsigned char* getBytes() const { return bytes_; }
  int64_t getSize() const { return size_; }
  bool isNull() const { return bytes_ == nullptr || size_ <= 0; }

  // Copies size bytes from bytes; a null pointer or a size of 0 or less leaves the buffer empty.
  void copy(const unsigned char* bytes, int64_t size);
  // Takes ownership of a buffer from malloc without copying it.
  void fastSet(unsigned char* bytes, int64_t size);
  // Frees the buffer and zeroes the size.
  void clear();
  // Gives the buffer to the caller, who frees it with free(); the object is left empty.
  unsigned char* takeBuffer(int64_t* size);

 private:
  unsigned char* bytes_ = nullptr;
  int64_t size_ = 0;
};

}  // namespace engine

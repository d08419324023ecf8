#include "platform/file_handle.h"

#include <cstring>
#include <utility>

namespace kel {

FileHandle::FileHandle(const std::string& path, int mode) { open(path, mode); }

FileHandle::~FileHandle() { close(); }

FileHandle::FileHandle(FileHandle&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close();
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

const char* FileHandle::modeText(int mode) {
  switch (mode) {
    case READ_WRITE_NEW:
      return "wb+";
    case READ_WRITE_EXISTING:
      return "rb+";
    default:
      return "rb";
  }
}

bool FileHandle::open(const std::string& path, int mode) {
  close();
  // Paths are UTF-8 and so is the file system here: the bytes go through unchanged.
  stream_ = std::fopen(path.c_str(), modeText(mode));
  return stream_ != nullptr;
}

void FileHandle::close() {
  if (stream_ != nullptr) {
    std::fclose(stream_);
    stream_ = nullptr;
  }
}

std::string FileHandle::readToString() {
  if (stream_ == nullptr) {
    return std::string();
  }
  // Read in blocks until the end rather than trusting a size from seeking: a pipe or a file that
  // grows meanwhile must neither fail nor be cut short.
  std::string bytes;
  char block[16384];
  size_t count = 0;
  while ((count = std::fread(block, 1, sizeof block, stream_)) > 0) {
    bytes.append(block, count);
  }
  close();
  const size_t zero = bytes.find('\0');
  if (zero != std::string::npos) {
    bytes.resize(zero);
  }
  return bytes;
}

}  // namespace kel

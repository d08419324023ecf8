#pragma once
// The owning handle of one open file: the save code, the language loader and the content loader
// read and write through it. The stream is closed by the handle's owner, or at the latest when the
// handle goes away, so an early return never leaks an open file.

#include <cstdio>
#include <string>

namespace kel {

class FileHandle {
 public:
  // The opening modes by number, as stored callers pass them; any other number opens for reading.
  enum Mode : int {
    READ = 0,                // "rb"
    READ_WRITE_NEW = 1,      // "wb+": create or truncate, then read and write
    READ_WRITE_EXISTING = 2  // "rb+": read and write a file that must already exist
  };

  FileHandle() = default;
  FileHandle(const std::string& path, int mode);
  ~FileHandle();
  FileHandle(FileHandle&& other) noexcept;
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Opens the UTF-8 path (closing whatever was open before); true when the stream opened.
  bool open(const std::string& path, int mode);
  void close();

  bool isOpen() const { return stream_ != nullptr; }
  explicit operator bool() const { return isOpen(); }
  FILE* stream() const { return stream_; }

  // Reads from the current position to the end and closes the handle. The text ends at the first
  // zero byte, as the text formats that use this never hold one. A closed handle gives "".
  std::string readToString();

  static const char* modeText(int mode);

 private:
  FILE* stream_ = nullptr;
};

}  // namespace kel

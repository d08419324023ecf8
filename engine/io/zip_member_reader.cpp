#include "engine/io/zip_member_reader.h"

#include <minizip/unzip.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace engine {

namespace {

// The archive format's limit: names of this many bytes or more are never found.
constexpr size_t MAX_MEMBER_NAME = 256;
// Deflate cannot expand data by more than about 1032 to 1; a member claiming more is damaged, and
// trusting its size would let a small file ask for gigabytes.
constexpr uint64_t MAX_EXPANSION = 1032;
constexpr uint64_t EXPANSION_SLACK = 1024;
constexpr int METHOD_STORED = 0;

struct ArchiveCloser {
  void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

struct BufferFree {
  void operator()(unsigned char* buffer) const { std::free(buffer); }
};
using Buffer = std::unique_ptr<unsigned char, BufferFree>;

// The member's recorded sizes, held against each other and against the archive's real length:
// its packed bytes lie inside the archive, so a header cannot claim more than the file holds.
bool sizesArePlausible(const unz_file_info& info, uint64_t archiveBytes) {
  const uint64_t packed = info.compressed_size;
  const uint64_t unpacked = info.uncompressed_size;
  if (packed > archiveBytes) {
    return false;
  }
  if (info.compression_method == METHOD_STORED) {
    return packed == unpacked;
  }
  return unpacked <= packed * MAX_EXPANSION + EXPANSION_SLACK;
}

// Reads exactly size bytes of the open member; false on a read error or an early end.
bool readWhole(unzFile archive, unsigned char* buffer, uint64_t size) {
  constexpr uint64_t CHUNK = 1u << 30;
  for (uint64_t done = 0; done < size;) {
    const auto want = static_cast<unsigned>(size - done < CHUNK ? size - done : CHUNK);
    const int got = unzReadCurrentFile(archive, buffer + done, want);
    if (got <= 0) {
      return false;
    }
    done += static_cast<uint64_t>(got);
  }
  return true;
}

Buffer readCurrentMember(unzFile archive, const unz_file_info& info) {
  const uint64_t size = info.uncompressed_size;
  Buffer buffer(static_cast<unsigned char*>(std::malloc(static_cast<size_t>(size))));
  if (!buffer || unzOpenCurrentFile(archive) != UNZ_OK) {
    return nullptr;
  }
  const bool read = readWhole(archive, buffer.get(), size);
  // Closing checks the member's checksum once everything was read.
  const bool closed = unzCloseCurrentFile(archive) == UNZ_OK;
  return read && closed ? std::move(buffer) : nullptr;
}

}  // namespace

unsigned char* readZipMember(const std::string& zipPath, const std::string& memberName,
                             int64_t* size) {
  if (size != nullptr) {
    *size = 0;
  }
  if (zipPath.empty() || memberName.empty() || memberName.size() >= MAX_MEMBER_NAME ||
      std::memchr(memberName.data(), '\0', memberName.size()) != nullptr) {
    return nullptr;
  }
  std::error_code error;
  const uintmax_t archiveBytes = std::filesystem::file_size(zipPath, error);
  if (error) {
    return nullptr;
  }
  const Archive archive(unzOpen(zipPath.c_str()));
  if (!archive) {
    return nullptr;
  }
  constexpr int CASE_SENSITIVE = 1;
  if (unzLocateFile(archive.get(), memberName.c_str(), CASE_SENSITIVE) != UNZ_OK) {
    return nullptr;
  }
  unz_file_info info;
  char foundName[MAX_MEMBER_NAME] = {};
  if (unzGetCurrentFileInfo(archive.get(), &info, foundName, sizeof foundName, nullptr, 0,
                            nullptr, 0) != UNZ_OK ||
      memberName != foundName || info.uncompressed_size == 0 || !sizesArePlausible(info, archiveBytes)) {
    return nullptr;
  }
  Buffer buffer = readCurrentMember(archive.get(), info);
  if (!buffer) {
    return nullptr;
  }
  if (size != nullptr) {
    *size = static_cast<int64_t>(info.uncompressed_size);
  }
  return buffer.release();
}

}  // namespace engine

#include "engine/io/file_utils.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine/base/path_utils.h"
#include "engine/io/os_paths.h"
#include "engine/io/zip_member_reader.h"

namespace engine {

namespace {

FileUtils* instance = nullptr;

std::string& resourcePath() {
  static std::string path;
  return path;
}

std::string withTrailingSlash(std::string path) {
  if (!path.empty() && path.back() != '/') {
    path += '/';
  }
  return path;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Reads a whole plain file into a malloc'ed buffer, with one extra zero byte for text. A read of
// no bytes is an empty result; a short read keeps the bytes that were read.
unsigned char* readWholeFile(const std::string& path, bool text, int64_t* size) {
  *size = 0;
  if (!os::isRegularFile(path)) {
    return nullptr;
  }
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), text ? "rt" : "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
    return nullptr;
  }
  const long length = std::ftell(file.get());
  if (length <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return nullptr;
  }
  const size_t capacity = static_cast<size_t>(length) + (text ? 1 : 0);
  auto* buffer = static_cast<unsigned char*>(std::malloc(capacity));
  if (buffer == nullptr) {
    return nullptr;
  }
  const size_t read = std::fread(buffer, 1, static_cast<size_t>(length), file.get());
  if (read == 0) {
    std::free(buffer);
    return nullptr;
  }
  if (text) {
    buffer[read] = 0;
  }
  *size = static_cast<int64_t>(read);
  return buffer;
}

}  // namespace

FileUtils* FileUtils::getInstance() {
  if (instance == nullptr) {
    instance = new FileUtils();
    if (!instance->init()) {
      delete instance;
      instance = nullptr;
    }
  }
  return instance;
}

void FileUtils::destroyInstance() {
  delete instance;
  instance = nullptr;
}

const std::string& FileUtils::getResourcePath() { return resourcePath(); }

void FileUtils::setResourcePath(const std::string& path) {
  resourcePath() = withTrailingSlash(convertPathFormatToUnixStyle(path));
}

FileUtils::~FileUtils() = default;

bool FileUtils::init() {
  if (resourcePath().empty()) {
    const std::string cwd = os::currentDirectory();
    if (cwd.empty()) {
      return false;
    }
    resourcePath() = withTrailingSlash(cwd);
  }
  defaultResRootPath_ = resourcePath();
  searchPathArray_.push_back(defaultResRootPath_);
  searchResolutionsOrderArray_.push_back("");
  return true;
}

std::string FileUtils::getNewFilename(const std::string& filename) const { return filename; }

bool FileUtils::isAbsolutePath(const std::string& path) const {
  return !path.empty() && path.front() == '/';
}

bool FileUtils::isFileExistInternal(const std::string& fullPath) const {
  if (fullPath.empty()) {
    return false;
  }
  return os::isRegularFile(isAbsolutePath(fullPath) ? fullPath : defaultResRootPath_ + fullPath);
}

std::string FileUtils::getFullPathForDirectoryAndFilename(const std::string& directory,
                                                          const std::string& filename) {
  const std::string path = withTrailingSlash(directory) + filename;
  return isFileExistInternal(path) ? path : std::string();
}

std::string FileUtils::getPathForFilename(const std::string& filename,
                                          const std::string& resolutionDirectory,
                                          const std::string& searchPath) {
  const size_t slash = findLastSlash(filename);
  const size_t fileStart = slash == std::string::npos ? 0 : slash + 1;
  return getFullPathForDirectoryAndFilename(
      searchPath + filename.substr(0, fileStart) + resolutionDirectory, filename.substr(fileStart));
}

std::string FileUtils::searchFullPath(const std::string& filename) {
  const std::string newName = getNewFilename(filename);
  for (const std::string& searchPath : searchPathArray_) {
    for (const std::string& resolution : searchResolutionsOrderArray_) {
      std::string path = getPathForFilename(newName, resolution, searchPath);
      if (!path.empty()) {
        return path;
      }
    }
  }
  return std::string();
}

std::string FileUtils::fullPathForFilename(const std::string& filename) {
  if (filename.empty()) {
    return std::string();
  }
  if (isAbsolutePath(filename)) {
    return filename;
  }
  if (const auto cached = fullPathCache_.find(filename); cached != fullPathCache_.end()) {
    return cached->second;
  }
  std::string path = searchFullPath(filename);
  if (path.empty()) {
    // Unresolved: a later open then fails with the name the caller gave.
    return filename;
  }
  fullPathCache_[filename] = path;
  return path;
}

std::string FileUtils::fullPathFromRelativeFile(const std::string& filename,
                                                const std::string& relativeFile) {
  const size_t slash = findLastSlash(relativeFile);
  const std::string folder =
      slash == std::string::npos ? std::string() : relativeFile.substr(0, slash + 1);
  return folder + getNewFilename(filename);
}

void FileUtils::setSearchResolutionsOrder(const std::vector<std::string>& order) {
  fullPathCache_.clear();
  searchResolutionsOrderArray_.clear();
  bool hasEmpty = false;
  for (const std::string& folder : order) {
    hasEmpty = hasEmpty || folder.empty();
    searchResolutionsOrderArray_.push_back(withTrailingSlash(folder));
  }
  if (!hasEmpty) {
    searchResolutionsOrderArray_.push_back("");
  }
}

void FileUtils::addSearchResolutionsOrder(const std::string& order, bool front) {
  const std::string folder = withTrailingSlash(order);
  if (front) {
    searchResolutionsOrderArray_.insert(searchResolutionsOrderArray_.begin(), folder);
  } else {
    searchResolutionsOrderArray_.push_back(folder);
  }
}

const std::vector<std::string>& FileUtils::getSearchResolutionsOrder() const {
  return searchResolutionsOrderArray_;
}

std::string FileUtils::getWritablePath() const {
  const std::string exe = os::executablePath();
  const size_t slash = findLastSlash(exe);
  const std::string exeFolder = slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
  const std::string appData = os::localAppDataDirectory();
  if (slash == std::string::npos || appData.empty()) {
    return exeFolder;
  }
  const std::string exeName = exe.substr(slash + 1);
  // A name that is all extension (".app") would otherwise give the data folder itself.
  const std::string stem = cutAtLastDot(exeName).empty() ? exeName : cutAtLastDot(exeName);
  const std::string folder = joinPath(appData, stem);
  if (!os::createDirectories(folder)) {
    return exeFolder;
  }
  return withTrailingSlash(folder);
}

void FileUtils::setPopupNotify(bool notify) { popupNotify_ = notify; }

bool FileUtils::isPopupNotify() const { return popupNotify_; }

unsigned char* FileUtils::getFileData(const std::string& filename, int64_t* size) {
  int64_t ignored = 0;
  int64_t* out = size != nullptr ? size : &ignored;
  *out = 0;
  if (filename.empty()) {
    return nullptr;
  }
  const std::string path = fullPathForFilename(filename);
  return readWholeFile(isAbsolutePath(path) ? path : defaultResRootPath_ + path, false, out);
}

Data FileUtils::getDataFromFile(const std::string& filename) {
  Data data;
  int64_t size = 0;
  unsigned char* bytes = getFileData(filename, &size);
  if (bytes != nullptr && size > 0) {
    data.fastSet(bytes, size);
  } else {
    std::free(bytes);
  }
  return data;
}

unsigned char* FileUtils::getFileDataFromZip(const std::string& zipFilePath,
                                             const std::string& filename, int64_t* size) {
  return readZipMember(zipFilePath, filename, size);
}

}  // namespace engine

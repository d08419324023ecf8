#include "engine/render/texture_preload.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>
#include <utility>

#include "engine/base/ref_ptr.h"
#include "engine/base/thread_start.h"
#include "engine/io/file_utils.h"
#include "engine/render/image.h"
#include "engine/render/texture_cache.h"

namespace engine {
namespace {

struct Prepared {
  size_t index = 0;
  RefPtr<Image> picture;  // null: the file did not read or decode
};

std::vector<unsigned char> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

RefPtr<Image> decode(const std::string& path) {
  const std::vector<unsigned char> bytes = readWholeFile(path);
  if (bytes.empty()) return nullptr;
  auto picture = RefPtr<Image>::adopt(new Image());
  if (!picture->initWithPngData(bytes.data(), bytes.size())) return nullptr;
  return picture;
}

}  // namespace

// One start's files: the keys and formats fixed on the main thread, the worker's hand-overs under
// the mutex, the count of files the main thread has dealt with.
struct TexturePreload::Work {
  std::vector<File> files;  // full paths; read-only while the worker runs
  std::mutex mutex;
  std::condition_variable handedOver;
  std::deque<Prepared> ready;
  size_t decoded = 0;  // under the mutex
  size_t dealtWith = 0;
  std::atomic<bool> stopAsked{false};
  std::thread worker;

  void run() {
    for (size_t i = 0; i < files.size() && !stopAsked.load(); ++i) {
      Prepared prepared{i, decode(files[i].path)};
      std::lock_guard<std::mutex> lock(mutex);
      ready.push_back(std::move(prepared));
      ++decoded;
      handedOver.notify_one();
    }
  }

  std::deque<Prepared> take(size_t count) {
    std::lock_guard<std::mutex> lock(mutex);
    std::deque<Prepared> taken;
    while (!ready.empty() && taken.size() < count) {
      taken.push_back(std::move(ready.front()));
      ready.pop_front();
    }
    return taken;
  }

  void waitForAll() {
    std::unique_lock<std::mutex> lock(mutex);
    handedOver.wait(lock, [this] { return decoded == files.size(); });
  }

  void stop() {
    stopAsked = true;
    if (worker.joinable()) worker.join();
  }
};

TexturePreload::TexturePreload(TextureCache& cache) : cache_(cache) {}

TexturePreload::~TexturePreload() {
  if (work_ != nullptr) work_->stop();
}

void TexturePreload::start(const std::vector<File>& files) {
  finish();
  FileUtils* access = FileUtils::getInstance();
  if (access == nullptr) return;
  auto work = std::make_unique<Work>();
  for (const File& file : files) {
    const std::string key = access->fullPathForFilename(file.path);
    if (key.empty() || cache_.getTextureForKey(key) != nullptr) continue;
    work->files.push_back({key, file.format});
  }
  if (work->files.empty()) return;
  work_ = std::move(work);
  work_->worker = engine::startThread([work = work_.get()] { work->run(); });
}

bool TexturePreload::uploadSome(size_t count) {
  if (work_ == nullptr) return true;
  for (Prepared& prepared : work_->take(count)) {
    const File& file = work_->files[prepared.index];
    if (prepared.picture != nullptr) {
      const Texture2D::PixelFormat before = Texture2D::getDefaultAlphaPixelFormat();
      Texture2D::setDefaultAlphaPixelFormat(file.format);
      cache_.addImageForKey(prepared.picture.get(), file.path);
      Texture2D::setDefaultAlphaPixelFormat(before);
    }
    ++work_->dealtWith;
  }
  if (work_->dealtWith < work_->files.size()) return false;
  work_->stop();
  work_.reset();
  return true;
}

void TexturePreload::finish() {
  if (work_ == nullptr) return;
  work_->waitForAll();
  uploadSome(work_->files.size());
}

bool TexturePreload::pending() const { return work_ != nullptr; }

}  // namespace engine

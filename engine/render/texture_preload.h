#pragma once
// Textures made ready before they are asked for, so that no one frame reads, decodes and uploads
// them all. `start` hands a list of PNG files to a worker thread, which reads and decodes them in
// order; the main thread uploads the decoded pictures into a texture cache a few at a time
// (`uploadSome`, once a frame), each under the file's full path, the key `TextureCache::addImage`
// looks up first. A later `addImage` of a prepared file therefore finds its texture at once; a file
// the worker could not read or decode is simply not prepared, and that `addImage` meets the
// failure itself (and whoever asked reports it).
//
// The worker touches only the bytes of its files and the pictures it decodes, which it hands over
// under the preload's own mutex; the texture cache, GL and the file access's path cache stay on
// the main thread. `finish` waits for the worker and uploads what is left: the caller that needs
// the textures now. The destructor asks the worker to stop after its current file and joins it.
//
// Main thread only, with a GL context for the uploads.

#include <memory>
#include <string>
#include <vector>

#include "engine/render/texture2d.h"

namespace engine {

class TextureCache;

class TexturePreload {
 public:
  struct File {
    std::string path;                                        // as `TextureCache::addImage` is given it
    Texture2D::PixelFormat format = Texture2D::PixelFormat::RGBA8888;  // uploaded as
  };

  explicit TexturePreload(TextureCache& cache);
  ~TexturePreload();
  TexturePreload(const TexturePreload&) = delete;
  TexturePreload& operator=(const TexturePreload&) = delete;

  // Prepares the files the cache does not hold yet (a preload under way is finished first). No
  // worker starts when there is nothing to prepare.
  void start(const std::vector<File>& files);
  // Uploads at most `count` decoded pictures; true once every file started has been dealt with.
  bool uploadSome(size_t count);
  // Waits for the worker and uploads every picture left.
  void finish();
  // True from `start` until every file is uploaded or given up.
  bool pending() const;

 private:
  struct Work;
  TextureCache& cache_;
  std::unique_ptr<Work> work_;
};

}  // namespace engine

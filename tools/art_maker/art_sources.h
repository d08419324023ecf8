#pragma once
// What the atlases are drawn from: the content set (assets/content/*.json, the same files the
// content compiler reads), the art recipes and tables (assets/art/*.json) and the language file
// (names of items and mobs, which give many blocks their material). Each file is parsed on first
// use and kept; a missing or malformed file gives null and a message naming it.

#include <map>
#include <memory>
#include <string>

#include <rapidjson/fwd.h>

namespace artmaker {

struct SourceFolders {
  std::string content;   // folder of the content set's JSON files
  std::string art;       // folder of the art recipes
  std::string language;  // the language file
};

class ArtSources {
 public:
  explicit ArtSources(SourceFolders folders);
  ~ArtSources();
  ArtSources(const ArtSources&) = delete;
  ArtSources& operator=(const ArtSources&) = delete;

  // "<content>/<name>.json"; null when missing or not JSON.
  const rapidjson::Document* content(const std::string& name) const;
  // "<art>/<name>.json"; null when missing or not JSON.
  const rapidjson::Document* art(const std::string& name) const;
  const rapidjson::Document* language() const;

  const SourceFolders& folders() const { return folders_; }
  // The message of the last file that could not be read ("" when none failed).
  const std::string& lastError() const { return lastError_; }

 private:
  const rapidjson::Document* load(const std::string& path) const;

  SourceFolders folders_;
  mutable std::map<std::string, std::unique_ptr<rapidjson::Document>> cache_;
  mutable std::string lastError_;
};

}  // namespace artmaker

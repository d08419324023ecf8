#include "tools/art_maker/art_sources.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <fstream>
#include <sstream>

namespace artmaker {

ArtSources::ArtSources(SourceFolders folders) : folders_(std::move(folders)) {}
ArtSources::~ArtSources() = default;

const rapidjson::Document* ArtSources::content(const std::string& name) const {
  return load(folders_.content + "/" + name + ".json");
}

const rapidjson::Document* ArtSources::art(const std::string& name) const {
  return load(folders_.art + "/" + name + ".json");
}

const rapidjson::Document* ArtSources::language() const { return load(folders_.language); }

const rapidjson::Document* ArtSources::load(const std::string& path) const {
  auto found = cache_.find(path);
  if (found != cache_.end()) return found->second.get();
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    lastError_ = path + ": cannot be read";
    cache_[path] = nullptr;
    return nullptr;
  }
  std::stringstream text;
  text << file.rdbuf();
  auto document = std::make_unique<rapidjson::Document>();
  document->Parse(text.str().c_str());
  if (document->HasParseError()) {
    lastError_ = path + ": " + rapidjson::GetParseError_En(document->GetParseError()) + " at byte " +
                 std::to_string(document->GetErrorOffset());
    document.reset();
  }
  const rapidjson::Document* result = document.get();
  cache_[path] = std::move(document);
  return result;
}

}  // namespace artmaker

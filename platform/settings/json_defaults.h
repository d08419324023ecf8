#pragma once
// The settings store kept as one JSON object in memory and written to "settings.json". A file that
// cannot be read is moved aside at load ("settings.damaged") and the defaults written in its place;
// one that cannot be moved is never written over. A file that reads but holds a damaged list (an
// element that is no string) keeps what reads, and a copy of it as it was goes aside the same way.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/settings/defaults_bridge.h"

namespace kel {

class JsonDefaults : public DefaultsBridge {
 public:
  // Gives the settings file's path; asked again at every load and save, so the platform can
  // hand in its file system's answer.
  using PathSource = std::function<std::string()>;

  // Uses settings_file::defaultPath().
  JsonDefaults();
  explicit JsonDefaults(PathSource settingsPath);
  ~JsonDefaults() override;
  JsonDefaults(const JsonDefaults&) = delete;
  JsonDefaults& operator=(const JsonDefaults&) = delete;

  bool has(const std::string& key) const override;
  void setStringList(const std::string& key, const std::vector<std::string>& values) override;
  void setString(const std::string& key, const std::string& value) override;
  void setFloat(const std::string& key, float value) override;
  void setInt(const std::string& key, int32_t value) override;
  void setBool(const std::string& key, bool value) override;
  bool getBool(const std::string& key) const override;
  int32_t getInt(const std::string& key) const override;
  float getFloat(const std::string& key) const override;
  std::string getString(const std::string& key) const override;
  std::vector<std::string> getStringList(const std::string& key) const override;
  void remove(const std::string& key) override;
  void clear() override;
  bool save() override;
  void load() override;
  StoredType typeOf(const std::string& key) const override;

  // The document as it would be written: pretty-printed, four-blank indent, numbers with a
  // fraction in "%g" form.
  std::string toText() const;
  // Replaces the entries by the text; a text that is not a JSON object gives an empty store, and
  // false (an empty text is no damage: a store with nothing in it); one with a damaged list keeps
  // what reads, and false.
  bool loadText(const std::string& text);
  // The same, telling a text that reads whole, one whose lists lost a damaged element (the rest
  // is kept) and one that does not read at all (the store is left empty).
  enum class TextState { Whole, PartlyDamaged, Unreadable };
  TextState readText(const std::string& text);
  DamagedSettingsFile damagedFile() const override { return damaged_; }
  std::size_t size() const;

 private:
  struct Document;
  std::unique_ptr<Document> document_;
  PathSource settingsPath_;
  DamagedSettingsFile damaged_;
};

}  // namespace kel

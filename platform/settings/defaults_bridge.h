#pragma once
// The persistent key-value store of the game. Options, the marked world, the last character and
// similar single values live here between runs; the platform hands out the one store of the process.

#include <cstdint>
#include <string>
#include <vector>

namespace kel {

// What a stored entry holds, so a reader can tell a value of the wrong kind from a real one.
enum class StoredType {
  missing,
  boolean,
  integer,     // a number that fits a signed 32-bit integer
  number,      // any other number
  string,
  stringList,  // an array whose elements are all strings (a store drops damaged elements at load)
  other,
};

// A settings file that could not be read at the last load: the defaults are used instead, and the
// file is kept aside beside them so that what it held is not lost.
struct DamagedSettingsFile {
  std::string path;
  std::string keptAs;  // where it was moved; empty when it could not be, and then it is not written over
  // Only some entries were damaged (a list with an element that is no string): what read is used
  // and written back, and `keptAs` holds a copy of the file as it was.
  bool keptWhatRead = false;
};

class DefaultsBridge {
 public:
  virtual ~DefaultsBridge() = default;

  virtual bool has(const std::string& key) const = 0;
  virtual void setStringList(const std::string& key, const std::vector<std::string>& values) = 0;
  virtual void setString(const std::string& key, const std::string& value) = 0;
  virtual void setFloat(const std::string& key, float value) = 0;
  virtual void setInt(const std::string& key, int32_t value) = 0;
  virtual void setBool(const std::string& key, bool value) = 0;

  // A member of another type than asked for reads as that type's neutral value (false, 0, 0.0,
  // the empty string or list), exactly as a missing member does.
  virtual bool getBool(const std::string& key) const = 0;
  virtual int32_t getInt(const std::string& key) const = 0;
  virtual float getFloat(const std::string& key) const = 0;
  virtual std::string getString(const std::string& key) const = 0;
  virtual std::vector<std::string> getStringList(const std::string& key) const = 0;

  virtual void remove(const std::string& key) = 0;
  virtual void clear() = 0;

  // Writes every entry to the backing file; false when the file could not be written (the entries
  // in memory are kept either way).
  virtual bool save() = 0;
  // Replaces every entry by the backing file's content; a missing or damaged file gives an empty store.
  virtual void load() = 0;
  // The backing file the last load found damaged; an empty path when it was whole or missing.
  virtual DamagedSettingsFile damagedFile() const { return {}; }

  // The kind of value stored under the key (StoredType::missing when there is none).
  virtual StoredType typeOf(const std::string& key) const = 0;
};

}  // namespace kel

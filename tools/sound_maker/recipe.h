#pragma once
// A sound's recipe: one line of a recipe file, "<name> <family> key=value ...". A value is a
// number or a word. The family's generator reads what it needs with defaults; any key it never
// reads is reported, so a misspelt parameter cannot pass unseen. '#' starts a comment.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace soundmaker {

class Recipe {
 public:
  Recipe(std::string name, std::string family) : name_(std::move(name)), family_(std::move(family)) {}

  const std::string& name() const { return name_; }
  const std::string& family() const { return family_; }
  int line = 0;

  void set(const std::string& key, const std::string& value) { values_[key] = value; }
  // "name family key=value ..." with the keys in order: equal texts make equal sounds.
  std::string text() const;
  // The number given for the key, or the fallback; a word where a number belongs is an error.
  double number(const std::string& key, double fallback) const;
  std::string word(const std::string& key, const std::string& fallback) const;
  // Notes a value that is no choice the generator knows; reported with the other problems.
  void complain(const std::string& problem) const { complaints_.push_back(problem); }
  // The keys given but never read, and the keys whose value was no number: both are mistakes.
  std::vector<std::string> problems() const;

 private:
  std::string name_;
  std::string family_;
  std::map<std::string, std::string> values_;
  mutable std::set<std::string> read_;
  mutable std::set<std::string> notNumbers_;
  mutable std::vector<std::string> complaints_;
};

// Every recipe of the text, or none and an error naming the line.
std::optional<std::vector<Recipe>> parseRecipes(const std::string& text, std::string& error);

}  // namespace soundmaker

#include "tools/sound_maker/recipe.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace soundmaker {

double Recipe::number(const std::string& key, double fallback) const {
  read_.insert(key);
  const auto found = values_.find(key);
  if (found == values_.end()) return fallback;
  const char* text = found->second.c_str();
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || errno != 0) {
    notNumbers_.insert(key);
    return fallback;
  }
  return value;
}

std::string Recipe::word(const std::string& key, const std::string& fallback) const {
  read_.insert(key);
  const auto found = values_.find(key);
  return found == values_.end() ? fallback : found->second;
}

std::string Recipe::text() const {
  std::string out = name_ + " " + family_;
  for (const auto& [key, value] : values_) out += " " + key + "=" + value;
  return out;
}

std::vector<std::string> Recipe::problems() const {
  std::vector<std::string> found;
  for (const auto& [key, value] : values_) {
    if (!read_.contains(key)) found.push_back("unknown parameter " + key);
  }
  for (const std::string& key : notNumbers_) found.push_back(key + " is not a number");
  found.insert(found.end(), complaints_.begin(), complaints_.end());
  return found;
}

std::optional<std::vector<Recipe>> parseRecipes(const std::string& text, std::string& error) {
  std::vector<Recipe> recipes;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string name;
    std::string family;
    if (!(words >> name)) continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (!(words >> family) || family.find('=') != std::string::npos) {
      error = where + name + " has no family";
      return std::nullopt;
    }
    Recipe recipe(name, family);
    recipe.line = number;
    for (std::string pair; words >> pair;) {
      const size_t equals = pair.find('=');
      if (equals == std::string::npos || equals == 0 || equals + 1 == pair.size()) {
        error = where + "\"" + pair + "\" is not key=value";
        return std::nullopt;
      }
      recipe.set(pair.substr(0, equals), pair.substr(equals + 1));
    }
    recipes.push_back(std::move(recipe));
  }
  return recipes;
}

}  // namespace soundmaker

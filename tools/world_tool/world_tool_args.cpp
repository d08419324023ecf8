#include "tools/world_tool/world_tool_args.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <map>

#include "world/map/world_params.h"

namespace world_tool {

namespace {

template <typename T>
bool parseNumber(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && at == end;
}

// "WIDTHxHEIGHT", each 16 to 8192.
bool parseViewSize(const std::string& text, int& width, int& height) {
  const size_t cross = text.find('x');
  if (cross == std::string::npos) return false;
  int w = 0;
  int h = 0;
  if (!parseNumber(text.substr(0, cross), w) || !parseNumber(text.substr(cross + 1), h)) return false;
  if (w < 16 || h < 16 || w > 8192 || h > 8192) return false;
  width = w;
  height = h;
  return true;
}

// The "--name value" pairs from `first` on; false with `error` set for a name without a value.
bool optionPairs(const std::vector<std::string>& args, size_t first, std::map<std::string, std::string>& options,
                 std::string& error) {
  for (size_t i = first; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) {
      error = args[i] + " needs a value";
      return false;
    }
    options[args[i]] = args[i + 1];
  }
  return true;
}

bool onlyKnown(const std::map<std::string, std::string>& options, const std::vector<std::string>& known,
               std::string& error) {
  for (const auto& [name, value] : options) {
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      error = "unknown option " + name;
      return false;
    }
  }
  return true;
}

std::optional<ToolArgs> parseGenerate(const std::map<std::string, std::string>& options, std::string& error,
                                      bool play) {
  const std::vector<std::string> known =
      play ? std::vector<std::string>{"--planet", "--size", "--seed", "--script", "--character", "--save", "--shot",
                                      "--view"}
           : std::vector<std::string>{"--planet", "--size", "--seed", "--png", "--save"};
  if (!onlyKnown(options, known, error)) return std::nullopt;
  if (play && (!options.count("--script") || options.at("--script").empty())) {
    error = "play needs --script FILE";
    return std::nullopt;
  }
  if (!options.count("--planet") || options.at("--planet").empty() || !options.count("--size") ||
      !options.count("--seed")) {
    error = "--planet, --size and --seed are required";
    return std::nullopt;
  }
  ToolArgs out;
  out.planet = options.at("--planet");
  unsigned index = 0;
  if (!parseNumber(options.at("--size"), index) || index >= static_cast<unsigned>(kWorldSizeCount)) {
    error = "--size takes 0 to 4";
    return std::nullopt;
  }
  out.sizeIndex = static_cast<uint8_t>(index);
  if (!parseNumber(options.at("--seed"), out.seed)) {
    error = "--seed takes a whole number";
    return std::nullopt;
  }
  if (options.count("--png")) out.pngPath = options.at("--png");
  if (options.count("--save")) out.savePath = options.at("--save");
  if (play) {
    out.command = Command::Play;
    out.scriptPath = options.at("--script");
    if (options.count("--character")) out.characterPath = options.at("--character");
    if (options.count("--shot")) out.shotPath = options.at("--shot");
    if (options.count("--view") && !parseViewSize(options.at("--view"), out.viewWidth, out.viewHeight)) {
      error = "--view takes WIDTHxHEIGHT, each 16 to 8192";
      return std::nullopt;
    }
  }
  return out;
}

// host: the generate options and where to listen, for how long, with how many players.
std::optional<ToolArgs> parseHost(const std::map<std::string, std::string>& options, std::string& error) {
  if (!onlyKnown(options, {"--planet", "--size", "--seed", "--port", "--limit", "--seconds", "--save", "--listen"}, error)) {
    return std::nullopt;
  }
  std::map<std::string, std::string> world = options;
  for (const char* name : {"--port", "--limit", "--seconds", "--listen"}) world.erase(name);
  std::optional<ToolArgs> out = parseGenerate(world, error, false);
  if (!out) return std::nullopt;
  out->command = Command::Host;
  unsigned port = 0;
  if (!options.count("--port") || !parseNumber(options.at("--port"), port) || port > 65535) {
    error = "host needs --port P (0 to 65535; 0 picks a free one)";
    return std::nullopt;
  }
  out->port = static_cast<uint16_t>(port);
  if (options.count("--listen")) out->hostAddress = options.at("--listen");
  unsigned limit = out->playerLimit;
  if (options.count("--limit") && (!parseNumber(options.at("--limit"), limit) || limit < 1 || limit > 255)) {
    error = "--limit takes 1 to 255";
    return std::nullopt;
  }
  out->playerLimit = static_cast<uint8_t>(limit);
  if (options.count("--seconds")) {
    const std::string& text = options.at("--seconds");
    char* end = nullptr;
    out->seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(out->seconds > 0) || out->seconds > 86400.0) {
      error = "--seconds takes a number of seconds above 0, at most a day";
      return std::nullopt;
    }
  }
  return out;
}

// join: HOST:PORT, then the player's name, character and script.
std::optional<ToolArgs> parseJoin(const std::string& address, const std::map<std::string, std::string>& options,
                                  std::string& error) {
  if (!onlyKnown(options, {"--name", "--character", "--script"}, error)) return std::nullopt;
  const size_t colon = address.rfind(':');
  unsigned port = 0;
  if (colon == std::string::npos || colon == 0 || !parseNumber(address.substr(colon + 1), port) || port == 0 ||
      port > 65535) {
    error = "join needs HOST:PORT (a port of 1 to 65535)";
    return std::nullopt;
  }
  if (!options.count("--name") || options.at("--name").empty() || !options.count("--script") ||
      options.at("--script").empty()) {
    error = "join needs --name NAME and --script FILE";
    return std::nullopt;
  }
  ToolArgs out;
  out.command = Command::Join;
  out.hostAddress = address.substr(0, colon);
  out.port = static_cast<uint16_t>(port);
  out.name = options.at("--name");
  out.scriptPath = options.at("--script");
  if (options.count("--character")) out.characterPath = options.at("--character");
  return out;
}

}  // namespace

const char* usage() {
  return "usage: world_tool generate --planet NAME --size INDEX --seed S [--png FILE] [--save FILE]\n"
         "       world_tool character NAME --out FILE\n"
         "       world_tool load FILE [--png FILE]\n"
         "       world_tool play --planet NAME --size INDEX --seed S --script FILE [--character FILE] [--save FILE]\n"
         "                       [--shot FILE [--view WxH]]\n"
         "       world_tool host --planet NAME --size INDEX --seed S --port P [--limit N] [--seconds T]\n"
         "                       [--save FILE] [--listen ADDRESS]\n"
         "       world_tool join HOST:PORT --name NAME [--character FILE] --script FILE\n"
         "\n"
         "play runs a game played alone, headless, and applies the script's player actions, one a line\n"
         "('#' starts a comment): walk left|right FRAMES, walk to COLUMN, jump, mine X Y (within the held\n"
         "tool's reach), place X Y (the held item, within 8 cells), use X Y, select SLOT (0-9), craft ITEM\n"
         "(the recipe making item id ITEM, at the station in use), give ITEM COUNT [WORD] (into the inventory; a spawner's WORD names its mob), shoot X Y (fire, cast\n"
         "or throw the held item at the cell), shoot mob (at the nearest mob), reel (when a fish bites),\n"
         "wait SECONDS, settle (until every dropped item lies still, at most 30 s), sleep (through the\n"
         "night), save, quit (save, then end), load (start again from the saved files). After each step\n"
         "it prints the player's cell, health, inventory, the entities within 10 cells of the player\n"
         "(ITEMxCOUNT@(X,Y), '~' after one still moving) and the cells' checksum. Dropped items fall,\n"
         "come to rest and are picked up by the player on their cell. save writes the world to --save\n"
         "FILE and the character back to --character FILE. --shot FILE draws the game's view at the end\n"
         "of the script as the game would (a window of --view WxH, 960x540 by default; it needs a\n"
         "display, a virtual one will do) and writes it as a PNG. drop SLOT throws the stack of a quick slot\n"
         "out; pickup walks to the nearest dropped item within 10 cells until it is picked up (at most 10 s).\n"
         "\n"
         "host hosts a new world of the planet, headless, in the game's own save folder, on PORT (0: a free\n"
         "one; --listen ADDRESS listens on that address only) for at most --limit players (4 by default, the\n"
         "host's own included). Its frames run at 1/60 s for --seconds T (until Ctrl-C without it); then it\n"
         "saves the world (and copies it to --save FILE). It prints each client's joining and leaving, every\n"
         "second the frame time, messages and bytes, and at the end the frame times (median, p99, worst),\n"
         "the items lying in the world and the cells' checksum.\n"
         "\n"
         "join joins the host at HOST:PORT as NAME (the character NAME of the game's save folder, made when\n"
         "missing, or a copy of the --character FILE put there under the file's name) and plays the script\n"
         "in the host's world: walk, jump, mine, place (each waits for the host's answer on the cell), use,\n"
         "select, drop, pickup, wait, and trade NAME (ask that player), accept (the next request to trade),\n"
         "offer SLOT (a quick slot's stack in the open trade window), ready (and wait for the trade to\n"
         "close). After each step it prints its cell, health, inventory, the items lying in its copy of the\n"
         "world and the cells' checksum; at the end it leaves and prints the bytes it received. The\n"
         "character is saved as the game saves a joined player's: in the save folder's players folder\n"
         "(the path is printed at the end), never back into the --character FILE.";
}

std::optional<ToolArgs> parseArgs(const std::vector<std::string>& args, std::string& error) {
  // Asked for help, by itself or after a command: whatever else the line holds.
  if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; })) {
    ToolArgs help;
    help.command = Command::Help;
    return help;
  }
  const std::string command = args.empty() ? std::string() : args[0];
  const bool named = command == "character" || command == "load" || command == "join";
  std::map<std::string, std::string> options;
  if (command != "generate" && command != "play" && command != "host" && !named) {
    error = "the commands are generate, play, character, load, host and join";
    return std::nullopt;
  }
  if (named && (args.size() < 2 || args[1].empty() || args[1].rfind("--", 0) == 0)) {
    error = command + " needs " + (command == "load" ? "a file" : command == "join" ? "HOST:PORT" : "a name");
    return std::nullopt;
  }
  if (!optionPairs(args, named ? 2 : 1, options, error)) return std::nullopt;
  if (command == "generate" || command == "play") return parseGenerate(options, error, command == "play");
  if (command == "host") return parseHost(options, error);
  if (command == "join") return parseJoin(args[1], options, error);
  ToolArgs out;
  if (command == "character") {
    if (!onlyKnown(options, {"--out"}, error)) return std::nullopt;
    if (!options.count("--out")) {
      error = "character needs --out FILE";
      return std::nullopt;
    }
    out.command = Command::Character;
    out.name = args[1];
    out.outPath = options.at("--out");
    return out;
  }
  if (!onlyKnown(options, {"--png"}, error)) return std::nullopt;
  out.command = Command::Load;
  out.inputPath = args[1];
  if (options.count("--png")) out.pngPath = options.at("--png");
  return out;
}

}  // namespace world_tool

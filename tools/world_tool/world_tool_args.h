#pragma once
// The world tool's command line:
//   world_tool generate --planet NAME --size INDEX --seed S [--png FILE] [--save FILE]
//   world_tool character NAME --out FILE
//   world_tool load FILE [--png FILE]
//   world_tool play --planet NAME --size INDEX --seed S --script FILE [--character FILE] [--save FILE]
//                   [--shot FILE [--view WxH]]
//   world_tool host --planet NAME --size INDEX --seed S --port P [--limit N] [--seconds T] [--save FILE]
//                   [--listen ADDRESS]
//   world_tool join HOST:PORT --name NAME [--character FILE] --script FILE
//   world_tool [COMMAND] --help | -h      prints the usage
// NAME is a planet as the content set names it, in any case; INDEX 0 (512x128) to 4 (4096x512).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace world_tool {

enum class Command { Generate, Character, Load, Play, Host, Join, Help };

struct ToolArgs {
  Command command = Command::Generate;
  std::string planet;
  uint8_t sizeIndex = 0;
  uint32_t seed = 0;
  std::string pngPath;   // empty: no picture
  std::string savePath;  // generate: empty writes no world file
  std::string name;      // character: the character's name
  std::string outPath;   // character: the file written
  std::string inputPath; // load: the world, adventure or character file read
  std::string scriptPath;     // play: the script of player actions
  std::string characterPath;  // play: the character played (and saved back); empty: a new one
  std::string shotPath;       // play: the drawn view at the end of the script (PNG); empty: none
  int viewWidth = 960;        // play: the size of the drawn view
  int viewHeight = 540;
  uint16_t port = 0;          // host: where it listens (0: a free port, printed)
  uint8_t playerLimit = 4;    // host: players at once, the host's own included (2 to 32)
  double seconds = 0;         // host: how long it runs; 0: until interrupted
  std::string hostAddress;    // join: the host's address; host: the one address listened on (empty: every one)
};

// The arguments after the program name; nullopt with `error` set when they do not parse.
std::optional<ToolArgs> parseArgs(const std::vector<std::string>& args, std::string& error);
const char* usage();

}  // namespace world_tool

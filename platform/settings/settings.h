#pragma once
// The process's options and their registry, and the operations the game calls on them. The launch
// registers the platform as the settings host; until then (and in tests that register none) every
// operation that needs the store does nothing and the getters give empty answers.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/settings/options.h"

namespace kel {

class SettingsHost;
class SettingsRegistry;

// The live values of every option; game code reads and writes them directly.
Options& options();
// The registry over options(), for the options screens.
SettingsRegistry& settingsRegistry();

// The launch registers its host once; null unregisters.
void setSettingsHost(SettingsHost* host);
SettingsHost* settingsHost();

// Re-reads the settings file into every persisted option, then writes the file once.
void loadSettings();
// Writes every persisted option and the key bindings to the settings file. Call it right after
// changing an option.
void saveSettings();

// Whether the difficulty was switched within the last hour, by the time the settings store keeps.
bool getLastDifficultySwitch();
// The world file a game's saves marked while reading it (local_game_saves.h), read and cleared by
// the start view at the next launch.
void clearMarkedWorld();
std::string getMarkedWorld();
void setLastPlayer(const std::string& player);
std::string getLastPlayer();
// The port the host page last took, kept across launches; the default port until one was typed.
void setHostPort(uint16_t port);
uint16_t getHostPort();
// The address and port the join page last took, kept across launches the same way; no address
// and the default port until they were typed.
void setJoinTarget(const std::string& address, uint16_t port);
std::pair<std::string, uint16_t> getJoinTarget();

}  // namespace kel

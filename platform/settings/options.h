#pragma once
// The live values of every user option. Game code reads and writes them directly; the settings
// registry loads them at launch and writes them back on every save.

#include <string>
#include <vector>

#include "platform/settings/option_values.h"
#include "platform/settings/server_info.h"
#include "platform/settings/video_mode.h"

namespace kel {

struct Options {
  bool holdToBreak = false;
  bool placeTopBlockByDefault = false;
  bool keepLastSlotEmpty = false;
  bool highlightNewItems = true;
  bool invertToyMechanics = false;
  bool alwaysThrowBulletsAtMaxStrength = true;
  bool showOutlinesInventory = false;
  bool extendedTooltip = true;
  bool alwaysEnabledTooltips = true;
  bool showCountersInBook = false;
  bool showMarkersInSuperMap = true;
  bool openCraftbookRecipe = true;
  bool lessVerboseConsole = false;
  bool rotateItemsOnMouse = true;
  bool fancyChat = true;
  float chatTextDuration = 15.0f;
  bool chatSound = true;
  bool chatBackground = true;
  bool disableMouseWheel = false;
  bool smoothLighting = true;
  bool lowerGraphics = false;
  bool lowerSky = false;
  bool advancedShaders = true;
  bool musicEnabled = true;
  bool soundEnabled = true;
  float musicVolume = 0.2f;
  float soundVolume = 0.8f;
  bool firstTimeSuperMap = true;
  bool firstTimeCraftbook = true;
  bool firstTimeSimpleCraft = true;
  bool firstTimeQuickhelp = true;
  bool dialogDisabledPortals = true;
  bool avoidDeathEffectOnClientGC = true;
  bool saveReminder = true;
  bool profanityFilter = false;
  bool netWorldDataCompression = true;
  bool permissionChestLock = false;
  bool permissionShelfLock = false;
  bool permissionExplosivesLock = false;
  bool permissionWorldLock = false;
  bool disableRemoteStats = true;
  // Its registered default is on, but the option is never loaded, so the game starts with it off.
  bool skipSaveOnLowBattery = false;
  bool shouldAutosave = true;
  std::string favoriteWorld;
  bool keepBackupOfSaves = true;
  UIScale viewportScale = UIScale{3};
  UIScale uiScale = UIScale{0};
  Anchor quickslotAnchor = Anchor{2};
  Anchor quickslotDurabilityAnchor = Anchor{1};
  Anchor windowAnchor = Anchor{18};
  bool skipSplashScreen = false;
  bool fullScreen = true;
  base::VideoMode videoMode{1920, 1200};
  std::vector<ServerInfo> servers;

  friend bool operator==(const Options&, const Options&) = default;
};

}  // namespace kel

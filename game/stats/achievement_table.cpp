#include "game/stats/achievement_table.h"

#include <cctype>

namespace {

struct Text {
  const char* name;
  const char* description;
};

constexpr Text kTexts[kAchievementCount] = {
    {"Apple Fanboy", "Eat so many apples."},
    {"Eggsellent", "Consume 50 chicken eggs."},
    {"Goodnight", "Craft your first bed."},
    {"Come Get Some", "Craft your first weapon."},
    {"Let's Dig", "Craft your first shovel."},
    {"Mining Time", "Craft your first pickaxe."},
    {"Learning The Basics", "Craft your first item."},
    {"Serious Tools", "Craft a stronger tool."},
    {"Master Of Tools", "Craft a Titanium tool."},
    {"Best Of The Best", "Craft a Galvanium tool."},
    {"Showroom", "Craft a showcase."},
    {"A Book Or Two", "Craft a bookshelf."},
    {"Animal Tamer", "Craft a taming collar."},
    {"Demolition Man", "Craft 20 TNTs."},
    {"Make It Boom", "Craft a bomb."},
    {"Sticky Fingers", "Craft a sticky bomb."},
    {"Need More Space", "Craft a wood chest."},
    {"Compulsive Hoarding", "Craft 50 metal chests."},
    {"Black Hole", "Craft a bottomless chest."},
    {"Make The Difference", "Encrust 10 items."},
    {"Oh No! Poor Nature!", "Destroy 1000 wood blocks."},
    {"Expert Miner", "Destroy 1000 blocks."},
    {"World Carver", "Destroy 10000 blocks."},
    {"My Finger Hurts", "Destroy 100000 blocks."},
    {"Dirty Work", "Destroy 1000 dirt blocks."},
    {"Stone Quarry", "Destroy 1000 stone blocks."},
    {"Treasure Finder", "Break 20 treasure chests."},
    {"Up!", "Plant a magical bean."},
    {"Bling Bling", "Place 50 Gold Blocks."},
    {"Safe Home", "Place a simple door."},
    {"None Shall Pass", "Place an iron door."},
    {"Time To Upgrade", "Place 95 wood windows."},
    {"A Nice Vista", "Place 10 iron windows."},
    {"A Warmer Place", "Place a fireplace."},
    {"Trapped In", "Place 5 trapdoors."},
    {"So Comfy", "Place 5 sofas."},
    {"Lay The Foundations", "Place 20 Stone bricks."},
    {"Family Matters!", "Place 8 Roof Tiles."},
    {"Another Brick In The Wall", "Place 50 Clay Bricks."},
    {"Noah Ark", "Place 500 Wood Planks."},
    {"Nuclear Meltdown", "Place 500 TNT."},
    {"Sign Me Up", "Place 50 signs."},
    {"Light It Up!", "Place your first torch."},
    {"Let There Be Light", "Place 100 torches."},
    {"Supernova ", "Place 1000 torches."},
    {"Working Hard", "Craft a workbench."},
    {"Blacksmith", "Craft an anvil."},
    {"Time For A Better Home", "Craft a carpentry bench."},
    {"Construction Worker", "Craft a mason bench."},
    {"Tailored To Fit", "Craft a spinning wheel."},
    {"Loom Of Fate", "Craft a loom."},
    {"Cooking Time!", "Craft a cooking pot."},
    {"Oh Mama!", "Craft a cooking ware."},
    {"Hot Stuff!", "Craft a forge."},
    {"Tinker Tinker", "Craft a tinkerer's tool."},
    {"Roses Are Red", "Craft a dying machine."},
    {"Leatherworker ", "Craft the tanning tools."},
    {"Chemist", "Craft the chemistry bench."},
    {"Electrician ", "Craft the electrician's bench."},
    {"Going Up", "Place 500 ladders."},
    {"Leap Of Faith", "Place 200 bridges."},
    {"Bone Crusher", "Kill 50 skeletons."},
    {"Slayer", "Kill 1000 mobs."},
    {"Butcher ", "Kill 100 Critters."},
    {"Getting Birds Angry", "Kill 50 birds."},
    {"Dawn Of The Dead", "Kill 50 zombies."},
    {"Fat Kills", "Kill 50 Belly Bobs."},
    {"Scorpion King", "Kill 50 Scorpions."},
    {"Squishy Mess", "Kill 200 Slimes."},
    {"My Armor Is Better", "Kill 40 Skeleton Knights."},
    {"Gone With A Boom", "Kill 80 Dynaslimes."},
    {"Where Are You?", "Kill 50 Blind Skeletons."},
    {"Arachnophobia ", "Kill 200 spiders."},
    {"Where Is My Barrel?", "Kill 20 gorillas."},
    {"Grilled Bears", "Kill 50 bears."},
    {"Hard As Hell", "Kill 80 obsidian demons."},
    {"Unhappy Feet", "Kill 20 penguins."},
    {"Kill Me Softly", "Kill 100 sheeps."},
    {"Milked To Death", "Kill 100 cows."},
    {"Bacon Factory", "Kill 100 pigs."},
    {"You Ripped My Heart", "Kill 40 Soul Rippers."},
    {"Band Aid", "Kill 50 Mummies."},
    {"Tobble's Fried Chickens", "Kill 100 Chickens."},
    {"Deadly Cute", "Kill 80 Grumpys."},
    {"Oh Meow!", "Kill 10 Cats."},
    {"It Stings!", "Kill 30 Spiked Rats."},
    {"In Cold Blood", "Kill 70 Worms."},
    {"It's Time To Die", "You knew it would happen."},
    {"One More Time", "Die 10 Times."},
    {"That's Life", "Die 100 times."},
    {"Death Best Friend", "Die 1000 times!"},
    {"Death From Above", "Throw 200 big bombs."},
    {"The Adventure Begins", "Welcome to Terra, your home world."},
    {"Arid Sands", "Travel to Seth, the Egyptian Gods planet."},
    {"Living A Dream", "Travel to Alba, a beautiful place to live."},
    {"Hostile Lands", "Travel to Xeno, the acid planet."},
    {"The End Is Near", "Travel to Magmar. Will you survive?"},
    {"Are They Dead?", "Travel to Umbra, the spooky planet."},
    {"Spores Everywhere", "Travel to Mykon, the mushroom planet."},
    {"It's Cold Out There", "Travel to Cryo, the cold planet."},
    {"A Small Step For Tobble", "Travel to Lilith, the distant moon."},
    {"You Call This Archaeology?", "Travel to Yuca, the ruins planet."},
    {"Under The Sea", "Travel to Thetis, the water planet."},
    {"End Of File", "Reach the end of the world."},
    {"Head In The Clouds", "Reach the top of the world."},
    {"Better With A Friend", "Join a multiplayer game."},
    {"Do Your Homeworks!", "Play for 1 hour."},
    {"Plenty Of Time", "Play for 10 hours."},
    {"Get A Life!", "Play for 250 hours."},
};

constexpr uint32_t kFirstPlatformNumber = 0x50000;
// The store front registered this one's key without its final letter.
constexpr size_t kChickenRow = 82;
constexpr const char* kChickenKey = "tobbles_fried_chicken";

std::array<AchievementRow, kAchievementCount> buildRows() {
  std::array<AchievementRow, kAchievementCount> rows;
  for (size_t i = 0; i < kAchievementCount; ++i) {
    rows[i].name = kTexts[i].name;
    rows[i].description = kTexts[i].description;
    rows[i].key = i == kChickenRow ? kChickenKey : achievementKey(kTexts[i].name);
    rows[i].platformNumber = kFirstPlatformNumber + static_cast<uint32_t>(i);
  }
  return rows;
}

}  // namespace

std::string achievementKey(const char* name) {
  std::string key;
  for (const char* c = name; *c != '\0'; ++c) {
    const auto ch = static_cast<unsigned char>(*c);
    if (std::isalnum(ch) != 0) key.push_back(static_cast<char>(std::tolower(ch)));
    if (ch == ' ') key.push_back(' ');
  }
  while (!key.empty() && key.back() == ' ') key.pop_back();
  for (char& c : key) {
    if (c == ' ') c = '_';
  }
  return key;
}

const std::array<AchievementRow, kAchievementCount>& achievementRows() {
  static const std::array<AchievementRow, kAchievementCount> rows = buildRows();
  return rows;
}

// The quick slot in hand is saved with the character and comes back with it, kept apart from the
// player's own state flags; a stored slot out of range comes back as the first.
#include "game/inventory/inventory.h"
#include "tests/saves/launch/local_player_fixture.h"

namespace saves_test {
namespace {

class SelectedQuickSlotTest : public LocalPlayerTest {
 protected:
  // Saves a running player holding the slot as the current character "Ann".
  void saveHolding(uint32_t slot) {
    CharacterStore& store = saves_.characters();
    ASSERT_TRUE(store.create(std::make_unique<PlayerEntry>("Ann.dat", "Ann", 1), std::nullopt));
    store.setCurrent(store.entries().front().get());
    auto player = std::make_unique<PlayerDesktopLocal>(&rules_);
    player->name = "Ann";
    player->stateWord = 1u | 1u << 2;
    player->inventory->select(slot);
    runningWorld().player = std::move(player);
    ASSERT_TRUE(saves_.saveCurrentCharacter());
  }
  CharacterRecord readBack() {
    CharacterRecord record;
    CharacterParts parts;
    kel::FileHandle file(playerPath("Ann.dat"), kel::FileHandle::READ);
    EXPECT_TRUE(readCharacterFile(file, record, parts));
    return record;
  }
};

TEST_F(SelectedQuickSlotTest, TheSlotInHandComesBackWithTheCharacter) {
  saveHolding(7);
  const CharacterRecord record = readBack();
  EXPECT_EQ(record.selectedQuickSlot, 7u);
  EXPECT_EQ(record.stateFlags, 1u | 1u << 2) << "the player's own flags read back unchanged";
  const std::unique_ptr<PlayerDesktopLocal> loaded = game_.loadLocalPlayer(rules_, nullptr, nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->inventory->selected(), 7u);
  EXPECT_EQ(loaded->stateWord, 1u | 1u << 2);
}

TEST_F(SelectedQuickSlotTest, NoSelectionAndAStoredSlotOutOfRangeComeBackAsTheFirst) {
  saveHolding(Inventory::kNoSelection);
  EXPECT_EQ(readBack().selectedQuickSlot, 0u);
  CharacterRecord record = readBack();
  record.selectedQuickSlot = 12;
  writeRecord("Ann.dat", record);
  EXPECT_EQ(readBack().selectedQuickSlot, 12u);
  const std::unique_ptr<PlayerDesktopLocal> loaded = game_.loadLocalPlayer(rules_, nullptr, nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->inventory->selected(), 0u);
}

}  // namespace
}  // namespace saves_test

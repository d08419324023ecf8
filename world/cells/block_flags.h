#pragma once
// Bit numbers of the block definition's 64-bit flag word that the world model, the entities, the
// rules, the view and the content checks test. One place for them, so every reader names a bit
// here (`block_flag::kSolid`) instead of giving it a number and a meaning of its own.

namespace block_flag {

constexpr int kBlockingDeco = 1;
// Breakable outside creative mode (a projectile may chip it away); the decoration searches look for
// the plain decorations, those without it.
constexpr int kBreakable = 2;
// A decoration with it keeps the other decorations of its side from dropping their loot.
constexpr int kKeepsAttachmentLoot = 3;
constexpr int kFacesSolidSide = 4;
constexpr int kStackingPieces = 5;
constexpr int kStacksOnItself = 6;
constexpr int kStackingPlant = 7;
constexpr int kSupportsLeaves = 8;
constexpr int kLeaves = 9;
constexpr int kNoCeilingDecos = 10;
constexpr int kLetsSkyThrough = 11;
constexpr int kPortalFrame = 12;
constexpr int kIndestructible = 13;
constexpr int kNotInWater = 14;
// Gives off ambient particles where the cell is lit and the block shows.
constexpr int kAmbientEmitter = 15;
constexpr int kOriented = 16;
constexpr int kHangsFromAbove = 17;
constexpr int kNotInAcid = 18;
// Emits light; with a row of the sparkle table it also glints.
constexpr int kEmitsLight = 20;
// Switched by circuits (doors, lamps): shut in variant 0, open in variant 1, so a pet's path
// passes it only open. Such a block is shaped: shut, it stands against one side of its cell, which
// its block state names (cell_sides.h).
constexpr int kCircuitOutput = 21;
constexpr int kClimbable = 22;
constexpr int kSolid = 23;
constexpr int kNeedsCover = 24;
constexpr int kUnbreakableDeco = 25;
constexpr int kNotInLava = 26;
constexpr int kRemovableAttachment = 27;
constexpr int kSoftLanding = 28;
// A decoration with it keeps surface cover (grass, snow) off its cell.
constexpr int kKeepsCoverOff = 29;
constexpr int kFruitPlant = 30;
constexpr int kAttachesToSide = 32;
constexpr int kReplaceableByPlanting = 33;
constexpr int kNeedsSupportBelow = 34;
constexpr int kNeedsCellAbove = 35;
constexpr int kCraftingStation = 36;
constexpr int kAcceptsLinkedDeco = 37;
constexpr int kLinkedDeco = 38;
constexpr int kSpecialDeco = 39;
constexpr int kAcceptsSpecialDeco = 40;
constexpr int kShelf = 41;
constexpr int kTwoCellFurniture = 44;
constexpr int kCircuitComponent = 45;
constexpr int kAttachSideA = 46;
constexpr int kAttachSideB = 47;
constexpr int kAttachRing = 48;
constexpr int kPlantWithSeeds = 49;
constexpr int kHarmful = 50;
constexpr int kHot = 51;
constexpr int kLowFriction = 52;

}  // namespace block_flag

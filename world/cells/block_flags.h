#pragma once
// Bit numbers of the block definition's 64-bit flag word that the world model and the rules test.
// One place for them, so a rule reads `kFlagSolid` instead of a bare 23.

namespace block_flag {

constexpr int kBlockingDeco = 1;
constexpr int kDecoSearch = 2;
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
constexpr int kOriented = 16;
constexpr int kHangsFromAbove = 17;
constexpr int kNotInAcid = 18;
constexpr int kEmitsLight = 20;
constexpr int kCircuitOutput = 21;
constexpr int kClimbable = 22;
constexpr int kSolid = 23;
constexpr int kNeedsCover = 24;
constexpr int kUnbreakableDeco = 25;
constexpr int kNotInLava = 26;
constexpr int kRemovableAttachment = 27;
constexpr int kSoftLanding = 28;
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

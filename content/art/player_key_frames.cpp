#include "content/art/player_key_frames.h"

namespace art {
namespace {

using Keys = std::array<std::array<engine::Vec2, kKeysPerPart>, kCharacterPartCount>;
using Pose = std::array<engine::Vec2, kCharacterPartCount>;

// Parts: 0 hair, 1 head, 2 neck, 3 front hand, 4 back hand, 5 front arm, 6 back arm, 7 body,
// 8 and 9 legs, 10 and 11 feet.
constexpr Pose kStanding{{{-1, 4.5}, {-1, 3.5}, {-1, 1.5}, {-8, -8.5}, {6, -8.5}, {-6, -5.5},
                          {4, -5.5}, {-1, -7.5}, {-4, -11.5}, {2, -11.5}, {-5, -11.5}, {3, -11.5}}};
constexpr Pose kClimbing{{{-1, 4.5}, {-1, 3.5}, {-1, 1.5}, {-8, -9.5}, {7, -7.5}, {-6, -6.5},
                          {5, -4.5}, {-1, -7.5}, {-4, -12}, {3, -11}, {-4, -14}, {3, -11}}};
constexpr Pose kSwimming{{{-1, 4.5}, {-1, 3.5}, {-1, 1.5}, {-8, -8.5}, {6, -8.5}, {-6, -5.5},
                          {4, -5.5}, {-1, -7.5}, {-4, -11.5}, {2, -11.5}, {-5, -11.5}, {3, -12.5}}};

// K1, walking: the head bobs on the passing keys, hands and legs swing against each other.
constexpr Keys kWalk{{
    {{{-1, 4.5}, {-1, 5.5}, {-1, 4.5}, {-1, 5.5}}},
    {{{-1, 3.5}, {-1, 4.5}, {-1, 3.5}, {-1, 4.5}}},
    {{{-1, 1.5}, {-1, 2.5}, {-1, 1.5}, {-1, 2.5}}},
    {{{-6, -8.5}, {-3.5, -6.5}, {-7, -8.5}, {-9, -6.5}}},
    {{{5, -8.5}, {2, -6.5}, {5, -8.5}, {7, -6.5}}},
    {{{-5.5, -5.5}, {-4.5, -4.5}, {-6, -5.5}, {-7, -4.5}}},
    {{{4, -5.5}, {3, -4.5}, {4, -5.5}, {5, -4.5}}},
    {{{-1, -7.5}, {-1, -6.5}, {-1, -7.5}, {-1, -6.5}}},
    {{{-6, -11.5}, {-4, -10.5}, {-2, -11.5}, {-4, -10.5}}},
    {{{4, -11.5}, {2, -10.5}, {0, -11.5}, {2, -10.5}}},
    {{{-7, -11.5}, {-5, -10.5}, {-3, -11.5}, {-5, -10.5}}},
    {{{5, -11.5}, {3, -10.5}, {1, -11.5}, {3, -10.5}}},
}};

// K2, jumping and landing: up with the arms raised and the feet tucked, down into a crouch.
constexpr Keys kJump{{
    {{{-1, 6}, {-1, 7}, {-1, 6}, {-1, 5}}},
    {{{-1, 5}, {-1, 6}, {-1, 5}, {-1, 4}}},
    {{{-1, 3}, {-1, 4}, {-1, 3}, {-1, 2}}},
    {{{-9, -5}, {-10, -3}, {-9, -5}, {-8, -7.5}}},
    {{{7, -5}, {8, -3}, {7, -5}, {6, -7.5}}},
    {{{-7, -3.5}, {-7.5, -2.5}, {-7, -3.5}, {-6, -5}}},
    {{{5, -3.5}, {5.5, -2.5}, {5, -3.5}, {4, -5}}},
    {{{-1, -6}, {-1, -5}, {-1, -6}, {-1, -7}}},
    {{{-5, -10}, {-5, -9}, {-4, -10}, {-4, -11}}},
    {{{3, -10.5}, {3, -10}, {2, -10.5}, {2, -11}}},
    {{{-6, -10}, {-6, -9}, {-5, -10}, {-5, -11}}},
    {{{4, -10.5}, {4, -10}, {3, -10.5}, {3, -11}}},
}};

// K3, climbing: hand over hand, each foot pushing up as the opposite hand reaches.
constexpr Keys kClimb{{
    {{{-1, 4.5}, {-1, 5}, {-1, 4.5}, {-1, 5}}},
    {{{-1, 3.5}, {-1, 4}, {-1, 3.5}, {-1, 4}}},
    {{{-1, 1.5}, {-1, 2}, {-1, 1.5}, {-1, 2}}},
    {{{-7, -3}, {-7, -6}, {-7, -9}, {-7, -6}}},
    {{{6, -9}, {6, -6}, {6, -3}, {6, -6}}},
    {{{-6, -3.5}, {-6, -5}, {-6, -6.5}, {-6, -5}}},
    {{{5, -6.5}, {5, -5}, {5, -3.5}, {5, -5}}},
    {{{-1, -7.5}, {-1, -7}, {-1, -7.5}, {-1, -7}}},
    {{{-4, -13}, {-4, -11.5}, {-4, -10}, {-4, -11.5}}},
    {{{3, -10}, {3, -11.5}, {3, -13}, {3, -11.5}}},
    {{{-4, -14}, {-4, -12.5}, {-4, -11}, {-4, -12.5}}},
    {{{3, -11}, {3, -12.5}, {3, -14}, {3, -12.5}}},
}};

// K4, swimming and flying: a slow stroke of both arms with a kick of the legs.
constexpr Keys kSwim{{
    {{{-1, 4.5}, {-1, 5}, {-1, 4.5}, {-1, 4}}},
    {{{-1, 3.5}, {-1, 4}, {-1, 3.5}, {-1, 3}}},
    {{{-1, 1.5}, {-1, 2}, {-1, 1.5}, {-1, 1}}},
    {{{-9, -4}, {-10, -7}, {-7, -9.5}, {-8, -6}}},
    {{{7, -4}, {8, -7}, {5, -9.5}, {6, -6}}},
    {{{-7, -3.5}, {-7.5, -5}, {-6, -6}, {-6.5, -4.5}}},
    {{{5, -3.5}, {5.5, -5}, {4, -6}, {4.5, -4.5}}},
    {{{-1, -7.5}, {-1, -7}, {-1, -7.5}, {-1, -8}}},
    {{{-5, -11.5}, {-4, -12.5}, {-3, -11.5}, {-4, -11}}},
    {{{3, -12.5}, {2, -11.5}, {1, -12.5}, {2, -13}}},
    {{{-6, -12}, {-5, -13}, {-4, -12}, {-5, -11.5}}},
    {{{4, -13}, {3, -12}, {2, -13}, {3, -13.5}}},
}};

// The swings move only the arms (parts 3-6); the other parts hold the state's rest pose.
constexpr Keys swing(const Pose& rest, std::array<std::array<engine::Vec2, kKeysPerPart>, 4> arms) {
  Keys keys{};
  for (int part = 0; part < kCharacterPartCount; ++part) {
    for (int k = 0; k < kKeysPerPart; ++k) keys[part][k] = rest[part];
  }
  for (int arm = 0; arm < 4; ++arm) keys[3 + arm] = arms[arm];
  return keys;
}

// K5-K7: the front hand comes from behind the head over the top and down in front.
constexpr Keys kSwingStanding = swing(kStanding, {{
    {{{-7, -4}, {-10, -2}, {-11, -6}, {-9, -9}}},
    {{{6, -8.5}, {5, -8}, {6, -8.5}, {6, -8.5}}},
    {{{-6, -4}, {-7, -3}, {-8, -5}, {-7, -6}}},
    {{{4, -5.5}, {4, -5}, {4, -5.5}, {4, -5.5}}},
}});
constexpr Keys kSwingClimbing = swing(kClimbing, {{
    {{{-7, -5}, {-10, -3.5}, {-11, -7}, {-9, -10}}},
    {{{7, -7.5}, {6.5, -7}, {7, -7.5}, {7, -7.5}}},
    {{{-6, -5}, {-7, -4}, {-8, -6}, {-7, -7}}},
    {{{5, -4.5}, {5, -4}, {5, -4.5}, {5, -4.5}}},
}});
constexpr Keys kSwingSwimming = swing(kSwimming, {{
    {{{-7, -5}, {-10, -3}, {-11, -6.5}, {-9, -9}}},
    {{{6, -8.5}, {6.5, -8}, {6, -8.5}, {6, -8.5}}},
    {{{-6, -4.5}, {-7, -3.5}, {-8, -5.5}, {-7, -6}}},
    {{{4, -5.5}, {4, -5}, {4, -5.5}, {4, -5.5}}},
}});

constexpr PlayerKeyTable withDeltas(const Keys& keys) {
  PlayerKeyTable table{keys, {}};
  for (int part = 0; part < kCharacterPartCount; ++part) {
    for (int k = 0; k + 1 < kKeysPerPart; ++k) table.deltas[part][k] = keys[part][k + 1] - keys[part][k];
  }
  return table;
}

constexpr PlayerKeyTable kTables[] = {withDeltas(kWalk),          withDeltas(kJump),
                                      withDeltas(kClimb),         withDeltas(kSwim),
                                      withDeltas(kSwingStanding), withDeltas(kSwingClimbing),
                                      withDeltas(kSwingSwimming)};

const PlayerKeyFrameRecord kRecords[] = {
    {1, 0, 4, 0.45f, true, &kTables[0]},   {2, 0, 4, 0.38f, false, &kTables[1]},
    {3, 0, 4, 0.19f, false, &kTables[1]},  {4, 0, 4, 0.40f, true, &kTables[2]},
    {6, 0, 2, 0.15f, false, &kTables[1]},  {7, 2, 2, 0.25f, false, &kTables[1]},
    {8, 0, 4, 0.55f, true, &kTables[3]},   {10, 0, 4, 0.22f, false, &kTables[4]},
    {11, 0, 4, 0.22f, false, &kTables[5]}, {12, 0, 4, 0.22f, false, &kTables[6]},
};

}  // namespace

const PlayerKeyFrameRecord* playerKeyFrameRecord(uint32_t id) {
  for (const PlayerKeyFrameRecord& record : kRecords) {
    if (record.id == id) return &record;
  }
  return nullptr;
}

const std::array<engine::Vec2, kCharacterPartCount>* playerRestPose(int bodyState) {
  switch (bodyState) {
    case 0: return &kStanding;
    case 5: return &kClimbing;
    case 9: return &kSwimming;
    default: return nullptr;
  }
}

}  // namespace art

#pragma once
// The player's options that a world's rules obey (today the explosives lock: peers may not blast
// or release what they carry). A world reads them through its context, so a test's world or a
// tool's world decides for itself; the null form has every lock off. The application binds
// `PlatformWorldOptions`, which reads the platform settings each time. Main thread only.

class WorldOptions {
 public:
  virtual ~WorldOptions() = default;
  // Blasts and released mobs of anyone but the local player are refused.
  virtual bool explosivesLock() const = 0;
};

class NullWorldOptions final : public WorldOptions {
 public:
  bool explosivesLock() const override { return false; }
};

// The "permissionExplosivesLock" setting.
class PlatformWorldOptions final : public WorldOptions {
 public:
  bool explosivesLock() const override;
};

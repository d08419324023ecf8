#include "tools/sound_maker/track_plan.h"

namespace soundmaker {

TrackPlan trackPlanOf(const kel::MusicTrack& track) {
  const std::string name = track.fileName;
  return TrackPlan{name, static_cast<double>(track.lengthSeconds), track.dayPhaseMask == 0x4,
                   track.place == kel::kUnderground,
                   name.starts_with("ss-") || name.find("-ambient-") != std::string::npos};
}

}  // namespace soundmaker

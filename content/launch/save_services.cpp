#include "content/launch/save_services.h"

engine::Seam<SaveServices, NullSaveServices>& saveServicesSeam() {
  static engine::Seam<SaveServices, NullSaveServices> seam;
  return seam;
}

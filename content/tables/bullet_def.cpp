#include "content/tables/bullet_def.h"

int16_t BulletDef::sound(int which) const {
  if (which < 0 || which >= static_cast<int>(content::bullet_record::soundCount)) return -1;
  return i16(content::bullet_record::sounds + 2 * static_cast<size_t>(which));
}

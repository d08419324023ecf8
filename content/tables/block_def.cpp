#include "content/tables/block_def.h"

int16_t BlockRecord::sound(int which) const {
  if (which < 0 || which >= static_cast<int>(content::block_record::soundCount)) return -1;
  return i16(content::block_record::sounds + 2 * static_cast<size_t>(which));
}

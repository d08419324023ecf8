#include "content/items/block_edit.h"

#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

uint8_t BlockEdit::valueByte(size_t i) const {
  switch (i) {
    case 0: return static_cast<uint8_t>(blockId);
    case 1: return static_cast<uint8_t>(blockId >> 8);
    case 2: return slot;
    case 3: return state;
    case 4: return variant;
    case 5: return layer;
    case 6: return static_cast<uint8_t>(extra);
    default: return 0;
  }
}

void BlockEdit::setValueByte(size_t i, uint8_t value) {
  switch (i) {
    case 0: blockId = static_cast<uint16_t>((blockId & 0xFF00) | value); break;
    case 1: blockId = static_cast<uint16_t>((blockId & 0x00FF) | (value << 8)); break;
    case 2: slot = value; break;
    case 3: state = value; break;
    case 4: variant = value; break;
    case 5: layer = value; break;
    case 6: extra = static_cast<uint16_t>((extra & 0xFF00) | value); break;
    default: break;
  }
}

void BlockEdit::encode(uint8_t out[kWireSize]) const {
  engine::ByteWriter writer;
  writer.u8(kind);
  writer.u8(0);
  writer.u16(x);
  writer.u16(y);
  writer.u8(takeHeld);
  writer.u8(0);
  writer.u16(blockId);
  writer.u8(slot);
  writer.u8(state);
  writer.u8(variant);
  writer.u8(layer);
  writer.u16(extra);
  for (size_t i = 0; i < kWireSize; ++i) out[i] = writer.data()[i];
}

BlockEdit BlockEdit::decode(const uint8_t in[kWireSize]) {
  engine::ByteReader reader(in, kWireSize);
  BlockEdit edit;
  edit.kind = reader.u8();
  reader.skip(1);
  edit.x = reader.u16();
  edit.y = reader.u16();
  edit.takeHeld = reader.u8();
  reader.skip(1);
  edit.blockId = reader.u16();
  edit.slot = reader.u8();
  edit.state = reader.u8();
  edit.variant = reader.u8();
  edit.layer = reader.u8();
  edit.extra = reader.u16();
  return edit;
}

void makeBlockValue(BlockEdit& out, uint16_t column, uint16_t row, uint8_t kind, uint16_t blockId,
                    int variant, uint8_t layer, uint8_t extra) {
  out = BlockEdit{};
  out.kind = kind;
  out.x = column;
  out.y = row;
  out.blockId = blockId;
  out.state = extra;
  out.layer = layer;
  if (variant < 0 || variant >= RANDOM_BLOCK_VARIANT) {
    const BlockDef* def = blockDefinitionById(blockId);
    const int variants = def ? def->record.variantCount() : 0;
    // A cell keeps three variant bits: a block with more looks than that is drawn from other
    // state and keeps variant 0.
    out.variant = variants >= 2 && variants <= 8 ? static_cast<uint8_t>(engine::randomNext() % variants) : 0;
  } else {
    out.variant = static_cast<uint8_t>(variant);
  }
}

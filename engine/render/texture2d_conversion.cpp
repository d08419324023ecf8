// Pixel conversion between the decoded image formats and the upload formats.
#include <cstring>

#include "engine/render/texture2d.h"

namespace engine {
namespace {

using PixelFormat = Texture2D::PixelFormat;

struct Pixel {
  uint8_t r, g, b, a, l;
};

uint8_t luminance(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint8_t>((r * 299u + g * 587u + b * 114u + 500u) / 1000u);
}

Pixel readPixel(const unsigned char* p, PixelFormat source) {
  switch (source) {
    case PixelFormat::I8:
      return {p[0], p[0], p[0], 255, p[0]};
    case PixelFormat::AI88:
      return {p[0], p[0], p[0], p[1], p[0]};
    case PixelFormat::RGB888:
      return {p[0], p[1], p[2], 255, luminance(p[0], p[1], p[2])};
    default:  // RGBA8888
      return {p[0], p[1], p[2], p[3], luminance(p[0], p[1], p[2])};
  }
}

void writePacked(unsigned char* out, uint16_t value) { std::memcpy(out, &value, sizeof(value)); }

void writePixel(unsigned char* out, const Pixel& px, PixelFormat target) {
  switch (target) {
    case PixelFormat::RGBA8888:
      out[0] = px.r;
      out[1] = px.g;
      out[2] = px.b;
      out[3] = px.a;
      break;
    case PixelFormat::RGB888:
      out[0] = px.r;
      out[1] = px.g;
      out[2] = px.b;
      break;
    case PixelFormat::RGB565:
      writePacked(out, static_cast<uint16_t>(((px.r & 0xF8) << 8) | ((px.g & 0xFC) << 3) |
                                             (px.b >> 3)));
      break;
    case PixelFormat::RGBA4444:
      writePacked(out, static_cast<uint16_t>(((px.r & 0xF0) << 8) | ((px.g & 0xF0) << 4) |
                                             (px.b & 0xF0) | (px.a >> 4)));
      break;
    case PixelFormat::RGB5A1:
      writePacked(out, static_cast<uint16_t>(((px.r & 0xF8) << 8) | ((px.g & 0xF8) << 3) |
                                             ((px.b & 0xF8) >> 2) | (px.a >> 7)));
      break;
    case PixelFormat::A8:
      out[0] = px.a;
      break;
    case PixelFormat::I8:
      out[0] = px.l;
      break;
    case PixelFormat::AI88:
      out[0] = px.l;
      out[1] = px.a;
      break;
    default:
      break;
  }
}

bool isConvertibleTarget(PixelFormat target) {
  switch (target) {
    case PixelFormat::RGBA8888:
    case PixelFormat::RGB888:
    case PixelFormat::RGB565:
    case PixelFormat::A8:
    case PixelFormat::I8:
    case PixelFormat::AI88:
    case PixelFormat::RGBA4444:
    case PixelFormat::RGB5A1:
      return true;
    default:
      return false;
  }
}

PixelFormat convert(const unsigned char* data, size_t dataLen, PixelFormat source,
                    PixelFormat target, std::vector<unsigned char>* outData) {
  outData->clear();
  if (data == nullptr || target == source || !isConvertibleTarget(target)) return source;
  const size_t sourceBytes = static_cast<size_t>(Texture2D::getBitsPerPixelForFormat(source)) / 8;
  const size_t targetBytes = static_cast<size_t>(Texture2D::getBitsPerPixelForFormat(target)) / 8;
  // A trailing partial pixel is dropped rather than read past the end.
  const size_t pixelCount = dataLen / sourceBytes;
  outData->resize(pixelCount * targetBytes);
  for (size_t i = 0; i < pixelCount; ++i) {
    writePixel(outData->data() + i * targetBytes, readPixel(data + i * sourceBytes, source),
               target);
  }
  return target;
}

}  // namespace

PixelFormat Texture2D::convertI8ToFormat(const unsigned char* data, size_t dataLen,
                                         PixelFormat format, std::vector<unsigned char>* outData) {
  return convert(data, dataLen, PixelFormat::I8, format, outData);
}

PixelFormat Texture2D::convertAI88ToFormat(const unsigned char* data, size_t dataLen,
                                           PixelFormat format,
                                           std::vector<unsigned char>* outData) {
  return convert(data, dataLen, PixelFormat::AI88, format, outData);
}

PixelFormat Texture2D::convertRGB888ToFormat(const unsigned char* data, size_t dataLen,
                                             PixelFormat format,
                                             std::vector<unsigned char>* outData) {
  return convert(data, dataLen, PixelFormat::RGB888, format, outData);
}

PixelFormat Texture2D::convertRGBA8888ToFormat(const unsigned char* data, size_t dataLen,
                                               PixelFormat format,
                                               std::vector<unsigned char>* outData) {
  return convert(data, dataLen, PixelFormat::RGBA8888, format, outData);
}

PixelFormat Texture2D::convertDataToFormat(const unsigned char* data, size_t dataLen,
                                           PixelFormat originFormat, PixelFormat format,
                                           std::vector<unsigned char>* outData) {
  outData->clear();
  switch (originFormat) {
    case PixelFormat::I8:
      return convertI8ToFormat(data, dataLen, format, outData);
    case PixelFormat::AI88:
      return convertAI88ToFormat(data, dataLen, format, outData);
    case PixelFormat::RGB888:
      return convertRGB888ToFormat(data, dataLen, format, outData);
    case PixelFormat::RGBA8888:
      return convertRGBA8888ToFormat(data, dataLen, format, outData);
    default:
      return originFormat;
  }
}

}  // namespace engine

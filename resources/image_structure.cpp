#include "resources/image_structure.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>

namespace {

uint32_t readBigEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

uint16_t readLittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t readLittleEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool startsWith(const uint8_t* bytes, size_t size, const char* text, size_t length) {
  return size >= length && std::memcmp(bytes, text, length) == 0;
}

bool sidesWithin(uint64_t width, uint64_t height, uint32_t largestSide) {
  return width >= 1 && height >= 1 && width <= largestSide && height <= largestSide;
}

// PNG: an 8-byte signature, then chunks of (length, type, data, CRC), the
// first of them IHDR (13 bytes), which starts with the width and height.
bool pngHeaderFits(const uint8_t* bytes, size_t size, uint32_t largestSide, ImageSides& sides) {
  constexpr size_t kHeaderSidesEnd = 24;
  if (size < kHeaderSidesEnd || readBigEndian32(bytes + 8) != 13 ||
      std::memcmp(bytes + 12, "IHDR", 4) != 0) {
    return false;
  }
  sides = {readBigEndian32(bytes + 16), readBigEndian32(bytes + 20)};
  return sidesWithin(sides.width, sides.height, largestSide);
}

bool pngChunksFit(const uint8_t* bytes, size_t size) {
  constexpr size_t kSignatureSize = 8;
  constexpr size_t kChunkFraming = 12;  // length and type before the data, CRC after
  size_t at = kSignatureSize;
  while (size >= at && size - at >= kChunkFraming) {
    uint32_t length = readBigEndian32(bytes + at);
    if (length > size - at - kChunkFraming) return false;
    bool last = std::memcmp(bytes + at + 4, "IEND", 4) == 0;
    at += kChunkFraming + length;
    if (last) return true;
  }
  return false;
}

// Bytes of a GIF colour table announced by a packed flags byte, 0 for none.
size_t gifColourTableSize(uint8_t packed) {
  return (packed & 0x80) != 0 ? 3u << ((packed & 0x07) + 1) : 0;
}

// Steps over a chain of data sub-blocks (a size byte, then that many bytes)
// ending with a size of 0. False when the chain runs past the end.
bool skipGifSubBlocks(const uint8_t* bytes, size_t size, size_t& at) {
  while (at < size) {
    uint8_t length = bytes[at++];
    if (length == 0) return true;
    if (size - at < length) return false;
    at += length;
  }
  return false;
}

// The GIF reader draws into its image surface without checking it: SDL
// makes none for an image 16384 or more pixels wide (65536 high is beyond
// GIF's 16 bits), and one without pixels for an empty image.
constexpr uint16_t kWidestGifImage = 16383;

bool gifImageDrawable(const uint8_t* descriptor, uint32_t largestSide, ImageSides& sides) {
  uint16_t width = readLittleEndian16(descriptor + 4);
  uint16_t height = readLittleEndian16(descriptor + 6);
  sides.width = std::max<uint32_t>(sides.width, width);
  sides.height = std::max<uint32_t>(sides.height, height);
  return width <= kWidestGifImage && sidesWithin(width, height, largestSide);
}

// The LZW minimum code size before an image's data: 2 to 8 bits. The GIF
// reader takes any value, and a larger one makes it write past its code
// table or shift by more bits than an int has (64 kept it busy for ever).
bool gifCodeSizeKnown(uint8_t bits) { return bits >= 2 && bits <= 8; }

// The graphic control extension holds one sub-block of 4 bytes. The GIF
// reader takes its first sub-block whatever its size: an empty one makes
// it read on past the extension's end, and at the end of the data it then
// waits for ever for a terminator.
constexpr uint8_t kGifGraphicControl = 0xf9;
constexpr uint8_t kGifGraphicControlSize = 4;

// GIF: 6-byte signature, 7-byte screen descriptor and its colour table, then
// extensions ('!') and images (',') up to the trailer (';'), at least one
// image among them.
bool gifBlocksFit(const uint8_t* bytes, size_t size, uint32_t largestSide, ImageSides& sides) {
  constexpr size_t kScreenDescriptorEnd = 13;
  constexpr size_t kImageDescriptorSize = 9;
  if (size < kScreenDescriptorEnd) return false;
  size_t at = kScreenDescriptorEnd + gifColourTableSize(bytes[10]);
  while (at < size) {
    uint8_t introducer = bytes[at++];
    if (introducer == ';') return sides.width > 0;
    if (introducer == '!') {
      if (at >= size) return false;
      uint8_t label = bytes[at++];
      if (label == kGifGraphicControl && (at >= size || bytes[at] != kGifGraphicControlSize)) {
        return false;
      }
    } else if (introducer == ',') {
      if (size - at < kImageDescriptorSize) return false;
      if (!gifImageDrawable(bytes + at, largestSide, sides)) return false;
      at += kImageDescriptorSize + gifColourTableSize(bytes[at + 8]);
      if (at >= size || !gifCodeSizeKnown(bytes[at])) return false;
      ++at;
    } else {
      return false;
    }
    if (!skipGifSubBlocks(bytes, size, at)) return false;
  }
  return false;
}

// BMP: a 14-byte file header (pixel data offset at 10), then an
// information header whose first 4 bytes give its size: 12 for the oldest
// layout (16-bit sides), 40 and up for the later ones (32-bit sides, a
// negative height meaning rows top down).
struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = 0;
  uint32_t colours = 0;
};

constexpr size_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpRgb = 0;
constexpr uint32_t kBmpBitFields = 3;

bool readBmpLayout(const uint8_t* bytes, size_t size, BmpLayout& layout) {
  if (size < kBmpFileHeaderSize + 4) return false;
  const uint8_t* info = bytes + kBmpFileHeaderSize;
  uint32_t infoSize = readLittleEndian32(info);
  if (infoSize == 12) {
    if (size < kBmpFileHeaderSize + 12) return false;
    layout.width = readLittleEndian16(info + 4);
    layout.height = readLittleEndian16(info + 6);
    layout.bitsPerPixel = readLittleEndian16(info + 10);
    return true;
  }
  const uint32_t knownSizes[] = {40, 52, 56, 108, 124};
  if (std::find(std::begin(knownSizes), std::end(knownSizes), infoSize) == std::end(knownSizes) ||
      size < kBmpFileHeaderSize + infoSize) {
    return false;
  }
  layout.width = static_cast<int32_t>(readLittleEndian32(info + 4));
  layout.height = static_cast<int32_t>(readLittleEndian32(info + 8));
  if (layout.height < 0) layout.height = -layout.height;
  layout.bitsPerPixel = readLittleEndian16(info + 14);
  layout.compression = readLittleEndian32(info + 16);
  layout.colours = readLittleEndian32(info + 32);
  return true;
}

bool bmpPixelLayoutKnown(const BmpLayout& layout) {
  switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
      // The palette holds 2^bits colours; more would be written past it.
      return layout.compression == kBmpRgb && layout.colours <= (1u << layout.bitsPerPixel);
    case 16:
    case 32:
      return layout.compression == kBmpRgb || layout.compression == kBmpBitFields;
    case 24:
      return layout.compression == kBmpRgb;
    default:
      return false;
  }
}

bool bmpFits(const uint8_t* bytes, size_t size, uint32_t largestSide, ImageSides& sides) {
  BmpLayout layout;
  if (!readBmpLayout(bytes, size, layout) || !bmpPixelLayoutKnown(layout)) return false;
  if (layout.width < 0 || !sidesWithin(static_cast<uint64_t>(layout.width),
                                       static_cast<uint64_t>(layout.height), largestSide)) {
    return false;
  }
  sides = {static_cast<uint32_t>(layout.width), static_cast<uint32_t>(layout.height)};
  // Rows are padded to whole 32-bit words; every row must be in the file.
  uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
  uint64_t pixelsAt = readLittleEndian32(bytes + 10);
  return pixelsAt >= kBmpFileHeaderSize && pixelsAt <= size &&
         rowBytes * static_cast<uint64_t>(layout.height) <= size - pixelsAt;
}

}  // namespace

ImageFormat imageFormatOf(const uint8_t* bytes, uint32_t size) {
  if (bytes == nullptr) return ImageFormat::Unknown;
  if (startsWith(bytes, size, "\x89PNG\r\n\x1a\n", 8)) return ImageFormat::Png;
  if (startsWith(bytes, size, "GIF87a", 6) || startsWith(bytes, size, "GIF89a", 6)) {
    return ImageFormat::Gif;
  }
  if (startsWith(bytes, size, "BM", 2)) return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

bool imageSafeToDecode(const uint8_t* bytes, uint32_t size, uint32_t largestSide,
                       ImageSides* declared) {
  ImageSides sides;
  bool safe = false;
  switch (imageFormatOf(bytes, size)) {
    case ImageFormat::Png:
      safe = pngHeaderFits(bytes, size, largestSide, sides) && pngChunksFit(bytes, size);
      break;
    case ImageFormat::Gif: safe = gifBlocksFit(bytes, size, largestSide, sides); break;
    case ImageFormat::Bmp: safe = bmpFits(bytes, size, largestSide, sides); break;
    case ImageFormat::Unknown: break;
  }
  if (declared != nullptr) *declared = sides;
  return safe;
}

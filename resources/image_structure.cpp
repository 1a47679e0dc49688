#include "resources/image_structure.h"

#include <cstddef>
#include <cstring>

namespace {

uint32_t readBigEndian32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

bool startsWith(const uint8_t* bytes, size_t size, const char* text) {
  size_t length = std::strlen(text);
  return size >= length && std::memcmp(bytes, text, length) == 0;
}

// PNG: an 8-byte signature, then chunks of (length, type, data, CRC), the
// first of them IHDR, which starts with the width and height.
bool pngSidesWithin(const uint8_t* bytes, size_t size, uint32_t largestSide) {
  constexpr size_t kHeaderSidesEnd = 24;
  if (size < kHeaderSidesEnd || std::memcmp(bytes + 12, "IHDR", 4) != 0) return true;  // left to the decoder
  return readBigEndian32(bytes + 16) <= largestSide && readBigEndian32(bytes + 20) <= largestSide;
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

uint16_t readLittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// The GIF reader draws into its image surface without checking it: SDL
// makes none for an image 16384 or more pixels wide (65536 high is beyond
// GIF's 16 bits), and one without pixels for an empty image.
constexpr uint16_t kWidestGifImage = 16383;

bool gifImageDrawable(const uint8_t* descriptor, uint32_t largestSide) {
  uint16_t width = readLittleEndian16(descriptor + 4);
  uint16_t height = readLittleEndian16(descriptor + 6);
  return width > 0 && width <= kWidestGifImage && height > 0 && width <= largestSide &&
         height <= largestSide;
}

// GIF: 6-byte signature, 7-byte screen descriptor and its colour table, then
// extensions ('!') and images (',') up to the trailer (';').
bool gifBlocksFit(const uint8_t* bytes, size_t size, uint32_t largestSide) {
  constexpr size_t kScreenDescriptorEnd = 13;
  constexpr size_t kImageDescriptorSize = 9;
  if (size < kScreenDescriptorEnd) return false;
  size_t at = kScreenDescriptorEnd + gifColourTableSize(bytes[10]);
  while (at < size) {
    uint8_t introducer = bytes[at++];
    if (introducer == ';') return true;
    if (introducer == '!') {
      if (at >= size) return false;
      ++at;  // the extension's label
    } else if (introducer == ',') {
      if (size - at < kImageDescriptorSize) return false;
      if (!gifImageDrawable(bytes + at, largestSide)) return false;
      at += kImageDescriptorSize + gifColourTableSize(bytes[at + 8]);
      if (at >= size) return false;
      ++at;  // the LZW minimum code size
    } else {
      return false;
    }
    if (!skipGifSubBlocks(bytes, size, at)) return false;
  }
  return false;
}

}  // namespace

bool imageSafeToDecode(const uint8_t* bytes, uint32_t size, uint32_t largestSide) {
  if (startsWith(bytes, size, "\x89PNG")) {
    return pngSidesWithin(bytes, size, largestSide) && pngChunksFit(bytes, size);
  }
  if (startsWith(bytes, size, "GIF87a") || startsWith(bytes, size, "GIF89a")) {
    return gifBlocksFit(bytes, size, largestSide);
  }
  return true;
}

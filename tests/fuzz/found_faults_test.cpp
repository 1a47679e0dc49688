// Faults the fuzzers found, pinned down as plain tests of the units that
// had them (the raw crashing inputs are replayed from regressions/ too).
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/offscreen_gl.h"
#include "resources/image_structure.h"
#include "resources/image_texture.h"
#include "resources/procedural_name.h"

namespace {

using Bytes = std::vector<uint8_t>;

void append(Bytes& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

void appendBigEndian32(Bytes& bytes, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// A PNG chunk whose length field says `length`, holding `data` (CRC not
// checked here, so zeros).
void appendChunk(Bytes& bytes, const std::string& type, const Bytes& data, uint32_t length) {
  appendBigEndian32(bytes, length);
  append(bytes, type);
  bytes.insert(bytes.end(), data.begin(), data.end());
  appendBigEndian32(bytes, 0);
}

Bytes pngHeader(uint32_t width, uint32_t height) {
  Bytes png;
  append(png, "\x89PNG\r\n\x1a\n");
  Bytes header;
  appendBigEndian32(header, width);
  appendBigEndian32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  appendChunk(png, "IHDR", header, 13);
  return png;
}

Bytes pngWithChunks(uint32_t ancillaryLength, bool withEnd) {
  Bytes png = pngHeader(1, 1);
  appendChunk(png, "bKGD", Bytes(6, 0), ancillaryLength);
  if (withEnd) appendChunk(png, "IEND", {}, 0);
  return png;
}

// The RGBA texels of a bound 2D texture, row by row.
Bytes textureTexels(uint32_t texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  Bytes texels(size_t(width) * size_t(height) * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

bool complete(const Bytes& bytes, uint32_t largestSide = 16384) {
  return imageSafeToDecode(bytes.data(), static_cast<uint32_t>(bytes.size()), largestSide);
}

TEST(ImageStructure, PngIsHandedOverOnlyWhenEveryChunkFitsUpToItsEnd) {
  EXPECT_TRUE(complete(pngWithChunks(6, true)));
  EXPECT_FALSE(complete(pngWithChunks(0x2f0006, true)));  // a chunk longer than the entry
  EXPECT_FALSE(complete(pngWithChunks(0xffffffffu, true)));
  EXPECT_FALSE(complete(pngWithChunks(6, false)));  // no IEND: cut short
  Bytes signatureOnly;
  append(signatureOnly, "\x89PNG");
  EXPECT_FALSE(complete(signatureOnly));
}

Bytes gif(const Bytes& afterScreen) {
  Bytes bytes;
  append(bytes, "GIF89a");
  // 1 x 1 screen, a global table of two colours (packed 0x80: size code 0).
  Bytes screen = {1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
  bytes.insert(bytes.end(), screen.begin(), screen.end());
  bytes.insert(bytes.end(), afterScreen.begin(), afterScreen.end());
  return bytes;
}

TEST(ImageStructure, GifIsHandedOverOnlyWhenEveryBlockFitsUpToTheTrailer) {
  Bytes image = {',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4c, 0x01, 0};
  Bytes extension = {'!', 0xf9, 4, 0, 0, 0, 0, 0};
  Bytes whole = extension;
  whole.insert(whole.end(), image.begin(), image.end());
  whole.push_back(';');
  EXPECT_TRUE(complete(gif(whole)));
  Bytes cut(whole.begin(), whole.begin() + 4);  // inside the extension's sub-block
  EXPECT_FALSE(complete(gif(cut)));
  Bytes noTrailer(whole.begin(), whole.end() - 1);
  EXPECT_FALSE(complete(gif(noTrailer)));
  Bytes stray = whole;
  stray.insert(stray.begin(), 'x');  // not a block introducer
  EXPECT_FALSE(complete(gif(stray)));
  Bytes shortScreen;
  append(shortScreen, "GIF87a\x01");
  EXPECT_FALSE(complete(shortScreen));
  // A graphic control extension of other than 4 bytes (an empty one kept
  // the reader busy for ever).
  for (uint8_t length : {0, 3, 4}) {
    Bytes control = {'!', 0xf9, length};
    control.insert(control.end(), length, 0);
    control.push_back(0);
    control.insert(control.end(), image.begin(), image.end());
    control.push_back(';');
    EXPECT_EQ(complete(gif(control)), length == 4) << int(length);
  }
  // The LZW code size: 2 to 8 bits; 64 kept the reader busy for ever.
  for (uint8_t bits : {1, 2, 8, 9, 12, 64}) {
    Bytes coded = image;
    coded[10] = bits;
    coded.push_back(';');
    EXPECT_EQ(complete(gif(coded)), bits >= 2 && bits <= 8) << int(bits);
  }
}

// One image of `width` x `height` (little-endian in the descriptor), then
// the trailer.
Bytes gifImage(uint16_t width, uint16_t height) {
  return {',', 0, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8),
          static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8), 0, 2, 2, 0x4c, 0x01, 0, ';'};
}

TEST(ImageStructure, GifImageWithoutADrawableSurfaceIsNotHandedOver) {
  Bytes widest = gifImage(16383, 1);
  Bytes tooWide = gifImage(16384, 1);
  EXPECT_TRUE(complete(gif(widest)));
  EXPECT_TRUE(complete(gif(gifImage(1, 65535)), 65535));
  EXPECT_FALSE(complete(gif(tooWide)));
  EXPECT_FALSE(complete(gif(gifImage(255, 0))));
  EXPECT_FALSE(complete(gif(gifImage(0, 7))));
  // A later frame counts as much as the first.
  Bytes secondTooWide(widest.begin(), widest.end() - 1);
  secondTooWide.insert(secondTooWide.end(), tooWide.begin(), tooWide.end());
  EXPECT_FALSE(complete(gif(secondTooWide)));
}

TEST(ImageTexture, GifWithoutADrawableSurfaceGivesNoTexture) {
  OffscreenGlContext context(4, 4);
  ASSERT_TRUE(context.ok());
  // The fuzzer's inputs: no colour table, one image 24835 pixels wide, or
  // 255 wide and 0 high.
  for (const Bytes& image : {Bytes{0x46, 0x20, 0x01, 0x2a, 0x03, 0x61, 0x37, 0x38, 0x00},
                             Bytes{0x46, 0x38, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00}}) {
    Bytes damaged;
    append(damaged, "GIF87a");
    const Bytes screen = {0x4d, 0x20, 0x2a, 0x01, 0x00, 0x01, 0x00, 0x2c};
    damaged.insert(damaged.end(), screen.begin(), screen.end());
    damaged.insert(damaged.end(), image.begin(), image.end());
    const Bytes end = {0x00, 0x00, 0x3b};
    damaged.insert(damaged.end(), end.begin(), end.end());
    EXPECT_EQ(uploadImageTexture(damaged.data(), static_cast<uint32_t>(damaged.size())), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

TEST(ImageStructure, DeclaredSidesBeyondTheLimitAreNotHandedOver) {
  Bytes png = pngHeader(4096, 2);
  appendChunk(png, "IEND", {}, 0);
  EXPECT_TRUE(complete(png, 4096));
  EXPECT_FALSE(complete(png, 4095));
  Bytes tallPng = pngHeader(1, 0x7fffffff);
  appendChunk(tallPng, "IEND", {}, 0);
  EXPECT_FALSE(complete(tallPng));
  EXPECT_TRUE(complete(gif(gifImage(4096, 4096)), 4096));
  EXPECT_FALSE(complete(gif(gifImage(4096, 4097)), 4096));
  EXPECT_FALSE(complete(gif(gifImage(4097, 1)), 4096));
}

void appendLittleEndian(Bytes& bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A bitmap with a 40-byte information header, `colours` palette entries
// and `pixelBytes` bytes of (grey) pixels.
Bytes bmp(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0,
          uint32_t colours = 0, size_t pixelBytes = 0) {
  Bytes bytes;
  append(bytes, "BM");
  uint32_t pixelsAt = 14 + 40 + 4 * colours;
  appendLittleEndian(bytes, pixelsAt + static_cast<uint32_t>(pixelBytes), 4);
  appendLittleEndian(bytes, 0, 4);
  appendLittleEndian(bytes, pixelsAt, 4);
  for (uint32_t field : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)}) {
    appendLittleEndian(bytes, field, 4);
  }
  appendLittleEndian(bytes, 1, 2);
  appendLittleEndian(bytes, bits, 2);
  for (uint32_t field : {compression, 0u, 0u, 0u, colours, 0u}) appendLittleEndian(bytes, field, 4);
  bytes.resize(bytes.size() + 4 * colours + pixelBytes, 0x80);
  return bytes;
}

TEST(ImageStructure, OnlyWholeBitmapsOfAKnownLayoutAreHandedOver) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool handedOver;
  } cases[] = {
      {"24 bits, rows padded to 8 bytes", bmp(2, 2, 24, 0, 0, 16), true},
      {"top down", bmp(2, -2, 24, 0, 0, 16), true},
      {"8 bits, full palette", bmp(4, 1, 8, 0, 256, 4), true},
      {"bit fields", bmp(1, 1, 32, 3, 0, 4), true},
      {"a row short", bmp(2, 2, 24, 0, 0, 15), false},
      {"more colours than 8 bits index", bmp(4, 1, 8, 0, 257, 4), false},
      {"run-length coded", bmp(4, 1, 8, 1, 0, 4), false},
      {"7 bits", bmp(1, 1, 7, 0, 0, 4), false},
      {"no width", bmp(0, 1, 24, 0, 0, 4), false},
      {"negative width", bmp(-1, 1, 24, 0, 0, 4), false},
      {"4097 high", bmp(1, 4097, 24, 0, 0, 4 * 4097), false},
      {"header cut short", Bytes{'B', 'M', 0, 0, 0, 0}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(complete(c.bytes, 4096), c.handedOver) << c.what;
}

TEST(ImageStructure, OtherFormatsAreNeverHandedOver) {
  for (const char* text : {"P3r35 \n\xd8" "95 EDGDG ", "P6\n1 1\n255\nabc", "/* XPM */",
                           "\xff\xd8\xff\xe0", "II*\x00", "\x0a\x05\x01\x08", "\x89PN", ""}) {
    Bytes bytes;
    append(bytes, text);
    EXPECT_EQ(imageFormatOf(bytes.data(), static_cast<uint32_t>(bytes.size())), ImageFormat::Unknown)
        << text;
    EXPECT_FALSE(complete(bytes)) << text;
  }
}

TEST(ImageTexture, ImageBeyondTheTextureLimitGivesNoTextureAndNoGlError) {
  OffscreenGlContext context(4, 4);
  ASSERT_TRUE(context.ok());
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_GT(maxSide, 0);
  // One pixel wide, one row taller than either limit allows.
  int32_t tooTall = std::min<int32_t>(maxSide, static_cast<int32_t>(kLargestImageSide)) + 1;
  Bytes tall = bmp(1, tooTall, 24, 0, 0, 4 * static_cast<size_t>(tooTall));
  EXPECT_EQ(uploadImageTexture(tall.data(), static_cast<uint32_t>(tall.size())), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Refused from its header: decoding it would have asked for gigabytes.
  Bytes tallGif = gif(gifImage(1, static_cast<uint16_t>(std::min(tooTall, 65535))));
  EXPECT_EQ(uploadImageTexture(tallGif.data(), static_cast<uint32_t>(tallGif.size())), 0u);

  Bytes fitting = bmp(1, 2, 24, 0, 0, 8);
  uint32_t texture = uploadImageTexture(fitting.data(), static_cast<uint32_t>(fitting.size()));
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  releaseImageTexture(texture);
}

TEST(ImageTexture, BitmapWithoutAUsablePaletteGivesNoTexture) {
  OffscreenGlContext context(4, 4);
  ASSERT_TRUE(context.ok());
  // A damaged bitmap header that decodes to a surface the converter would
  // read through a missing palette.
  const Bytes damaged = {0x42, 0x4d, 0x46, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x74, 0x52, 0x4e, 0x53, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00,
                         0x00, 0x00, 0x0a, 0x05, 0x01, 0x08, 0x01, 0x00, 0x1a, 0x00, 0x42, 0x4d,
                         0x46, 0x00, 0x00};
  EXPECT_EQ(uploadImageTexture(damaged.data(), static_cast<uint32_t>(damaged.size())), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The seeds are one image of every accepted format and layout (PNG RGBA,
// RGB, grey and paletted with a transparent colour; GIF with a transparent
// index; BMP paletted, 1-bit, 24-bit top down, 32-bit bit fields): each
// must become a texture, so the fuzzer starts from inputs that decode. The
// transparent ones keep their transparency: the left-out pixels come out
// with alpha 0 and their own colour, the others opaque.
TEST(ImageTexture, EveryImageSeedBecomesATexture) {
  OffscreenGlContext context(4, 4);
  ASSERT_TRUE(context.ok());
  DIR* folder = opendir(IMAGE_CORPUS);
  ASSERT_NE(folder, nullptr);
  int seeds = 0;
  while (dirent* item = readdir(folder)) {
    std::string name = item->d_name;
    if (name[0] == '.') continue;
    std::ifstream in(std::string(IMAGE_CORPUS) + "/" + name, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    uint32_t texture = uploadImageTexture(bytes.data(), static_cast<uint32_t>(bytes.size()));
    EXPECT_NE(texture, 0u) << name;
    if (texture != 0 && name.find("transparent") != std::string::npos) {
      std::vector<uint8_t> texels = textureTexels(texture);
      size_t clear = 0, opaque = 0;
      for (size_t at = 3; at < texels.size(); at += 4) {
        clear += texels[at] == 0;
        opaque += texels[at] == 255;
        if (texels[at] == 0) {
          EXPECT_NE(texels[at - 3] | texels[at - 2] | texels[at - 1], 0) << name;
        }
      }
      EXPECT_GT(clear, 0u) << name;
      EXPECT_GT(opaque, 0u) << name;
    }
    releaseImageTexture(texture);
    ++seeds;
  }
  closedir(folder);
  EXPECT_GE(seeds, 10);
}

TEST(ProceduralName, NumbersReachDownToTheSmallestInt) {
  ProceduralTextureRequest request;
  ASSERT_TRUE(parseProceduralTextureName("x#Plasma8x8,1,-2147483648,3", request));
  EXPECT_EQ(request.colour[1], 0);  // low 8 bits of -2^31
  EXPECT_FALSE(parseProceduralTextureName("x#Plasma8x8,1,-2147483649,3", request));
  EXPECT_FALSE(parseProceduralTextureName("x#Plasma8x8,1,2147483648,3", request));
  EXPECT_TRUE(parseProceduralTextureName("x#Plasma8x8,1,2147483647,3", request));
  EXPECT_EQ(request.colour[1], 255);
}

}  // namespace

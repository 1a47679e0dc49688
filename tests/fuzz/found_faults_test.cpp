// Faults the fuzzers found, pinned down as plain tests of the units that
// had them (the raw crashing inputs are replayed from regressions/ too).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
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

TEST(ImageStructure, OtherFormatsAreLeftToTheDecoder) {
  Bytes bmp;
  append(bmp, "BM");
  EXPECT_TRUE(complete(bmp));
  EXPECT_TRUE(complete(Bytes{0x89, 'P', 'N'}));
}

TEST(ImageTexture, ImageBeyondTheTextureLimitGivesNoTextureAndNoGlError) {
  OffscreenGlContext context(4, 4);
  ASSERT_TRUE(context.ok());
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_GT(maxSide, 0);
  // A grey map one pixel wide and one row taller than the limit.
  std::string header = "P5\n1 " + std::to_string(maxSide + 1) + "\n255\n";
  Bytes tall(header.begin(), header.end());
  tall.resize(tall.size() + static_cast<size_t>(maxSide) + 1, 128);
  EXPECT_EQ(uploadImageTexture(tall.data(), static_cast<uint32_t>(tall.size())), 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Refused from its header: decoding it would have asked for gigabytes.
  Bytes tallGif = gif(gifImage(1, static_cast<uint16_t>(std::min(maxSide + 1, 65535))));
  if (maxSide < 65535) {
    EXPECT_EQ(uploadImageTexture(tallGif.data(), static_cast<uint32_t>(tallGif.size())), 0u);
  }

  std::string fitting = "P5\n1 2\n255\n\x80\x80";
  uint32_t texture = uploadImageTexture(reinterpret_cast<const uint8_t*>(fitting.data()),
                                        static_cast<uint32_t>(fitting.size()));
  EXPECT_NE(texture, 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
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

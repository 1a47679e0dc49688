#include "resources/procedural_texture_cache.h"

#include <cstdlib>

#include "gl_fixture.h"
#include "resources/fire_texture.h"
#include "resources/plasma_texture.h"
#include "resources/procedural_name.h"

namespace {

using ProceduralTest = GlTest;

Rgba pixelOf(const std::vector<uint8_t>& pixels, int width, int x, int y) {
  size_t at = 4 * (static_cast<size_t>(y) * width + x);
  return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
}

Rgba paletteEntry(const uint8_t palette[256][4], int i) {
  return {palette[i][0], palette[i][1], palette[i][2], palette[i][3]};
}

}  // namespace

TEST_F(ProceduralTest, TexturesAreSharedByFullNameAndDeletedWithTheLastUse) {
  const std::string plasma = "a#Plasma16x16,10,20,30";
  uint32_t first = proceduralTextureCache.acquire(plasma);
  uint32_t again = proceduralTextureCache.acquire(plasma);
  uint32_t otherFirstChar = proceduralTextureCache.acquire("b#Plasma16x16,10,20,30");
  ASSERT_NE(first, 0u);
  EXPECT_EQ(again, first);
  EXPECT_NE(otherFirstChar, first);
  EXPECT_EQ(proceduralTextureCache.useCount(plasma), 2);

  proceduralTextureCache.release(plasma);
  EXPECT_TRUE(glIsTexture(first));
  proceduralTextureCache.release(plasma);
  EXPECT_FALSE(glIsTexture(first));
  proceduralTextureCache.release(plasma);  // no longer held: nothing happens
  proceduralTextureCache.release("b#Plasma16x16,10,20,30");
  EXPECT_EQ(proceduralTextureCache.size(), 0u);
}

TEST_F(ProceduralTest, UnsoundNamesGiveTextureZeroAndRecordNothing) {
  for (const char* name :
       {"a#Smoke16x16", "a#Plasma", "a#Plasma16", "a#Plasma16x", "a#Plasma16x16",
        "a#Plasma16x16,1,2", "a#Plasma0x16,1,2,3", "a#Plasma16x-4,1,2,3", "a#Plasma16xq,1,2,3",
        "a#Plasma99999x16,1,2,3", "a#Plasma16x99999999999,1,2,3", "a#Fire1x16", "a#Fire16x1",
        "a#Fire0x0", "a#plasma16x16,1,2,3", "#Plasma16x16,1,2,3", "a#"}) {
    EXPECT_EQ(proceduralTextureCache.acquire(name), 0u) << name;
  }
  EXPECT_EQ(proceduralTextureCache.size(), 0u);
}

TEST(ProceduralName, NumbersReadLikeStreamInput) {
  ProceduralTextureRequest request;
  ASSERT_TRUE(parseProceduralTextureName("z#Plasma64x32, 258,-1,+7 trailing", request));
  EXPECT_EQ(request.kind, ProceduralTextureRequest::Kind::Plasma);
  EXPECT_EQ(request.width, 64);
  EXPECT_EQ(request.height, 32);
  EXPECT_EQ(request.colour[0], 2);  // low 8 bits of 258
  EXPECT_EQ(request.colour[1], 255);
  EXPECT_EQ(request.colour[2], 7);
  // The kind runs up to the first digit, so a blank before it is part of it.
  EXPECT_FALSE(parseProceduralTextureName("z#Fire 8x2", request));
  ASSERT_TRUE(parseProceduralTextureName("z#Fire8* 2", request));
  EXPECT_EQ(request.kind, ProceduralTextureRequest::Kind::Fire);
  EXPECT_EQ(request.width, 8);
  EXPECT_EQ(request.height, 2);
}

TEST(Plasma, ShadeIsOpaqueOnlyJustAboveTheBase) {
  const uint8_t base[3] = {100, 250, 0};
  uint8_t pixel[4];
  plasmaShade(123, base, pixel);
  EXPECT_EQ(Rgba({pixel[0], pixel[1], pixel[2], pixel[3]}), (Rgba{103, 253, 3, 255}));
  plasmaShade(126, base, pixel);
  EXPECT_EQ(Rgba({pixel[0], pixel[1], pixel[2], pixel[3]}), (Rgba{106, 0, 6, 255}));
  for (int16_t v : {120, 127, 128, 200, 2}) {
    plasmaShade(v, base, pixel);
    EXPECT_EQ(pixel[3], 0) << v;
  }
}

TEST(Plasma, WaveValuesWorkedByHand) {
  // On a 628 x 314 texture one period spans 628 and 314 pixels, so kx = 0.01
  // and ky = 0.02 per pixel; 21 times the sum of six sines plus 128, cut to
  // an integer.
  struct Case {
    double timeMs;
    int x, y;
    int16_t value;
  } cases[] = {
      {0, 0, 0, 128},        // every sine at 0
      {0, 79, 0, 163},       // sin 0.79 + sin 1.58 + sin 3.16 = 1.6919
      {0, 0, 40, 162},       // sin 0.8 + sin 1.6 + sin 3.2 = 1.6586
      {1000, 0, 0, 154},     // 2 (sin -0.12 + sin -0.24 + sin -4.8) = 1.2775
      {1000, 79, 40, 153},   // both together: 1.2039
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plasmaWaveValue(c.timeMs, c.x, c.y, 628, 314), c.value)
        << "t " << c.timeMs << " at " << c.x << "," << c.y;
  }
}

TEST(Plasma, GridLinesEverySixteenPixelsAndAlongTheLastRowAndColumn) {
  const int size = 64;
  uint8_t base[3] = {10, 20, 30};
  std::vector<uint8_t> pixels(size * size * 4);
  generatePlasma(5000, size, size, pixels.data(), base);
  for (int line : {0, 16, 32, 48, 63}) {
    for (int along = 0; along < size; ++along) {
      EXPECT_EQ(pixelOf(pixels, size, line, along)[1], 127);
      EXPECT_EQ(pixelOf(pixels, size, line, along)[3], 255);
      EXPECT_EQ(pixelOf(pixels, size, along, line)[1], 127);
      EXPECT_EQ(pixelOf(pixels, size, along, line)[3], 255);
    }
  }
  // Off the grid a pixel is the shade of its wave value.
  for (int y : {5, 21, 40}) {
    for (int x : {3, 17, 62}) {
      uint8_t expected[4];
      plasmaShade(plasmaWaveValue(5000, x, y, size, size), base, expected);
      EXPECT_EQ(pixelOf(pixels, size, x, y),
                (Rgba{expected[0], expected[1], expected[2], expected[3]}));
    }
  }
}

TEST(Fire, PaletteRampsMeetAtTheirBoundaries) {
  uint8_t palette[256][4];
  fillFirePalette(palette);
  EXPECT_EQ(paletteEntry(palette, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(paletteEntry(palette, 63), (Rgba{251, 50, 35, 137}));
  EXPECT_EQ(paletteEntry(palette, 64), (Rgba{255, 51, 36, 140}));
  EXPECT_EQ(paletteEntry(palette, 96), (Rgba{255, 189, 51, 255}));
  EXPECT_EQ(paletteEntry(palette, 128), (Rgba{255, 237, 51, 255}));
  EXPECT_EQ(paletteEntry(palette, 195), (Rgba{102, 102, 186, 255}));
  EXPECT_EQ(paletteEntry(palette, 196), (Rgba{100, 100, 189, 255}));
  EXPECT_EQ(paletteEntry(palette, 254), (Rgba{252, 228, 53, 255}));
  EXPECT_EQ(paletteEntry(palette, 255), (Rgba{255, 231, 51, 255}));
}

TEST(Fire, EachCellTakesTheMeanOfEightCellsBelowLessOne) {
  // Four columns, two visible rows and the three spark rows under them.
  struct Case {
    std::vector<uint8_t> current;   // all five rows
    std::vector<uint8_t> expected;  // the two visible rows
  } cases[] = {
      // Top left inner cell: (10 + 30 + 50 + 60 + 70 + 90 + 100 + 110) / 8 - 1.
      {{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170, 180, 190,
        200},
       {0, 64, 74, 0, 0, 104, 114, 0}},
      // Embers: a sum of 8 gives heat 1, which cools to nothing.
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    FireState* fire = makeFireState(4, 2);
    fire->current = c.current;
    spreadAndCool(*fire, 2);
    EXPECT_EQ(std::vector<uint8_t>(fire->next.begin(), fire->next.begin() + 8), c.expected);
    releaseFireState(fire);
  }
}

TEST(Fire, FirstUpdateIsColdAwayFromTheSparks) {
  const int width = 32, height = 32;
  std::srand(7);
  FireState* fire = makeFireState(width, height);
  std::vector<uint8_t> pixels(width * height * 4, 0xEE);
  generateFire(0, width, height, pixels.data(), fire);
  // Heat rises by at most two rows per update, and the one spark inside the
  // picture lies in its lower half.
  for (int y = 0; y < height / 2 - 2; ++y) {
    for (int x = 0; x < width; ++x) EXPECT_EQ(pixelOf(pixels, width, x, y), (Rgba{0, 0, 0, 0}));
  }
  for (int step = 0; step < 50; ++step) generateFire(0, width, height, pixels.data(), fire);
  for (int y = 0; y < height; ++y) {
    EXPECT_EQ(pixelOf(pixels, width, 0, y), (Rgba{0, 0, 0, 0}));  // outer columns stay cold
    EXPECT_EQ(pixelOf(pixels, width, width - 1, y), (Rgba{0, 0, 0, 0}));
  }
  releaseFireState(fire);
}

TEST_F(ProceduralTest, UpdateAllUploadsEveryTexture) {
  uint32_t texture = proceduralTextureCache.acquire("q#Plasma16x16,0,0,0");
  int width = 0, height = 0;
  EXPECT_EQ(texels(texture, width, height), std::vector<uint8_t>(16 * 16 * 4, 0));
  proceduralTextureCache.updateAll(1234);
  std::vector<uint8_t> after = texels(texture, width, height);
  Rgba gridPixel = pixelOf(after, 16, 0, 5);
  EXPECT_EQ(gridPixel[1], 127);
  EXPECT_EQ(gridPixel[3], 255);
  proceduralTextureCache.release("q#Plasma16x16,0,0,0");
}

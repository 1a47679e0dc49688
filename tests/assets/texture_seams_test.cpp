// Ground textures tile along the track: a piece's texture meets itself and
// the other kind's texture without a visible seam.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "platform/png_file.h"
#include "tests/assets/archive_reading.h"

namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  double at(int x, int y, int c) const { return pixels[(size_t(y) * width + x) * 4 + c] / 255.0; }
};

bool decode(const PakArchive& archive, const std::string& entry, Image& image) {
  std::pair<const uint8_t*, uint32_t> data = archive.findEntry(entry);
  if (data.first == nullptr) return false;
  std::string path = ::testing::TempDir() + "halvenrode_texture_" + entry;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  std::fwrite(data.first, 1, data.second, f);
  std::fclose(f);
  bool ok = readPngRgba(path, image.width, image.height, image.pixels);
  std::remove(path.c_str());
  return ok;
}

// Mean absolute difference between column xa of a and column xb of b.
double columnDifference(const Image& a, int xa, const Image& b, int xb) {
  double sum = 0;
  for (int y = 0; y < a.height; ++y)
    for (int c = 0; c < 3; ++c) sum += std::fabs(a.at(xa, y, c) - b.at(xb, y, c));
  return sum / (3.0 * a.height);
}

}  // namespace

TEST(GroundTextures, WrapAlongTheTrackAndMatchEachOther) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  Image first, second;
  ASSERT_TRUE(decode(*archive, "relef1.png", first));
  ASSERT_TRUE(decode(*archive, "relef2.png", second));
  ASSERT_EQ(first.width, second.width);
  ASSERT_EQ(first.height, second.height);
  int last = first.width - 1;
  // Neighbouring columns inside one texture differ a little; across each
  // seam (a piece's end against either kind's start) they must not differ
  // more than that.
  double inside = columnDifference(first, first.width / 2, first, first.width / 2 + 1);
  EXPECT_LT(columnDifference(first, last, first, 0), 2 * inside + 0.01);
  EXPECT_LT(columnDifference(first, last, second, 0), 2 * inside + 0.01);
  EXPECT_LT(columnDifference(second, last, first, 0), 2 * inside + 0.01);
  // Far-apart columns do differ: the test would notice a blank texture.
  EXPECT_GT(columnDifference(first, first.width / 4, first, first.width / 2), inside);
}

// Ground textures carry the scene's light: they tile along the track, meet
// the other kind's texture without a seam, and are lit as the geometry
// under them is shaped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/assets/archive_reading.h"
#include "tests/support/picture_measures.h"
#include "tools/assets/snow_light.h"

namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;
  double at(int x, int y, int c) const { return pixels[(size_t(y) * width + x) * 4 + c] / 255.0; }
  // Mean luminance of the (2r + 1)^2 texels round texture coordinates (s, t).
  double luminanceNear(double s, double t, int r) const {
    int cx = int(s * width), cy = int(t * height);
    double sum = 0;
    int count = 0;
    for (int y = std::max(0, cy - r); y <= std::min(height - 1, cy + r); ++y)
      for (int x = std::max(0, cx - r); x <= std::min(width - 1, cx + r); ++x, ++count)
        sum += luminance(&pixels[(size_t(y) * width + x) * 4]);
    return count > 0 ? sum / count : 0;
  }
};

bool decode(const PakArchive& archive, const std::string& entry, Image& image) {
  return readImage(archive, entry, image.width, image.height, image.pixels);
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
  // more than that, and the two kinds' end columns are the same texels.
  double inside = columnDifference(first, first.width / 2, first, first.width / 2 + 1);
  EXPECT_LT(columnDifference(first, last, first, 0), 2 * inside + 0.01);
  EXPECT_LT(columnDifference(first, last, second, 0), 2 * inside + 0.01);
  EXPECT_LT(columnDifference(second, last, first, 0), 2 * inside + 0.01);
  EXPECT_LT(columnDifference(first, 0, second, 0), 0.002);
  EXPECT_LT(columnDifference(first, last, second, last), 0.002);
  // Far-apart columns do differ: the test would notice a blank texture.
  EXPECT_GT(columnDifference(first, first.width / 4, first, first.width / 2), inside);
}

TEST(GroundTextures, AreLitAsTheGroundUnderThemIsShaped) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("main.pak");
  ASSERT_TRUE(archive);
  // Light 1 as the track bed under the train sees it.
  Vec3 light = sunDirection();
  for (const char* kind : {"relef1", "relef2"}) {
    Image texture;
    ASSERT_TRUE(decode(*archive, std::string(kind) + ".png", texture));
    // A spread of light and shade that shows the relief, not a white sheet.
    EXPECT_GE(luminanceSpread(texture.pixels).deviation, 20.0) << kind;
    // The snow's vertices on real slopes (not the bed, not the far sides),
    // ordered from turned most towards the light to most away from it.
    std::vector<ReadMesh> meshes;
    ASSERT_TRUE(readModel(*archive, kind, meshes));
    const ReadMesh& snow = meshes[0];
    std::vector<std::pair<double, size_t>> slopes;
    for (size_t i = 0; i < snow.positions.size(); ++i) {
      const Vec3 &p = snow.positions[i], &n = snow.normals[i];
      if (std::fabs(p.y) < 8 || std::fabs(p.y) > 70 || n.z > 0.97) continue;
      slopes.push_back({dot(n, light), i});
    }
    ASSERT_GT(slopes.size(), 200u) << kind;
    std::sort(slopes.begin(), slopes.end());
    // The texture, averaged over a few units to look past the snow's fine
    // detail, at the 50 most shaded and the 50 most lit.
    auto meanAt = [&](size_t from, size_t to) {
      double sum = 0;
      for (size_t k = from; k < to; ++k) {
        const Vec2& st = snow.texCoords[slopes[k].second];
        sum += texture.luminanceNear(st.x, st.y, 6);
      }
      return sum / double(to - from);
    };
    double shaded = meanAt(0, 50), lit = meanAt(slopes.size() - 50, slopes.size());
    EXPECT_GT(lit, shaded + 25) << kind << ": lit " << lit << ", shaded " << shaded;
  }
}

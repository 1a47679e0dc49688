// Glyph entries that share an atlas show different cells of it: no two
// digits, days or months look alike by an indexing slip. The counter's
// label leaves room for its digits.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "overlays/frame_rate.h"
#include "tests/assets/archive_reading.h"

namespace {

// The texture rectangle's centre of an entry's single mesh, rounded.
std::pair<int, int> cellOf(const PakArchive& archive, const std::string& entry, std::string& texture) {
  std::vector<ReadMesh> meshes;
  EXPECT_TRUE(readModel(archive, entry, meshes)) << entry;
  if (meshes.size() != 1) return {-1, -1};
  double s = 0, t = 0;
  for (const Vec2& st : meshes[0].texCoords) {
    EXPECT_GE(st.x, 0.0);
    EXPECT_LE(st.x, 1.0);
    EXPECT_GE(st.y, 0.0);
    EXPECT_LE(st.y, 1.0);
    s += st.x, t += st.y;
  }
  texture = meshes[0].texture;
  size_t n = meshes[0].texCoords.size();
  return {int(s / n * 1000), int(t / n * 1000)};
}

void expectDistinctCells(const std::string& file, const std::vector<std::string>& entries) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive(file);
  ASSERT_TRUE(archive) << file;
  std::set<std::pair<std::string, std::pair<int, int>>> seen;
  for (const std::string& entry : entries) {
    std::string texture;
    std::pair<int, int> cell = cellOf(*archive, entry, texture);
    EXPECT_TRUE(seen.insert({texture, cell}).second) << file << ":" << entry << " repeats another glyph";
  }
}

std::vector<std::string> numbers(int first, int last, const std::string& prefix = "") {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

}  // namespace

TEST(OverlayAtlases, EveryGlyphShowsItsOwnCell) {
  std::vector<std::string> clock = numbers(0, 9);
  clock.insert(clock.end(), {"dot", "am", "pm"});
  expectDistinctCells("clock.pak", clock);
  std::vector<std::string> counter = numbers(0, 9);
  counter.push_back("fps");
  expectDistinctCells("utils.pak", counter);
  std::vector<std::string> calendar = numbers(1, 31);
  calendar.push_back("null");
  expectDistinctCells("calendar.pak", calendar);
  std::vector<std::string> headers = numbers(1, 12, "m");
  headers.insert(headers.end(), {"day", "day_rus"});
  expectDistinctCells("calendar.pak", headers);
}

// The counter's digits stand where the saver puts them: all three, the
// widest of every digit, right of the label's figures and clear of each
// other.
TEST(OverlayLayout, CounterLabelSitsLeftOfTheDigitsWithoutOverlap) {
  std::unique_ptr<PakArchive> archive = loadBuiltArchive("utils.pak");
  ASSERT_TRUE(archive);
  std::vector<ReadMesh> label;
  ASSERT_TRUE(readModel(*archive, "fps", label));
  double digitLeft = 1e9, digitRight = -1e9, labelRight = -1e9;
  std::string digitTexture;
  for (char entry = '0'; entry <= '9'; ++entry) {
    std::vector<ReadMesh> digit;
    ASSERT_TRUE(readModel(*archive, std::string(1, entry), digit));
    ASSERT_EQ(digit.size(), 1u);
    digitTexture = digit.front().texture;
    for (const Vec3& p : digit.front().positions)
      digitLeft = std::min(digitLeft, p.x), digitRight = std::max(digitRight, p.x);
  }
  for (const ReadMesh& m : label)
    if (m.texture == digitTexture)  // the label's figures, not its backing
      for (const Vec3& p : m.positions) labelRight = std::max(labelRight, p.x);
  std::vector<FrameRateDigit> digits = frameRateDigits(4995);
  ASSERT_EQ(digits.size(), 3u);
  std::sort(digits.begin(), digits.end(),
            [](const FrameRateDigit& a, const FrameRateDigit& b) { return a.x < b.x; });
  EXPECT_LE(labelRight, digits[0].x + digitLeft);
  for (size_t i = 1; i < digits.size(); ++i)
    EXPECT_LE(digits[i - 1].x + digitRight, digits[i].x + digitLeft) << "digit " << i;
}

// What the preview paints, decided apart from any window: the picture file
// read through the bitmap reader, at the one expected width.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "app/preview_picture.h"
#include "bitmap_file.h"
#include "scratch_folder.h"

namespace {

class PreviewPictureTest : public ::testing::Test {
 protected:
  std::string picturePath() const { return folder.file("preview.ppk"); }
  void install(const TestPicture& picture, int bitsPerPixel = 24) {
    ASSERT_TRUE(writeBitmapFile(picturePath(), picture, bitsPerPixel));
  }
  void installBytes(const std::string& bytes) {
    std::ofstream(picturePath(), std::ios::binary | std::ios::trunc) << bytes;
  }
  // The painted pixels must be exactly the picture's top-left part.
  static void expectTopLeftOf(const TestPicture& source, const PreviewPicture& shown) {
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        ASSERT_EQ(shown.pixels[static_cast<size_t>(y) * shown.width + x], source.at(x, y))
            << "at (" << x << ", " << y << ")";
      }
    }
  }
  ScratchFolder folder;
};

TEST_F(PreviewPictureTest, ExpectedWidthShowsThePicturePixelForPixel) {
  TestPicture source = patternPicture(152, 112, 1);
  install(source);
  PreviewPicture shown = previewPictureFor(152, 112, picturePath());
  ASSERT_EQ(shown.width, 152);
  ASSERT_EQ(shown.height, 112);
  expectTopLeftOf(source, shown);
}

TEST_F(PreviewPictureTest, AnyOtherWidthShowsNothingEvenWithAPicture) {
  install(patternPicture(152, 112, 2));
  for (int width : {151, 153, 0, -152, 304}) {
    PreviewPicture shown = previewPictureFor(width, 112, picturePath());
    EXPECT_TRUE(shown.pixels.empty()) << "width " << width;
    EXPECT_EQ(shown.width, 0);
  }
}

TEST_F(PreviewPictureTest, PictureIsClippedByTheWindowNotScaled) {
  TestPicture large = patternPicture(200, 150, 3);
  install(large);
  PreviewPicture shown = previewPictureFor(152, 100, picturePath());
  ASSERT_EQ(shown.width, 152);
  ASSERT_EQ(shown.height, 100);
  expectTopLeftOf(large, shown);

  TestPicture small = patternPicture(40, 30, 4);
  install(small);
  shown = previewPictureFor(152, 100, picturePath());
  ASSERT_EQ(shown.width, 40);
  ASSERT_EQ(shown.height, 30);
  expectTopLeftOf(small, shown);
}

// Rows of 5 pixels take 15 bytes and are padded to 16 in the file and in
// the reader's surface; a 32-bit file has a different pixel layout again.
TEST_F(PreviewPictureTest, PaddedRowsAndOtherDepthsKeepTheirColours) {
  TestPicture odd = patternPicture(5, 7, 5);
  install(odd);
  PreviewPicture shown = previewPictureFor(152, 112, picturePath());
  ASSERT_EQ(shown.width, 5);
  expectTopLeftOf(odd, shown);

  TestPicture wide = patternPicture(152, 20, 6);
  install(wide, 32);
  shown = previewPictureFor(152, 112, picturePath());
  ASSERT_EQ(shown.height, 20);
  expectTopLeftOf(wide, shown);
}

TEST_F(PreviewPictureTest, FileIsReadAgainForEveryPaint) {
  TestPicture first = patternPicture(152, 10, 7);
  install(first);
  expectTopLeftOf(first, previewPictureFor(152, 112, picturePath()));
  TestPicture second = patternPicture(152, 10, 99);
  install(second);
  expectTopLeftOf(second, previewPictureFor(152, 112, picturePath()));
  std::remove(picturePath().c_str());
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty());
}

TEST_F(PreviewPictureTest, MissingOrDamagedPictureShowsNothing) {
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "missing";
  EXPECT_TRUE(previewPictureFor(152, 112, folder.path()).pixels.empty()) << "a folder";

  installBytes("");
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "empty";
  installBytes("not a bitmap at all, just some text to read");
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "text";

  // A real header that promises more pixel rows than the file holds.
  ASSERT_TRUE(writeBitmapFile(picturePath(), patternPicture(152, 112, 8)));
  std::ifstream in(picturePath(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  installBytes(bytes.substr(0, 60));
  PreviewPicture truncated = previewPictureFor(152, 112, picturePath());
  EXPECT_LE(truncated.pixels.size(), static_cast<size_t>(152 * 112));
  EXPECT_EQ(truncated.pixels.size(), static_cast<size_t>(truncated.width) * truncated.height);

  // A header declaring 16383 x 32767 pixels, alone and as a sparse file of
  // that size: refused before the reader makes a 1.5 GiB surface.
  std::string giant = bytes.substr(0, 54);
  for (int at : {18, 22}) giant.replace(at, 4, at == 18 ? "\xff\x3f\0\0" : "\xff\x7f\0\0");
  installBytes(giant);
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "giant header";
  ASSERT_EQ(truncate(picturePath().c_str(), 54 + 16383LL * 3 * 32767), 0);
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "giant sparse file";
  // A pipe would block a reader that waits for a writer.
  std::remove(picturePath().c_str());
  ASSERT_EQ(mkfifo(picturePath().c_str(), 0644), 0);
  EXPECT_TRUE(previewPictureFor(152, 112, picturePath()).pixels.empty()) << "a pipe";
}

}  // namespace

#include "resources/pak_cache.h"

#include <unistd.h>

#include <png.h>

#include <cstring>
#include <filesystem>

#include "gl_fixture.h"
#include "resources/image_prefetch.h"
#include "resources/image_texture.h"
#include "resources/mesh.h"
#include "resources/model_reader.h"
#include "resources/procedural_texture_cache.h"
#include "temp_folder.h"
#include "tests/support/model_builder.h"

namespace {

// 2 x 2, first row red and green, second row blue and half-transparent white.
const std::vector<uint8_t> kSnowPixels = {255, 0, 0,   255, 0,   255, 0,   255,
                                          0,   0, 255, 255, 255, 255, 255, 128};

class PakCacheTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    pakCache.setBaseFolder(folder_.path());
  }
  void TearDown() override {
    EXPECT_FALSE(pakCache.isOpen("c.pak"));
    pakCache.setBaseFolder("0");
    GlTest::TearDown();
  }

  // "m": two meshes on "snow.png" and one computed texture.
  void writeArchive(const std::string& file, const std::string& extraEntry = "") {
    PakArchive archive;
    std::vector<uint8_t> model = buildModel({quadRecord("snow.png", 0, 0, 1, 1, 0),
                                             quadRecord("snow.png", 0, 0, 1, 1, 0),
                                             quadRecord("x#Plasma16x16,1,2,3", 0, 0, 1, 1, 0)});
    std::vector<uint8_t> png = pngImage(2, 2, kSnowPixels);
    archive.addEntry("m", model.data(), static_cast<uint32_t>(model.size()));
    archive.addEntry("snow.png", png.data(), static_cast<uint32_t>(png.size()));
    archive.addEntry("notes.txt", reinterpret_cast<const uint8_t*>("not an image"), 12);
    if (!extraEntry.empty()) archive.addEntry(extraEntry, nullptr, 0);
    ASSERT_TRUE(archive.save(folder_.file(file)));
  }

  // What a scene node does when it is destroyed.
  static void destroyModel(std::vector<Mesh*>& meshes) {
    pakCache.releaseArchive("c.pak");
    for (Mesh* mesh : meshes) delete mesh;
    meshes.clear();
  }

  TempFolder folder_;
};

}  // namespace

TEST_F(PakCacheTest, ModelsShareTheArchiveAndTheirTextures) {
  writeArchive("c.pak");
  std::vector<Mesh*> first, second;
  ASSERT_EQ(readModelEntry("c.pak", "m", first), 3);
  // Opened once: the second load does not need the file any more.
  std::filesystem::remove(folder_.file("c.pak"));
  ASSERT_EQ(readModelEntry("c.pak", "m", second), 3);
  // Two loads plus one per archive-textured mesh per load.
  EXPECT_EQ(pakCache.useCount("c.pak"), 2 + 2 * 2);

  uint32_t snow = first[0]->texture();
  EXPECT_NE(snow, 0u);
  EXPECT_EQ(first[1]->texture(), snow);
  EXPECT_EQ(second[0]->texture(), snow);
  EXPECT_TRUE(first[2]->isProcedural());
  EXPECT_EQ(proceduralTextureCache.useCount("x#Plasma16x16,1,2,3"), 2);

  destroyModel(first);
  EXPECT_EQ(pakCache.useCount("c.pak"), 3);
  EXPECT_TRUE(glIsTexture(snow));
  const PakArchive* archive = pakCache.peekArchive("c.pak");
  EXPECT_EQ(archive->entryTexture(1), snow);
  EXPECT_EQ(archive->entryTextureUses(1), 2);

  delete second[0];
  EXPECT_TRUE(glIsTexture(snow));
  delete second[1];
  EXPECT_FALSE(glIsTexture(snow));
  EXPECT_EQ(archive->entryTexture(1), 0u);
  second.erase(second.begin(), second.begin() + 2);
  destroyModel(second);
  EXPECT_FALSE(pakCache.isOpen("c.pak"));
  EXPECT_EQ(proceduralTextureCache.useCount("x#Plasma16x16,1,2,3"), 0);
}

std::vector<std::string> reported;
void noteUnreadable(const std::string& problem) { reported.push_back(problem); }

// An archive that cannot be read goes to the program's handler once, with
// the line to show; should the program go on, it stands open and empty.
TEST_F(PakCacheTest, UnreadableArchiveGoesToTheHandlerOnceAndStandsEmpty) {
  reported.clear();
  pakCache.setUnreadableArchiveHandler(noteUnreadable);
  EXPECT_EQ(pakCache.findEntry("gone.pak", "m").first, nullptr);
  EXPECT_EQ(pakCache.acquireTexture("gone.pak", "snow.png"), 0u);
  pakCache.setUnreadableArchiveHandler(nullptr);
  EXPECT_EQ(reported, std::vector<std::string>{"cannot read the archive gone.pak: " +
                                               folder_.file("gone.pak") + " does not exist"});
  EXPECT_EQ(pakCache.useCount("gone.pak"), 2);
  pakCache.releaseTexture("gone.pak", 0);
  pakCache.releaseArchive("gone.pak");
  EXPECT_FALSE(pakCache.isOpen("gone.pak"));
}

TEST_F(PakCacheTest, ClosedArchiveIsReadAgainOnNextUse) {
  writeArchive("c.pak");
  pakCache.acquireArchive("c.pak");
  pakCache.releaseArchive("c.pak");
  EXPECT_FALSE(pakCache.isOpen("c.pak"));
  writeArchive("c.pak", "added later");
  PakArchive* reopened = pakCache.acquireArchive("c.pak");
  EXPECT_NE(reopened->findEntry("added later").first, nullptr);
  pakCache.releaseArchive("c.pak");
  pakCache.releaseArchive("never opened");  // changes nothing
}

TEST_F(PakCacheTest, MissingAndNonImageEntriesGiveTextureZero) {
  writeArchive("c.pak");
  auto missing = pakCache.findEntry("c.pak", "absent");
  EXPECT_EQ(missing.first, nullptr);
  EXPECT_EQ(pakCache.useCount("c.pak"), 1);  // counted even when missing

  EXPECT_EQ(pakCache.acquireTexture("c.pak", "notes.txt"), 0u);
  EXPECT_EQ(pakCache.acquireTexture("c.pak", "absent"), 0u);
  EXPECT_EQ(pakCache.peekArchive("c.pak")->entryTexture(2), 0u);
  EXPECT_EQ(pakCache.useCount("c.pak"), 3);

  // Releasing texture 0 ends one use of the archive and touches no entry.
  pakCache.releaseTexture("c.pak", 0);
  EXPECT_EQ(pakCache.useCount("c.pak"), 2);
  pakCache.releaseTexture("c.pak", 0);
  pakCache.releaseArchive("c.pak");
}

TEST_F(PakCacheTest, BaseFolderStartingWithZeroMeansWorkingDirectory) {
  writeArchive("c.pak");
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  pakCache.setBaseFolder("0:\\ignored\\");
  EXPECT_NE(pakCache.findEntry("c.pak", "m").first, nullptr);
  pakCache.releaseArchive("c.pak");
  std::filesystem::current_path(previous);

  // Backslashes of the stored folder text reach the file system as '/'.
  std::string withBackslash = folder_.path();
  withBackslash.back() = '\\';
  pakCache.setBaseFolder(withBackslash);
  EXPECT_NE(pakCache.findEntry("c.pak", "m").first, nullptr);
  pakCache.releaseArchive("c.pak");
}

TEST_F(PakCacheTest, ImagesAreUploadedAsRgbaWithTheFirstRowAtTZero) {
  const std::vector<uint8_t> rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
  const std::vector<uint8_t> indices = {0, 1, 1, 0};
  const std::vector<uint8_t> palette = {200, 0, 50, 5, 250, 5};
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"rgba png", pngImage(2, 2, kSnowPixels), kSnowPixels},
      {"rgb bmp", bmpImage24(2, 2, rgb),
       {10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255, 100, 110, 120, 255}},
      {"paletted bmp", bmpImage8(2, 2, indices, palette),
       {200, 0, 50, 255, 5, 250, 5, 255, 5, 250, 5, 255, 200, 0, 50, 255}},
  };
  PakArchive archive;
  for (const Case& c : cases) {
    archive.addEntry(c.name, c.bytes.data(), static_cast<uint32_t>(c.bytes.size()));
  }
  for (const Case& c : cases) {
    uint32_t texture = archive.acquireTexture(c.name);
    ASSERT_NE(texture, 0u) << c.name;
    int width = 0, height = 0;
    EXPECT_EQ(texels(texture, width, height), c.expected) << c.name;
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    archive.releaseTexture(texture);
  }
}

namespace {

// A 24-bit RGB PNG (no alpha channel), as the archives' photographs are.
std::vector<uint8_t> rgbPng(int width, int height, const std::vector<uint8_t>& rgb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
  std::vector<uint8_t> bytes(size);
  png_image_write_to_memory(&image, bytes.data(), &size, 0, rgb.data(), 0, nullptr);
  bytes.resize(size);
  return bytes;
}

}  // namespace

// RGB images take a direct path to RGBA; rows of an odd width are padded in
// the decoded image and must not shift the next row. PNG keeps red first in
// memory, BMP blue first.
TEST_F(PakCacheTest, RgbImagesOfOddWidthComeOutOpaqueInTheirOwnColours) {
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 3 * 2 * 3; ++i) rgb.push_back(static_cast<uint8_t>(11 * i + 3));
  std::vector<uint8_t> expected;
  for (size_t i = 0; i < rgb.size(); i += 3) {
    expected.insert(expected.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  }
  PakArchive archive;
  std::vector<uint8_t> png = rgbPng(3, 2, rgb);
  std::vector<uint8_t> bmp = bmpImage24(3, 2, rgb);
  archive.addEntry("png", png.data(), static_cast<uint32_t>(png.size()));
  archive.addEntry("bmp", bmp.data(), static_cast<uint32_t>(bmp.size()));
  for (const char* name : {"png", "bmp"}) {
    uint32_t texture = archive.acquireTexture(name);
    ASSERT_NE(texture, 0u) << name;
    int width = 0, height = 0;
    EXPECT_EQ(texels(texture, width, height), expected) << name;
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    archive.releaseTexture(texture);
  }
}

namespace {

// A one-pixel GIF: screen and image 1 x 1, two colours, the pixel index 0.
const std::vector<uint8_t> kOnePixelGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                           9, 8, 7, 200, 100, 50, ',', 0, 0, 0, 0, 1, 0, 1, 0,
                                           0, 2, 2, 0x44, 0x01, 0, ';'};

std::vector<uint8_t> textBytes(const std::string& text) { return {text.begin(), text.end()}; }

uint32_t textureOf(PakArchive& archive, const std::string& name, const std::vector<uint8_t>& bytes) {
  archive.addEntry(name, bytes.data(), static_cast<uint32_t>(bytes.size()));
  return archive.acquireTexture(name);
}

}  // namespace

// Only PNG, GIF and BMP reach the decoder; every other format it could read
// (and whose readers hang or crash on damage) gives texture 0, as does any
// side longer than 4096 pixels however large the GL's limit.
TEST_F(PakCacheTest, OnlyPngGifAndBmpOfAtMost4096PixelsBecomeTextures) {
  PakArchive archive;
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool texture;
  } cases[] = {
      {"png", pngImage(2, 2, kSnowPixels), true},
      {"gif", kOnePixelGif, true},
      {"bmp 4096 wide", bmpImage24(4096, 1, std::vector<uint8_t>(3 * 4096, 90)), true},
      {"bmp 4097 wide", bmpImage24(4097, 1, std::vector<uint8_t>(3 * 4097, 90)), false},
      {"ppm", textBytes("P6\n1 1\n255\n\x10\x20\x30"), false},
      {"pgm", textBytes("P5\n2 1\n255\n\x80\x80"), false},
      {"xpm", textBytes("/* XPM */\nstatic char *x[] = {\"1 1 1 1\", \"a c #ff0000\", \"a\"};\n"), false},
      {"tga", {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3}, false},
  };
  const uint64_t before = decodedImageBytes();
  for (const Case& c : cases) {
    uint32_t texture = textureOf(archive, c.name, c.bytes);
    EXPECT_EQ(texture != 0, c.texture) << c.name;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << c.name;
    archive.releaseTexture(texture);
  }
  EXPECT_EQ(decodedImageBytes(), before) << "every texture made was given back";
}

// The decoded images together stay within their budget: an image that would
// go past it is refused before decoding, and a released one makes room.
TEST_F(PakCacheTest, DecodedImagesTogetherStayWithinTheBudget) {
  const uint64_t oneImage = 64 * 64 * 4;
  const uint64_t before = decodedImageBytes();
  setDecodedImageBudget(before + 3 * oneImage);
  PakArchive archive;
  std::vector<uint8_t> grey = bmpImage24(64, 64, std::vector<uint8_t>(3 * 64 * 64, 128));
  std::vector<uint32_t> textures;
  for (const char* name : {"a", "b", "c", "d"}) textures.push_back(textureOf(archive, name, grey));
  EXPECT_NE(textures[2], 0u);
  EXPECT_EQ(textures[3], 0u) << "the fourth image is over the budget";
  EXPECT_EQ(decodedImageBytes() - before, 3 * oneImage);
  archive.releaseTexture(textures[0]);
  EXPECT_EQ(decodedImageBytes() - before, 2 * oneImage);
  uint32_t again = archive.acquireTexture("d");
  EXPECT_NE(again, 0u) << "room again after a release";
  // "d" counts two uses: the refused one and this one.
  for (uint32_t texture : {textures[1], textures[2], again, again}) archive.releaseTexture(texture);
  EXPECT_EQ(decodedImageBytes(), before);
  setDecodedImageBudget(kDecodedImageBudget);
}

// Pictures decoded ahead on the second thread make the textures decoding at
// first use makes: same texels, damaged entries still texture 0, the budget
// still holds; the prefetch's hold on the archive ends with it.
TEST_F(PakCacheTest, ImagesDecodedAheadMakeTheSameTextures) {
  std::vector<uint8_t> rgb(3 * 5 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(17 * i + 1);
  std::vector<uint8_t> large = pngImage(64, 64, std::vector<uint8_t>(4 * 64 * 64, 90));
  std::vector<uint8_t> damaged = pngImage(2, 2, kSnowPixels);
  damaged.resize(damaged.size() / 2);
  PakArchive archive;
  struct Entry {
    const char* name;
    std::vector<uint8_t> bytes;
  } entries[] = {{"snow", pngImage(2, 2, kSnowPixels)}, {"rgb", rgbPng(5, 3, rgb)},
                 {"damaged", damaged}, {"large", large}, {"unused", large}};
  for (const Entry& e : entries) {
    archive.addEntry(e.name, e.bytes.data(), static_cast<uint32_t>(e.bytes.size()));
  }
  ASSERT_TRUE(archive.save(folder_.file("c.pak")));

  auto texelsOf = [&](const char* name) {
    uint32_t texture = pakCache.acquireTexture("c.pak", name);
    int width = 0, height = 0;
    std::vector<uint8_t> result;
    if (texture != 0) result = texels(texture, width, height);
    pakCache.releaseTexture("c.pak", texture);
    return result;
  };
  std::vector<std::vector<uint8_t>> direct;
  for (const char* name : {"snow", "rgb", "damaged", "large"}) direct.push_back(texelsOf(name));
  ASSERT_FALSE(pakCache.isOpen("c.pak"));

  startImagePrefetch("c.pak");
  EXPECT_EQ(pakCache.useCount("c.pak"), 1);
  size_t at = 0;
  for (const char* name : {"snow", "rgb", "damaged"}) EXPECT_EQ(texelsOf(name), direct[at++]) << name;
  setDecodedImageBudget(decodedImageBytes() + 64 * 64 * 4 - 1);
  EXPECT_TRUE(texelsOf("large").empty()) << "a picture decoded ahead is held to the budget too";
  setDecodedImageBudget(kDecodedImageBudget);
  endImagePrefetch();
  EXPECT_FALSE(pakCache.isOpen("c.pak"));
  EXPECT_EQ(direct[3], texelsOf("large")) << "decoded at first use once the prefetch is over";
  EXPECT_FALSE(direct[0].empty());
  EXPECT_TRUE(direct[2].empty()) << "a damaged picture makes no texture";
}

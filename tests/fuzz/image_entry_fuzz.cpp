// Image entries on their way to a texture. Whatever the bytes: decoding
// either gives a texture of positive size or none, the entry's slot and use
// count follow acquire and release exactly, and the last release frees the
// texture.
#include <GL/gl.h>

#include <cstdint>
#include <memory>

#include "platform/offscreen_gl.h"
#include "resources/pak_archive.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

OffscreenGlContext& glContext() {
  static OffscreenGlContext context(4, 4);
  return context;
}

void checkTexture(uint32_t texture) {
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  FUZZ_CHECK(width > 0 && height > 0);
  glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FUZZ_CHECK(glContext().ok());
  if (size > UINT32_MAX) return 0;
  PakArchive archive;
  FUZZ_CHECK(archive.addEntry("picture", data, static_cast<uint32_t>(size)));
  uint32_t texture = archive.acquireTexture("picture");
  uint32_t again = archive.acquireTexture("picture");
  FUZZ_CHECK(again == texture);
  FUZZ_CHECK(archive.entryTexture(0) == texture);
  // Both acquisitions count, also when no texture could be made.
  FUZZ_CHECK(archive.entryTextureUses(0) == 2);
  if (texture != 0) {
    checkTexture(texture);
    archive.releaseTexture(texture);
    FUZZ_CHECK(archive.entryTexture(0) == texture);
    archive.releaseTexture(texture);
    FUZZ_CHECK(archive.entryTexture(0) == 0 && archive.entryTextureUses(0) == 0);
    FUZZ_CHECK(glIsTexture(texture) == GL_FALSE);
  }
  FUZZ_CHECK(glGetError() == GL_NO_ERROR);
  return 0;
}

#include "platform/png_file.h"

#include <png.h>

#include <cstring>

bool writePngRgba(const std::string& path, int width, int height,
                  const std::vector<uint8_t>& pixels, bool bottomUp) {
  if (width <= 0 || height <= 0 ||
      pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  // Screenshots and stills are read back by tools and tests, not shipped:
  // light compression writes a full-screen picture several times faster.
  image.flags = PNG_IMAGE_FLAG_FAST;
  png_int_32 stride = bottomUp ? -width * 4 : width * 4;
  int ok = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr);
  return ok != 0;
}

bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& pixels) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  pixels.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

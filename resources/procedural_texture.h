#pragma once
#include <cstdint>
#include <vector>

// Fills `pixels` (width x height RGBA, row 0 first) for the time `timeMs`
// (milliseconds) from the generator's own state in `userData`.
using TextureGenerator = void (*)(uint32_t timeMs, int width, int height, uint8_t* pixels,
                                  void* userData);
using UserDataRelease = void (*)(void* userData);

// A pixel buffer, an OpenGL texture of the same size and the generator that
// refills the buffer. The texture is created (from a zeroed buffer) on
// construction; the generator first runs on the first update.
class ProceduralTexture {
 public:
  // Takes ownership of `userData`, freed with `release`. Needs a current
  // OpenGL context.
  ProceduralTexture(TextureGenerator generator, void* userData, UserDataRelease release,
                    int width, int height);
  // Frees the user data. The OpenGL texture is deleted by deleteTexture().
  ~ProceduralTexture();
  ProceduralTexture(const ProceduralTexture&) = delete;
  ProceduralTexture& operator=(const ProceduralTexture&) = delete;

  // Runs the generator for `timeMs` and replaces the texture's pixels.
  void update(uint32_t timeMs);

  void deleteTexture();

  uint32_t texture() const { return texture_; }
  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }

 private:
  TextureGenerator generator_;
  void* userData_;
  UserDataRelease release_;
  int width_;
  int height_;
  uint32_t texture_ = 0;
  std::vector<uint8_t> pixels_;
};

#include "resources/procedural_texture.h"

#include <GL/gl.h>

#include <cstddef>

ProceduralTexture::ProceduralTexture(TextureGenerator generator, void* userData,
                                     UserDataRelease release, int width, int height)
    : generator_(generator),
      userData_(userData),
      release_(release),
      width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0) {
  GLuint name = 0;
  glGenTextures(1, &name);
  texture_ = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pixels_.data());
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

ProceduralTexture::~ProceduralTexture() {
  if (release_ != nullptr) release_(userData_);
}

void ProceduralTexture::update(uint32_t timeMs) {
  generator_(timeMs, width_, height_, pixels_.data(), userData_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE,
                  pixels_.data());
}

void ProceduralTexture::deleteTexture() {
  if (texture_ == 0) return;
  GLuint name = texture_;
  glDeleteTextures(1, &name);
  texture_ = 0;
}

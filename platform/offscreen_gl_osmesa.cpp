#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include <GL/osmesa.h>

#include "platform/software_rasteriser.h"

struct OffscreenGlContext::Impl {
  OSMesaContext context = nullptr;
  std::vector<uint8_t> buffer;
};

OffscreenGlContext::OffscreenGlContext(int width, int height)
    : impl_(new Impl), width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  avoidBrokenSoftwareRasteriserCode();
  const int attributes[] = {OSMESA_FORMAT,     OSMESA_RGBA, OSMESA_DEPTH_BITS, 24,
                            OSMESA_STENCIL_BITS, 0,         OSMESA_ACCUM_BITS, 0,
                            OSMESA_PROFILE,    OSMESA_COMPAT_PROFILE, 0};
  impl_->context = OSMesaCreateContextAttribs(attributes, nullptr);
  if (impl_->context == nullptr) return;
  impl_->buffer.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  ok_ = makeCurrent();
}

OffscreenGlContext::~OffscreenGlContext() {
  if (impl_->context != nullptr) OSMesaDestroyContext(impl_->context);
}

bool OffscreenGlContext::makeCurrent() {
  if (impl_->context == nullptr) return false;
  return OSMesaMakeCurrent(impl_->context, impl_->buffer.data(), GL_UNSIGNED_BYTE, width_,
                           height_) == GL_TRUE;
}

std::vector<uint8_t> OffscreenGlContext::readPixels() const {
  glFinish();
  // OSMesa renders straight into our buffer, bottom row first.
  return impl_->buffer;
}

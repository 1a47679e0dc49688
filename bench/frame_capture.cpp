#include "bench/frame_capture.h"

#include <cstring>

namespace {

CapturedFrame* recording = nullptr;

bool enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

ArrayPointer readArray(GLenum pointerName, GLenum sizeName, GLenum typeName, GLenum strideName) {
  ArrayPointer array;
  GLvoid* data = nullptr;
  glGetPointerv(pointerName, &data);
  array.data = data;
  GLint value = 0;
  if (sizeName != 0) glGetIntegerv(sizeName, &array.size);
  glGetIntegerv(typeName, &value);
  array.type = static_cast<GLenum>(value);
  glGetIntegerv(strideName, &value);
  array.stride = value;
  return array;
}

}  // namespace

bool ArrayPointer::operator==(const ArrayPointer& other) const {
  return data == other.data && size == other.size && type == other.type && stride == other.stride;
}

size_t CapturedFrame::vertexCount() const {
  size_t total = 0;
  for (const CapturedDraw& draw : draws) total += static_cast<size_t>(draw.count);
  return total;
}

DrawState readDrawState() {
  DrawState state;
  glGetFloatv(GL_MODELVIEW_MATRIX, state.modelview);
  state.depthTest = enabled(GL_DEPTH_TEST);
  GLboolean mask = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
  state.depthMask = mask == GL_TRUE;
  state.normalize = enabled(GL_NORMALIZE);
  state.lighting = enabled(GL_LIGHTING);
  for (int i = 0; i < kCapturedLights; ++i) state.lights[i] = enabled(GL_LIGHT1 + i);
  state.alphaTest = enabled(GL_ALPHA_TEST);
  state.blend = enabled(GL_BLEND);
  state.texture2D = enabled(GL_TEXTURE_2D);
  GLint texture = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  state.texture = static_cast<GLuint>(texture);
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, state.ambient);
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, state.diffuse);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, state.specular);
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &state.shininess);
  glGetLightfv(GL_LIGHT1, GL_POSITION, state.light1Position);
  state.vertices = readArray(GL_VERTEX_ARRAY_POINTER, GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE,
                             GL_VERTEX_ARRAY_STRIDE);
  state.normals =
      readArray(GL_NORMAL_ARRAY_POINTER, 0, GL_NORMAL_ARRAY_TYPE, GL_NORMAL_ARRAY_STRIDE);
  state.texCoords = readArray(GL_TEXTURE_COORD_ARRAY_POINTER, GL_TEXTURE_COORD_ARRAY_SIZE,
                              GL_TEXTURE_COORD_ARRAY_TYPE, GL_TEXTURE_COORD_ARRAY_STRIDE);
  return state;
}

void beginFrameCapture(CapturedFrame& frame) {
  frame = CapturedFrame();
  recording = &frame;
}

void endFrameCapture() {
  if (recording == nullptr) return;
  recording->endState = readDrawState();
  recording = nullptr;
}

void recordClear(GLbitfield mask) {
  if (recording == nullptr) return;
  std::array<GLfloat, 4> colour{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colour.data());
  recording->clearColours.push_back(colour);
  recording->steps.push_back({CapturedStep::Kind::Clear, mask, recording->clearColours.size() - 1});
}

void recordUpload(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                  GLenum format, GLenum type, const void* pixels) {
  if (recording == nullptr || target != GL_TEXTURE_2D || format != GL_RGBA ||
      type != GL_UNSIGNED_BYTE || pixels == nullptr || width <= 0 || height <= 0) {
    return;
  }
  CapturedUpload upload;
  GLint texture = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
  upload.texture = static_cast<GLuint>(texture);
  upload.level = level;
  upload.x = x;
  upload.y = y;
  upload.width = width;
  upload.height = height;
  // RGBA rows are whole multiples of 4 bytes: no row padding to allow for.
  size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  upload.pixels.resize(bytes);
  std::memcpy(upload.pixels.data(), pixels, bytes);
  recording->uploads.push_back(std::move(upload));
  recording->steps.push_back({CapturedStep::Kind::Upload, 0, recording->uploads.size() - 1});
}

void recordDraw(GLenum mode, GLint first, GLsizei count) {
  if (recording == nullptr) return;
  CapturedDraw draw;
  draw.state = readDrawState();
  draw.mode = mode;
  draw.first = first;
  draw.count = count;
  recording->draws.push_back(draw);
  recording->steps.push_back({CapturedStep::Kind::Draw, 0, recording->draws.size() - 1});
}

#pragma once
#include <GL/gl.h>

#include <cstddef>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// One frame of the saver recorded at the level of OpenGL: every clear,
// texture upload and array draw in call order, each draw with the matrix,
// enable states, texture, material, light position and arrays it used. The
// replay draws the same picture with none of the scene tree, timelines or
// events: the "raw drawing" the saver's own frame is measured against.

// GL_LIGHT1 up to GL_LIGHT7: the lights a scene may switch.
constexpr int kCapturedLights = 7;

struct ArrayPointer {
  const void* data = nullptr;
  GLint size = 0;
  GLenum type = 0;
  GLsizei stride = 0;
  bool operator==(const ArrayPointer& other) const;
};

// What a draw needs besides its vertex range.
struct DrawState {
  GLfloat modelview[16] = {};
  bool depthTest = true;
  bool depthMask = true;
  bool normalize = false;
  bool lighting = false;
  bool lights[kCapturedLights] = {};
  bool alphaTest = false;
  bool blend = false;
  bool texture2D = true;
  GLuint texture = 0;
  GLfloat ambient[4] = {};
  GLfloat diffuse[4] = {};
  GLfloat specular[4] = {};
  GLfloat shininess = 0;
  GLfloat light1Position[4] = {};  // eye coordinates
  ArrayPointer vertices, normals, texCoords;
};

struct CapturedDraw {
  DrawState state;
  GLenum mode = GL_TRIANGLES;
  GLint first = 0;
  GLsizei count = 0;
};

// A sub-image upload of RGBA bytes; other layouts are not recorded.
struct CapturedUpload {
  GLuint texture = 0;
  GLint level = 0, x = 0, y = 0;
  GLsizei width = 0, height = 0;
  std::vector<uint8_t> pixels;
};

struct CapturedStep {
  enum class Kind { Clear, Upload, Draw } kind;
  GLbitfield clearMask;
  size_t index;  // into uploads, draws or clearColours
};

struct CapturedFrame {
  std::vector<CapturedStep> steps;
  std::vector<CapturedDraw> draws;
  std::vector<CapturedUpload> uploads;
  std::vector<std::array<GLfloat, 4>> clearColours;  // one per clear
  DrawState endState;  // the state the frame leaves for the next one
  size_t vertexCount() const;
};

// Starts recording into `frame` (emptied first); the frame must outlive the
// recording. Calls made while recording still reach OpenGL.
void beginFrameCapture(CapturedFrame& frame);
// Stops recording and stores the state the frame left behind.
void endFrameCapture();

// Calls a frame's replay makes around its draws, each with the draw's index.
struct ReplayHooks {
  std::function<void(size_t)> before; // right before the draw
  std::function<void(size_t)> after;  // right after it
};

// Draws a recorded frame again, changing only the state that differs from
// the previous draw, and leaves OpenGL in the frame's end state. The frame's
// meshes and textures must still exist.
void replayFrame(const CapturedFrame& frame, const ReplayHooks& hooks = {});

// The current OpenGL state in the form recorded for a draw.
DrawState readDrawState();

// Entry points for the OpenGL call hooks: record when a capture is running.
void recordClear(GLbitfield mask);
void recordUpload(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height,
                  GLenum format, GLenum type, const void* pixels);
void recordDraw(GLenum mode, GLint first, GLsizei count);

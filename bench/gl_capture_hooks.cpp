// Link-time hooks (the linker's --wrap) on the three OpenGL calls a frame is
// recorded from. Every call goes on to OpenGL; while a capture runs it is
// also recorded. Outside a capture a hook costs one test of a pointer.
#include <GL/gl.h>

#include "bench/frame_capture.h"

extern "C" {

void __real_glClear(GLbitfield mask);
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void __real_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const void* pixels);

void __wrap_glClear(GLbitfield mask) {
  recordClear(mask);
  __real_glClear(mask);
}

// The state is read before the draw, as the draw sees it.
void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  recordDraw(mode, first, count);
  __real_glDrawArrays(mode, first, count);
}

void __wrap_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                            GLsizei height, GLenum format, GLenum type, const void* pixels) {
  recordUpload(target, level, x, y, width, height, format, type, pixels);
  __real_glTexSubImage2D(target, level, x, y, width, height, format, type, pixels);
}

}  // extern "C"

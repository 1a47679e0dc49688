#include <cstring>

#include "bench/frame_capture.h"

namespace {

// Replays with the fewest state changes: each setter compares with what the
// previous draw left and calls OpenGL only for a difference. The first draw
// sets everything, since whatever ran before may have left other values.
class StateTracker {
 public:
  explicit StateTracker(const DrawState& current) : current_(current) {}

  void apply(const DrawState& wanted, bool withArrays) {
    applyStates(wanted, withArrays);
    fresh_ = false;
  }

  void bindTexture(GLuint texture) {
    if (textureKnown_ && current_.texture == texture) return;
    glBindTexture(GL_TEXTURE_2D, texture);
    current_.texture = texture;
    textureKnown_ = true;
  }

 private:
  DrawState current_;
  bool fresh_ = true;
  bool textureKnown_ = false;

  void applyStates(const DrawState& wanted, bool withArrays) {
    setCapability(GL_DEPTH_TEST, current_.depthTest, wanted.depthTest);
    if (fresh_ || current_.depthMask != wanted.depthMask) {
      glDepthMask(wanted.depthMask ? GL_TRUE : GL_FALSE);
      current_.depthMask = wanted.depthMask;
    }
    setCapability(GL_NORMALIZE, current_.normalize, wanted.normalize);
    setCapability(GL_LIGHTING, current_.lighting, wanted.lighting);
    for (int i = 0; i < kCapturedLights; ++i) {
      setCapability(GL_LIGHT1 + i, current_.lights[i], wanted.lights[i]);
    }
    setCapability(GL_ALPHA_TEST, current_.alphaTest, wanted.alphaTest);
    setCapability(GL_BLEND, current_.blend, wanted.blend);
    setCapability(GL_TEXTURE_2D, current_.texture2D, wanted.texture2D);
    bindTexture(wanted.texture);
    setMaterial(wanted);
    setLightPosition(wanted);
    setMatrix(wanted.modelview);
    if (withArrays) setArrays(wanted);
  }

  void setCapability(GLenum capability, bool& current, bool wanted) {
    if (!fresh_ && current == wanted) return;
    if (wanted) {
      glEnable(capability);
    } else {
      glDisable(capability);
    }
    current = wanted;
  }

  bool same(const GLfloat* a, const GLfloat* b, size_t count) const {
    return !fresh_ && std::memcmp(a, b, count * sizeof(GLfloat)) == 0;
  }

  void setColour(GLenum name, GLfloat* current, const GLfloat* wanted) {
    if (same(current, wanted, 4)) return;
    glMaterialfv(GL_FRONT_AND_BACK, name, wanted);
    std::memcpy(current, wanted, 4 * sizeof(GLfloat));
  }

  void setMaterial(const DrawState& wanted) {
    if (fresh_ || current_.shininess != wanted.shininess) {
      glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, wanted.shininess);
      current_.shininess = wanted.shininess;
    }
    setColour(GL_SPECULAR, current_.specular, wanted.specular);
    setColour(GL_DIFFUSE, current_.diffuse, wanted.diffuse);
    setColour(GL_AMBIENT, current_.ambient, wanted.ambient);
  }

  // The recorded position is in eye coordinates, which an identity
  // model-view matrix leaves as they are.
  void setLightPosition(const DrawState& wanted) {
    if (same(current_.light1Position, wanted.light1Position, 4)) return;
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_POSITION, wanted.light1Position);
    std::memcpy(current_.light1Position, wanted.light1Position, sizeof wanted.light1Position);
    std::memset(current_.modelview, 0, sizeof current_.modelview);  // forces a reload
  }

  void setMatrix(const GLfloat* matrix) {
    if (same(current_.modelview, matrix, 16)) return;
    glLoadMatrixf(matrix);
    std::memcpy(current_.modelview, matrix, 16 * sizeof(GLfloat));
  }

  void setArrays(const DrawState& wanted) {
    if (fresh_ || !(current_.vertices == wanted.vertices)) {
      glVertexPointer(wanted.vertices.size, wanted.vertices.type, wanted.vertices.stride,
                      wanted.vertices.data);
      current_.vertices = wanted.vertices;
    }
    if (fresh_ || !(current_.normals == wanted.normals)) {
      glNormalPointer(wanted.normals.type, wanted.normals.stride, wanted.normals.data);
      current_.normals = wanted.normals;
    }
    if (fresh_ || !(current_.texCoords == wanted.texCoords)) {
      glTexCoordPointer(wanted.texCoords.size, wanted.texCoords.type, wanted.texCoords.stride,
                        wanted.texCoords.data);
      current_.texCoords = wanted.texCoords;
    }
  }
};

void replayUpload(StateTracker& tracker, const CapturedUpload& upload) {
  tracker.bindTexture(upload.texture);
  glTexSubImage2D(GL_TEXTURE_2D, upload.level, upload.x, upload.y, upload.width, upload.height,
                  GL_RGBA, GL_UNSIGNED_BYTE, upload.pixels.data());
}

}  // namespace

// Starts from the frame's own end state: the previous frame, replayed or
// drawn by the saver, left exactly that behind.
void replayFrame(const CapturedFrame& frame, const ReplayHooks& hooks) {
  StateTracker tracker(frame.endState);
  for (const CapturedStep& step : frame.steps) {
    switch (step.kind) {
      case CapturedStep::Kind::Clear: {
        const std::array<GLfloat, 4>& colour = frame.clearColours[step.index];
        glClearColor(colour[0], colour[1], colour[2], colour[3]);
        glClear(step.clearMask);
        break;
      }
      case CapturedStep::Kind::Upload:
        replayUpload(tracker, frame.uploads[step.index]);
        break;
      case CapturedStep::Kind::Draw: {
        const CapturedDraw& draw = frame.draws[step.index];
        tracker.apply(draw.state, true);
        if (hooks.before) hooks.before(step.index);
        glDrawArrays(draw.mode, draw.first, draw.count);
        if (hooks.after) hooks.after(step.index);
        break;
      }
    }
  }
  tracker.apply(frame.endState, false);
}

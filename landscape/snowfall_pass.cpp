#include "landscape/snowfall_pass.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"
#include "scene/daylight.h"
#include "scene/frame_globals.h"
#include "scene/node_event.h"

namespace {

// Flakes nearer the eye than this would be blots across the picture.
constexpr double kNearestFlake = 5.0;
// Half the camera's vertical field of view is 22.5 degrees.
constexpr double kTanHalfFieldOfView = 0.41421356;
// How opaque a flake is where nothing fades it.
constexpr float kFlakeAlpha = 0.9f;
// The lamp's beam: a cone along +X, this wide at the lamp and widening by
// this much per unit ahead, dipping towards the track, fading with distance.
constexpr double kBeamRadius = 0.9;
constexpr double kBeamSpread = 0.3;
constexpr double kBeamDip = 0.1;
constexpr double kBeamReach = 28.0;
constexpr float kBeamColour[3] = {1.0f, 0.92f, 0.72f};

struct Gathered {
  bool ready = false;
  bool shown = false;  // the frame's first picture had flakes to draw
  double matrix[16] = {};
  double aspect = 1.0;  // the viewport's width over its height
  GLuint texture = 0;
  double timeMs = 0;
  Rgb colour{1.0f, 1.0f, 1.0f};
  double beam = 0;  // 0..1, the lamp's strength
};

SnowField field;
SnowLamp lamp{0, 0, 0};
Gathered gathered;
std::vector<FlakeSpot> spots;
std::vector<GLfloat> corners;
std::vector<GLfloat> texCoords;
std::vector<GLubyte> colours;
size_t quadCount = 0;  // the flakes of the arrays above that are drawn

double smoothstep(double u) {
  u = u < 0 ? 0 : (u > 1 ? 1 : u);
  return u * u * (3 - 2 * u);
}

// How much of the lamp's light a flake at p catches.
double beamAt(const FlakeSpot& p) {
  double ahead = p.x - lamp.x;
  if (ahead <= 0) return 0;
  double dz = p.z - (lamp.z - kBeamDip * ahead);
  double across = std::sqrt((p.y - lamp.y) * (p.y - lamp.y) + dz * dz);
  double inside = smoothstep(1.0 - across / (kBeamRadius + kBeamSpread * ahead));
  double fall = ahead / kBeamReach;
  return inside / (1.0 + fall * fall);
}

GLubyte toByte(double v) { return static_cast<GLubyte>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// Four corners of a quad facing the viewer: the viewer's right and up
// directions in the landscape's frame are the first two rows of the
// (rotation-only) model-view matrix.
void addFlake(const FlakeSpot& p, const double* m, double beam, size_t index) {
  const double rx = m[0], ry = m[4], rz = m[8];
  const double ux = m[1], uy = m[5], uz = m[9];
  const double s = p.halfSize;
  const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  GLfloat* corner = &corners[12 * index];
  GLfloat* texCoord = &texCoords[8 * index];
  for (const auto& sign : signs) {
    *corner++ = static_cast<GLfloat>(p.x + s * (sign[0] * rx + sign[1] * ux));
    *corner++ = static_cast<GLfloat>(p.y + s * (sign[0] * ry + sign[1] * uy));
    *corner++ = static_cast<GLfloat>(p.z + s * (sign[0] * rz + sign[1] * uz));
    *texCoord++ = sign[0] < 0 ? 0.0f : 1.0f;
    *texCoord++ = sign[1] < 0 ? 1.0f : 0.0f;
  }
  const Rgb& base = gathered.colour;
  GLubyte rgba[4];
  for (int c = 0; c < 3; ++c) rgba[c] = toByte(base[c] + beam * kBeamColour[c]);
  rgba[3] = toByte(std::min(1.0, kFlakeAlpha * p.presence * (1.0 + beam)));
  for (int k = 0; k < 4; ++k) std::copy(rgba, rgba + 4, &colours[16 * index + 4 * k]);
}

// Whether a flake lies inside the view, beyond the nearest allowed: most
// of the cube does not, and a flake left out costs nothing to draw.
bool inView(const FlakeSpot& p, const double* m) {
  double depth = -(m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]);
  if (depth < kNearestFlake) return false;
  double reach = depth * kTanHalfFieldOfView + p.halfSize * 2;
  double x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
  double y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
  return std::fabs(y) <= reach && std::fabs(x) <= reach * gathered.aspect;
}

// How far ahead of the eye the drawn cube of flakes is centred: its near
// face then lies at the eye, its far face well behind the train.
constexpr double kCubeAhead = kSnowCube / 2;

// The flakes in front of the eye, beyond the nearest allowed, as quads.
void buildQuads() {
  // The eye and its line of sight in the landscape's frame: the matrix is
  // a rotation R and a translation t, so the eye sits at -Rᵀt and looks
  // along minus R's third row.
  const double* m = gathered.matrix;
  double centre[3];
  for (int i = 0; i < 3; ++i) {
    double eye = -(m[4 * i] * m[12] + m[4 * i + 1] * m[13] + m[4 * i + 2] * m[14]);
    centre[i] = eye - m[4 * i + 2] * kCubeAhead;
  }
  field.flakesAt(gathered.timeMs, centre[0], centre[1], centre[2], spots);
  // Room for every flake, kept from frame to frame, of which the first
  // quadCount are filled in place: neither grown value by value nor
  // cleared each frame.
  corners.resize(12 * spots.size());
  texCoords.resize(8 * spots.size());
  colours.resize(16 * spots.size());
  quadCount = 0;
  for (const FlakeSpot& p : spots) {
    if (p.presence <= 0 || !inView(p, m)) continue;
    addFlake(p, m, gathered.beam > 0 ? gathered.beam * beamAt(p) : 0.0, quadCount++);
  }
}

void drawQuads() {
  glPushMatrix();
  glLoadMatrixd(gathered.matrix);
  setGlSwitch(GL_LIGHTING, false);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  glBindTexture(GL_TEXTURE_2D, gathered.texture);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, corners.data());
  // Unlit, the flakes use no normals; the normal array stays enabled, as
  // every draw expects, and reads the corners, as long as the draw.
  glNormalPointer(GL_FLOAT, 0, corners.data());
  glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(4 * quadCount));
  glDisableClientState(GL_COLOR_ARRAY);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glPopMatrix();
}

}  // namespace

void startSnowfall(Snowfall snowfall, unsigned seed, const SnowLamp& where) {
  field = SnowField(snowfall, seed);
  lamp = where;
  gathered = Gathered();
}

void gatherSnowfall(int32_t) {
  GLuint texture = static_cast<GLuint>(currentEvent->A);
  if (texture == 0) return;
  gathered.ready = true;
  gathered.texture = texture;
  gathered.timeMs = currentEvent->t;
  for (int i = 0; i < 16; ++i) gathered.matrix[i] = modelViewStack.top()[i];
  bool followsDaylight = currentEvent->selector == 1;
  gathered.colour = followsDaylight ? currentLight().snowColour : Rgb{1.0f, 1.0f, 1.0f};
  gathered.beam = followsDaylight ? currentLight().trainLights : 0.0;
}

// Another monitor's picture of the same frame shows the flakes gathered
// for the first, chosen again for its own view.
void drawSnowfall() {
  if (framePass() != FramePass::Again) {
    gathered.shown = gathered.ready;
    gathered.ready = false;
  }
  if (!gathered.shown) return;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  gathered.aspect = viewport[3] > 0 ? double(viewport[2]) / viewport[3] : 1.0;
  buildQuads();
  if (quadCount > 0) drawQuads();
}

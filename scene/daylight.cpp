#include "scene/daylight.h"

#include <GL/gl.h>

#include <algorithm>
#include <ctime>

#include "platform/local_time.h"
#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"
#include "scene/draw_hooks.h"
#include "scene/frame_globals.h"
#include "scene/node_event.h"
#include "scene/scene_node.h"

namespace {

// Only daylightHook changes it, once a frame; the other hooks follow it.
LightState lightNow = lightStateAt(720.0);

bool opensPhase(int32_t phase) { return phase == BeforeMeshes || phase == BeforeChild; }
bool closesPhase(int32_t phase) { return phase == AfterMeshes || phase == AfterChild; }

// The fire's glow above the chimney: warm, and mostly gone within a few
// units (1 / (1 + 0.12 d²): a third at 4 units), so it reaches only the
// smoke leaving the chimney and the chimney's lip.
constexpr GLfloat kChimneyGlow[3] = {0.75f, 0.38f, 0.12f};
constexpr GLfloat kChimneyGlowAmbientShare = 0.8f;
constexpr GLfloat kChimneyGlowFalloff = 0.12f;  // quadratic, per unit squared

void setLight(GLenum light, GLenum name, const Rgb& colour, float scale = 1.0f) {
  const GLfloat value[4] = {colour[0] * scale, colour[1] * scale, colour[2] * scale, 1.0f};
  glLightfv(light, name, value);
}

void applyChimneyGlow(double strength) {
  Rgb glow = {kChimneyGlow[0], kChimneyGlow[1], kChimneyGlow[2]};
  float s = static_cast<float>(strength);
  setLight(GL_LIGHT2, GL_AMBIENT, glow, s * kChimneyGlowAmbientShare);
  setLight(GL_LIGHT2, GL_DIFFUSE, glow, s);
  setLight(GL_LIGHT2, GL_SPECULAR, Rgb{0, 0, 0});
  glLightf(GL_LIGHT2, GL_CONSTANT_ATTENUATION, 1.0f);
  glLightf(GL_LIGHT2, GL_LINEAR_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, kChimneyGlowFalloff);
}

void applySnowBounce(const LightState& state) {
  setLight(GL_LIGHT3, GL_AMBIENT, state.bounceAmbient);
  setLight(GL_LIGHT3, GL_DIFFUSE, state.bounceDiffuse);
  setLight(GL_LIGHT3, GL_SPECULAR, Rgb{0, 0, 0});
}

void placeDirectional(GLenum light, const std::array<double, 3>& towards) {
  const GLfloat position[4] = {static_cast<GLfloat>(towards[0]), static_cast<GLfloat>(towards[1]),
                               static_cast<GLfloat>(towards[2]), 0.0f};
  modelViewStack.loadIntoGl();
  glLightfv(light, GL_POSITION, position);
}

void applyDaylight(const LightState& state) {
  setLight1Colours({state.ambient, state.diffuse, state.specular});
  const GLfloat scene[4] = {state.sceneAmbient[0], state.sceneAmbient[1], state.sceneAmbient[2],
                            1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, scene);
  applyChimneyGlow(state.trainLights);
  applySnowBounce(state);
  glColor4f(state.tint[0], state.tint[1], state.tint[2], 1.0f);
}

double layerWeight(int32_t layer) {
  return layer == 0 ? lightNow.nightSky : lightNow.twilight;
}

void restoreTint() { glColor4f(lightNow.tint[0], lightNow.tint[1], lightNow.tint[2], 1.0f); }

}  // namespace

const LightState& currentLight() { return lightNow; }

void daylightHook(int32_t phase, int32_t) {
  if (phase == BeforeChild) {
    std::tm now = readLocalTime();
    lightNow = lightStateAt(minutesOfDay(now.tm_hour, now.tm_min, now.tm_sec));
    applyDaylight(lightNow);
  } else if (phase == AfterChild) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
}

void daylightDirection(int32_t) {
  int32_t light = currentEvent->selector;
  if (light < 1 || light > 5) return;
  placeDirectional(GL_LIGHT0 + light, lightNow.direction);
  placeDirectional(GL_LIGHT3, lightNow.bounceDirection);
}

void skyLayerHook(int32_t phase, int32_t layer) {
  if (phase == BeforeMeshes) {
    setGlSwitch(GL_LIGHTING, false);
    glEnable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, static_cast<GLfloat>(layerWeight(layer)));
  } else if (phase == AfterMeshes) {
    glDisable(GL_BLEND);
    restoreTint();
    setGlSwitch(GL_LIGHTING, true);
  }
}

void followGlowBearing(int32_t) {
  NodeEvent* event = currentEvent;
  // A bearing is measured from +Y towards +X, a turn about Z the other way.
  double turn = -lightNow.glowAzimuth;
  if (event->selector == 2) event->target->rotateBy(0, 0, turn);
}

void selfLitHook(int32_t phase, int32_t) {
  if (phase == BeforeMeshes) {
    setGlSwitch(GL_LIGHTING, false);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  } else if (phase == AfterMeshes) {
    restoreTint();
    setGlSwitch(GL_LIGHTING, true);
  }
}

void scaleWithTrainLights(int32_t) {
  // Never quite zero: a singular matrix would upset the billboard's
  // read-back, and a speck this small covers no pixel.
  double reach = std::max(lightNow.trainLights, 1e-3) * currentEvent->A;
  Transform& transform = currentNode->transform;
  if (currentEvent->selector == 1) {
    transform.setScale(reach, currentEvent->A, currentEvent->A);
  } else {
    transform.setScale(reach, reach, reach);
  }
}

void chimneyGlowHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    setGlSwitch(GL_LIGHT2, true);
  } else if (closesPhase(phase)) {
    setGlSwitch(GL_LIGHT2, false);
  }
}

void snowBounceHook(int32_t phase, int32_t) {
  if (opensPhase(phase)) {
    setGlSwitch(GL_LIGHT3, true);
  } else if (closesPhase(phase)) {
    setGlSwitch(GL_LIGHT3, false);
  }
}

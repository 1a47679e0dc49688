#include "train/night_lights.h"

#include "scene/controllers.h"
#include "scene/daylight.h"
#include "scene/draw_hooks.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "train/locomotive.h"

using namespace nightlights;

namespace {

// Lamp glass, cab windows and fire, over the lit parts they stand for.
SceneNode* makeSelfLitParts() {
  SceneNode* node = new SceneNode();
  node->loadModel("main.pak", "ogni");
  node->addHook(selfLitHook, 0);
  return node;
}

enum Growth : int32_t { AboutCentre = 0, AheadAlongX = 1 };

// The car's fire, drawn unlit over the same triangles of the car's body, so
// it rocks with the body and wins the depth test there exactly.
void lightTheCarsFire(int32_t) {
  SceneNode* anchor = currentNode;
  if (anchor->children.empty()) return;
  SceneNode* fire = new SceneNode();
  fire->loadModel("main.pak", "topka_ogon");
  fire->addHook(selfLitHook, 0);
  // The body is the car builder's first node.
  anchor->children.front()->addChild(fire);
}

// A blended glow drawn unlit, whose size follows the train's lights.
SceneNode* makeGlow(const char* entry, double x, double y, double z, Growth growth,
                    bool facesViewer = false) {
  SceneNode* node = new SceneNode();
  node->loadModel("main.pak", entry);
  node->addHook(noLightingHook, 0);
  if (facesViewer) node->addHook(billboardHook, 0);
  node->transform.setPosition(x, y, z);
  startEvents(node, {permanentMotion(scaleWithTrainLights, growth, 1.0)});
  return node;
}

SceneNode* makeCabWindowGlow(double side) {
  SceneNode* node = makeGlow("okno_svet", kCabWindowX, side * kCabSideY, kCabWindowZ, AboutCentre);
  // The model's glow faces +Y; the other side's is turned round.
  if (side < 0) node->transform.setRotation(0, 0, 180);
  return node;
}

// Light 2 hangs over the chimney's top, where the fire's glow leaves it.
SceneNode* makeChimneyGlow() {
  SceneNode* node = new SceneNode();
  using namespace locomotive_layout;
  node->transform.setPosition(kChimneyTopX, 0, kChimneyTopZ + kChimneyGlowRise);
  startEvents(node, {permanentMotion(lightPosition, 2)});
  return node;
}

}  // namespace

void buildNightLights(int32_t) {
  SceneNode* train = currentNode;
  // The car anchor is the locomotive builder's first node; its own builder
  // runs in its first tick, and this one after it.
  if (!train->children.empty()) {
    startEvents(train->children.front(), {callbackEvent(lightTheCarsFire, -1.0)});
  }
  train->addChild(makeSelfLitParts());
  train->addChild(makeChimneyGlow());
  // The pool lies on the snow under the glare, so it is queued first.
  train->addChild(makeGlow("fara_pyatno", kPoolStartX, 0, 0, AheadAlongX));
  train->addChild(makeCabWindowGlow(1.0));
  train->addChild(makeCabWindowGlow(-1.0));
  train->addChild(makeGlow("ogon_oreol", kFireGlareX, 0, kCarFireZ, AboutCentre, true));
  train->addChild(makeGlow("fara_oreol", kGlareX, 0, kLampCentreZ, AboutCentre, true));
}

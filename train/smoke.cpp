#include "train/smoke.h"

#include "scene/controllers.h"
#include "scene/draw_hooks.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "scene/scene_node.h"

namespace {

// The rise follows A·(1 − e^(−1.5·t/1000)): 63 % of the height after 0.67 s.
constexpr double kRiseRate = -1.5;

double scaleFactor() { return randomBelow(100) / 100.0 + 0.5; }

// A carrier that moves and ends the particle, with the sprite as its child.
SceneNode* makeParticle(const SmokeParticleDraw& drawn) {
  SceneNode* carrier = new SceneNode();
  startEvents(carrier, {
                           permanentMotion(expMove, 2, drawn.riseHeight, kRiseRate),
                           permanentMotion(linearMove, 1, drawn.driftAcross),
                           permanentMotion(linearMove, 0, drawn.driftBack),
                           closeAfter(drawn.lifetimeMs),
                       });

  SceneNode* sprite = new SceneNode();
  sprite->addHook(billboardHook, 0);
  sprite->loadModel("main.pak", "smouke");
  sprite->transform.setScale(drawn.scaleX, drawn.scaleY, drawn.scaleZ);
  carrier->addChild(sprite);
  return carrier;
}

}  // namespace

SmokeParticleDraw drawSmokeParticle() {
  SmokeParticleDraw drawn;
  drawn.lifetimeMs = 7500 + randomBelow(1000);
  drawn.driftBack = randomBelow(600) / 100 - 12;
  drawn.driftAcross = 2 - randomBelow(400) / 100;
  drawn.riseHeight = randomBelow(600) / 100 + 2;
  drawn.scaleZ = scaleFactor();
  drawn.scaleY = scaleFactor();
  drawn.scaleX = scaleFactor();
  return drawn;
}

int takeDueParticles(double& t) {
  int due = 0;
  while (t > 0) {
    ++due;
    t -= 40 + randomBelow(20);
  }
  return due;
}

void emitSmoke(int32_t) {
  SceneNode* emitter = currentNode;
  int due = takeDueParticles(currentEvent->t);
  for (int i = 0; i < due; ++i) emitter->addChild(makeParticle(drawSmokeParticle()));
}

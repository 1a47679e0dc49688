#include "app/winter_scene.h"

#include "app/extra_settings.h"
#include "app/saver_run.h"
#include "landscape/snowfall_pass.h"
#include "scene/controllers.h"
#include "scene/daylight.h"
#include "scene/event_recipes.h"
#include "scene/random.h"
#include "scene/scene_node.h"
#include "train/night_lights.h"

namespace {

enum SkyLayer : int32_t { StarrySky = 0, HorizonGlow = 1 };

SceneNode* makeSkyLayer(const char* entry, SkyLayer layer) {
  SceneNode* node = new SceneNode();
  node->loadModel("main.pak", entry);
  node->addHook(skyLayerHook, layer);
  return node;
}

// Over the background, right after it: the starry sky with its moon, and
// the glow over the horizon on the side the sun went down or comes up.
void addSkyLayers(SceneNode* background) {
  background->addChild(makeSkyLayer("nebo_noch", StarrySky));
  background->addChild(makeSkyLayer("luna", StarrySky));
  SceneNode* glow = makeSkyLayer("nebo_zarya", HorizonGlow);
  startEvents(glow, {permanentMotion(followGlowBearing, 2)});
  background->addChild(glow);
}

void addTimeOfDay(const WorldParts& parts) {
  worldRoot->addHook(daylightHook, 0);
  // After the light's usual placement in the same tick, which it replaces.
  startEvents(parts.light, {permanentMotion(daylightDirection, 1)});
  addSkyLayers(parts.background);
  startEvents(parts.train, {callbackEvent(buildNightLights, -1.0)});
  parts.train->addHook(chimneyGlowHook, 0);
  parts.train->addHook(snowBounceHook, 0);
}

void addSnowfall(const ExtraSettings& extras, SceneNode* landscape) {
  SceneNode* snow = new SceneNode();
  // The node keeps the flake's texture for as long as it lives and draws
  // nothing itself: the snowfall pass draws every flake with it.
  uint32_t flake = snow->holdTexture(kFlakeArchive, kFlakeImage);
  startEvents(snow, {permanentMotion(gatherSnowfall, extras.timeOfDay ? 1 : 0, flake)});
  landscape->addChild(snow);
}

}  // namespace

void addWinterExtras(const ExtraSettings& extras, const WorldParts& parts) {
  const SnowLamp lamp{nightlights::kLampGlassX, 0.0, nightlights::kLampCentreZ};
  startSnowfall(extras.snowfall, randomSeed(), lamp);
  if (extras.timeOfDay) addTimeOfDay(parts);
  if (extras.snowfall != Snowfall::None) addSnowfall(extras, parts.landscape);
}

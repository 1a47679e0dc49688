#include "app/scene_assembly.h"

#include "app/saver_run.h"
#include "app/scene_light.h"
#include "app/video_context.h"
#include "app/winter_scene.h"
#include "landscape/terrain.h"
#include "overlays/calendar.h"
#include "overlays/clock_builders.h"
#include "overlays/clock_slots.h"
#include "overlays/frame_rate.h"
#include "scene/controllers.h"
#include "scene/draw_hooks.h"
#include "scene/event_recipes.h"
#include "scene/random.h"
#include "scene/scene_node.h"
#include "train/locomotive.h"

namespace {

// An overlay node and the corner placement it was put at, kept to move it
// when the view changes size. Its builder may shift it from there (the
// clock does), so it is moved by the change of placement.
struct PlacedOverlay {
  SceneNode* node = nullptr;
  OverlayPlacement at = {0, 0, 0};

  void moveTo(OverlayPlacement now) {
    if (node == nullptr) return;
    node->transform.translateBy(now.x - at.x, now.y - at.y, now.z - at.z);
    at = now;
  }
};

struct OverlayNodes {
  PlacedOverlay calendar, clock, frameRate;
} overlayNodes;

constexpr double kTwoPi = 6.28318530717956;
constexpr double kHalfPi = 1.57079632679489;
constexpr double kPi = 3.14159265358978;

// One alternate terrain model; five firs to three leafy trees to one bush.
LandscapeModels landscapeModels() {
  LandscapeModels models;
  models.terrain.push_back("relef1");
  for (int i = 0; i < 5; ++i) models.vegetation.push_back("elka");
  for (int i = 0; i < 3; ++i) models.vegetation.push_back("derevo");
  models.vegetation.push_back("kust");
  return models;
}

// A second scene in the same process (the offscreen renderer, tests) starts
// from the same state as the first one of a fresh process.
void resetContentState() {
  resetLandscapeState(landscapeModels());
  resetClockSlotMemories();
  resetCalendarState();
  resetFrameRateCounter();
}

// The landscape node holding the background as its first child.
SceneNode* makeLandscapeWithBackground() {
  SceneNode* background = new SceneNode();
  background->loadModel("main.pak", "fon");
  background->addHook(noLightingHook, 0);
  // Everything else stands in front of it; its sky layers are drawn over
  // it alone.
  background->drawnAfterSiblings = true;
  SceneNode* landscape = new SceneNode();
  landscape->addChild(background);
  return landscape;
}

// Tilts the landscape towards the camera, sets it swaying slowly about two
// axes (the phase offsets every sway) and hangs the light and the train
// after the background. The light comes before the train so that the train
// is lit from where the light stands in the same frame: hung after it, the
// first frame would be lit by a light not yet placed and every later one by
// where it stood a frame ago.
void setUpLandscape(SceneNode* landscape, double phase, SceneNode* train, SceneNode* light) {
  landscape->transform.setRotation(-62.0, 0.0, -90.0);
  // The spawner runs before the first piece's builder in the first tick.
  startEvents(landscape, {
                              callbackEvent(terrainSpawner, 0.0),
                              callbackEvent(buildFirstTerrainPiece, -1.0),
                              permanentMotion(sineTurn, 2, 80.0, 0.1, phase),
                              permanentMotion(sineTurn, 1, 12.0, 0.2, phase + phase + kHalfPi),
                          });
  landscape->addChild(light);  // kLightChild
  landscape->addChild(train);  // kTrainChild
}

void buildWorld() {
  SceneNode* train = new SceneNode();
  startEvents(train, {callbackEvent(buildLocomotive, -1.0)});

  setupLight1();
  SceneNode* light = new SceneNode();
  light->transform.setPosition(kLight1Position.x, kLight1Position.y, kLight1Position.z);
  startEvents(light, {permanentMotion(lightPosition, 1)});

  SceneNode* landscape = makeLandscapeWithBackground();
  // One of a hundred phases, radians: each run starts at another point of
  // the sway. Drawn once the background exists and before the sways.
  double phase = static_cast<double>(randomBelow(100)) * kTwoPi / 100.0;
  setUpLandscape(landscape, phase, train, light);
  addWinterExtras(currentRun().extras(), {landscape->children.front(), landscape, train, light});

  // The dolly moves the world 8 units towards and away from the camera.
  SceneNode* dolly = new SceneNode();
  dolly->transform.setPosition(0.0, 0.0, 55.0);
  startEvents(dolly, {permanentMotion(sineMove, 2, 8.0, 0.2, phase + phase + kPi / -2.0)});
  dolly->addChild(landscape);
  worldRoot->addChild(dolly);
  worldRoot->addHook(lightingHook, 0);
}

ClockForm clockForm(const Settings& settings) {
  if (settings.analogClock) return ClockForm::Analog;
  return settings.clock24Hour ? ClockForm::Digital24Hour : ClockForm::Digital12Hour;
}

void buildOverlays(const Settings& settings) {
  overlayNodes = OverlayNodes();
  if (settings.showCalendar) {
    OverlayPlacement at = calendarPlacement();
    SceneNode* calendar = createCalendarNode(at.x, at.y, at.z, settings.russianCalendar != 0);
    overlayNodes.calendar = {calendar, at};
    overlayRoot->addChild(calendar);
  }
  if (settings.showClock) {
    OverlayPlacement at = clockPlacement(settings.largeClock != 0);
    SceneNode* clock = createClockNode(at.x, at.y, at.z, clockForm(settings));
    overlayNodes.clock = {clock, at};
    overlayRoot->addChild(clock);
  }
  if (settings.showFrameRate) {
    OverlayPlacement at = frameRatePlacement();
    SceneNode* counter = createFrameRateNode(at.x, at.y);
    overlayNodes.frameRate = {counter, at};
    overlayRoot->addChild(counter);
  }
  overlayRoot->transform.setPosition(0.0, 0.0, 0.0);
  overlayRoot->addHook(noDepthHook, 0);
}

}  // namespace

// The calendar's origin lies at eye depth 240, 211/240 of the way to the
// right edge and 183/240 of the way to the top edge. The positive depth for
// the top edge is deliberate: edgeY of a positive depth is the top edge.
OverlayPlacement calendarPlacement() {
  const VideoContext& video = currentRun().video();
  return {-video.edgeX(-211), video.edgeY(183), -140};
}

// The lower right corner of the view, at eye depth 70 (large) or 170.
OverlayPlacement clockPlacement(bool large) {
  const VideoContext& video = currentRun().video();
  if (large) return {-video.edgeX(-70), video.edgeY(-70), 30};
  return {-video.edgeX(-170), video.edgeY(-170), -70};
}

// Eye depth 100, 5 units right of the left edge and 2.5 below the top edge.
OverlayPlacement frameRatePlacement() {
  const VideoContext& video = currentRun().video();
  return {video.edgeX(-100) + 5.0, -video.edgeY(-100) - 2.5, 0};
}

void placeOverlays() {
  // A closing overlay root reaps its children; they are not to be touched.
  if (overlayRoot == nullptr || overlayRoot->closeRequested) return;
  overlayNodes.calendar.moveTo(calendarPlacement());
  overlayNodes.clock.moveTo(clockPlacement(currentRun().settings().largeClock != 0));
  overlayNodes.frameRate.moveTo(frameRatePlacement());
}

void buildScene() {
  resetContentState();
  buildWorld();
  buildOverlays(currentRun().settings());
}

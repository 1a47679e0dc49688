#include "landscape/vegetation.h"

#include "landscape/planting_spots.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "scene/scene_node.h"

namespace {

std::vector<std::string> plantModels;

}  // namespace

const std::vector<std::string>& vegetationNames() { return plantModels; }

// A run's plants draw from its own models, never from an earlier run's.
void resetVegetation(const std::vector<std::string>& names) { plantModels = names; }

void plantVegetation(int32_t) {
  SceneNode* plant = new SceneNode();
  // With no names there is nothing to draw from: the plant stays empty.
  if (!plantModels.empty()) {
    int index = randomBelow(static_cast<int>(plantModels.size()));
    if (index < 0) index = -index;
    plant->loadModel("main.pak", plantModels[static_cast<size_t>(index)]);
  }
  PlantingSpot spot = takePlantingSpot(currentEvent->selector);
  plant->transform.setPosition(spot.x, spot.y, spot.z);
  plant->transform.setScale(1.0, 1.0, 0.8 + randomBelow(50) / 100.0);

  startEvents(plant, {closeAfter(kPlantLifetimeMs)});
  currentNode->addChild(plant);
}

#pragma once

struct ExtraSettings;
class SceneNode;

// The nodes of the world that the extra settings add to, as the scene
// assembly has just made them.
struct WorldParts {
  SceneNode* background;
  SceneNode* landscape;
  SceneNode* train;
  SceneNode* light;
};

// Adds what `extras` asks for to the world being built, and nothing when
// both are off: the light that follows the time of day (a hook on the world
// root, the light's direction, the night sky's layers over the background,
// the train's night lights and the snow's bounce onto it) and the falling
// snow (a node on the landscape).
// Draws nothing from the scene's random sequence.
void addWinterExtras(const ExtraSettings& extras, const WorldParts& parts);

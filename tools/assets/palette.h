#pragma once
#include "tools/assets/model.h"

// The train's paints and metals. The scene's light is dim (diffuse 0.4,
// ambient 0.1 plus the global 0.2), so reflectances run well above 1 to
// give readable colours; highlights come from the specular term.
namespace palette {

Material boilerGreen();
Material smokeboxBlack();
Material wheelRed();
Material frameRed();
Material steel();
Material darkSteel();
Material brass();
Material cabRoof();
Material wood();
Material coal();
Material glowWindow();
Material plate();  // brass number plates: painted detail, lit softly

}  // namespace palette

// Texture entry names shared by several models of "main.pak".
namespace textures {
constexpr const char* kGrain = "grain.png";   // light metal/paint grain
constexpr const char* kCoal = "coal.png";
constexpr const char* kPlanks = "planks.png";
constexpr const char* kFire = "x#Fire64/64";  // computed flame
constexpr const char* kNumberPlate = "numberplate.png";
constexpr const char* kRivetedPlate = "plates.png";
}  // namespace textures

// Adds `shape`, placed by `where`, to the mesh of `model` with that texture
// and material.
void addShape(Model& model, const char* texture, const Material& material,
              const TriangleList& shape, const Affine& where = Affine());

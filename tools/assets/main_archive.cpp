#include "tools/assets/archive_content.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/palette.h"
#include "tools/assets/scene_models.h"
#include "tools/assets/train_textures.h"
#include "tools/assets/wheels.h"

// "main.pak": the world's models and the images they name.
ArchiveContent buildMainArchive() {
  ArchiveContent a;
  a.addModel("parovoz", makeLocomotiveBody());
  a.addModel("kolesobig", makeWheelset(dims::kBigWheelRadius, 14, true));
  a.addModel("kolesosmall", makeWheelset(dims::kSmallWheelRadius, 9, false));
  a.addModel("kolesosred", makeWheelset(dims::kMiddleWheelRadius, 11, false));
  a.addModel("balka", makeCouplingRod());
  a.addModel("balka2", makeMainRod());
  a.addModel("tolkatel", makeCrosshead());
  a.addModel("richazek", makeReturnCrank());
  a.addModel("porshen", makeEccentricRod());
  a.addModel("koleb", makeExpansionLink());
  a.addModel("dergatel", makeRadiusRod());
  a.addModel("porshen_small", makeValveSpindle());
  a.addModel("topka", makeFireboxCar());
  a.addModel("topka_ogon", makeFireboxCarFire());
  a.addModel("smouke", makeSmokePuff());
  a.addImage(textures::kGrain, paintGrain());
  a.addImage(textures::kCoal, paintCoal());
  a.addImage(textures::kPlanks, paintPlanks());
  a.addImage(textures::kNumberPlate, paintNumberPlate());
  a.addImage(textures::kRivetedPlate, paintRivetedPlate());
  addSmokeImages(a);
  addLandscape(a);
  addPlants(a);
  addBackground(a);
  addNightSky(a);
  addNightLights(a);
  return a;
}

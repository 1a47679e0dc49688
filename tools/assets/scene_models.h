#pragma once
#include "tools/assets/archive_content.h"
#include "tools/assets/model.h"

// The locomotive: body, and the running gear with each part's origin at the
// pivot its node turns about.
Model makeLocomotiveBody();   // "parovoz"
Model makeCouplingRod();      // "balka": origin on the middle crank pin
Model makeMainRod();          // "balka2": crank pin to crosshead, 5.6 along +X
Model makeCrosshead();        // "tolkatel": crosshead and piston rod
Model makeReturnCrank();      // "richazek": crank pin down to the eccentric pin
Model makeEccentricRod();     // "porshen": eccentric pin to the expansion link
Model makeExpansionLink();    // "koleb": lever on its pivot
Model makeRadiusRod();        // "dergatel": link to the valve spindle
Model makeValveSpindle();     // "porshen_small": into the valve chest

Model makeFireboxCar();       // "topka"
// The fire seen through the car's open doors, in the car's frame: each
// panel's quad and where it stands. "topka" shows it lit; "topka_ogon" is
// the same panels drawn unlit, so they glow at night.
struct FirePanel {
  TriangleList quad;
  Affine at;
};
std::vector<FirePanel> fireboxFirePanels();
Model makeFireboxCarFire();   // "topka_ogon"
Model makeSmokePuff();        // "smouke"
void addSmokeImages(ArchiveContent& archive);

// Terrain pieces, rails, their textures.
void addLandscape(ArchiveContent& archive);
// "elka", "derevo", "kust" and their textures.
void addPlants(ArchiveContent& archive);
// "fon" and its textures.
void addBackground(ArchiveContent& archive);
// "fon"'s sky: a dome of radius 185 round the landscape's origin, t from 0
// at the zenith to 1 at its foot below the horizon, s twice round. Its wall
// below the horizon ends just under the snowfield's rim, which hides the
// rest. The night sky's layers lie on the same triangles.
TriangleList skyDome();
// t at height z (below 0) on the dome's wall, for a texture whose t is
// `horizonT` at the horizon: what the wall's full height, reaching 60 under
// the horizon with t = 1 there, gives at z, so that a shortened wall keeps
// its texture where it still stands.
double domeWallT(double z, double horizonT);
// The night sky's layers, the moon and the snowflake.
void addNightSky(ArchiveContent& archive);
// The train's night lights: lamp glass, lit windows and fire, the glows.
void addNightLights(ArchiveContent& archive);

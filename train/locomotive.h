#pragma once
#include <cstdint>

// The locomotive's wheels turn at this speed (one turn per 1.8 s); every rod
// and lever oscillates in step with them.
constexpr double kWheelDegreesPerSecond = 200.0;

// Angular frequency of the rod oscillations, radians per second: the wheel
// speed converted with the same decimal pi the controllers' phases use.
constexpr double kRodRadiansPerSecond = kWheelDegreesPerSecond * 3.14159265358978 / 180.0;

// One-shot event callback: builds the locomotive (25 nodes, 21 motion
// events) under `currentNode`, including the anchors that build the coupled
// car and emit the smoke. Models come from "main.pak".
void buildLocomotive(int32_t);

#pragma once
#include "tools/assets/model.h"

// Wheelsets turning about Y: two spoked wheels on an axle, tread on the
// rail at y = +-gauge/2, lowest point at the rail top. With `cranks`, the
// driving set also carries crank pins (top on +Y, bottom on -Y) and
// counterweights opposite them, so the turning reads at a glance.
Model makeWheelset(double radius, int spokes, bool cranks);

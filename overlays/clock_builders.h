#pragma once
#include <cstdint>

class SceneNode;

// The forms the clock can take.
enum class ClockForm { Analog, Digital24Hour, Digital12Hour };

// The clock node at (x, y, z), the lower right corner of the view at the
// chosen eye depth, with a one-shot event that builds `form` on the first
// frame. The caller appends it to the overlay root.
SceneNode* createClockNode(double x, double y, double z, ClockForm form);

// One-shot event callbacks on the clock node.
// Dial and second, minute and hour hands.
void analogClockBuilder(int32_t);
// Plate and digit slots; selector 1 the 24-hour form, 0 the 12-hour form
// with its AM/PM plate.
void digitalClockBuilder(int32_t);

#pragma once
#include <ctime>
#include <string>

// Problems with what the overlays show at local time `now`, one line each;
// empty when every clock slot holds exactly one live glyph, the one its
// time component calls for, every hand stands at its angle, and the
// calendar shows exactly one live sheet, today's. Call between frames.
std::string overlayMismatches(const std::tm& now);

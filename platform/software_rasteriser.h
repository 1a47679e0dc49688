#pragma once

// Mesa's software rasteriser as Debian 12 ships it (Mesa 22.3, LLVM 15)
// draws some textured, blended meshes without their texture when it
// compiles for AVX-512: the calendar, the clock's colon and the smoke come
// out as blank white shapes or not at all. Call this before the first
// OpenGL context of the process exists; it keeps the rasteriser to AVX2
// code (the same speed here) unless the user already chose the CPU
// features it may use. Hardware drivers do not rasterise on the CPU and
// are unaffected.
void avoidBrokenSoftwareRasteriserCode();

#pragma once
#include <string>

// The name of the renderer the display's OpenGL contexts will get (as
// GL_RENDERER gives it, e.g. "llvmpipe (LLVM 15.0.6, 256 bits)"), asked
// before any context exists so that the frame buffer can be chosen for it.
// Call after SDL_Init and before SDL_SetVideoMode. Empty when the display's
// OpenGL cannot say (no renderer query extension).
std::string rendererBeforeContext();

#pragma once
#include "platform/desktop_watch.h"

// The X windows of SDL's current video mode: the window it draws into and,
// on the classic library, the full-screen and managed windows that may
// hold it. False when SDL draws on no X window (a Wayland compositor's).
bool sdlX11Windows(FullScreenWindows& windows);

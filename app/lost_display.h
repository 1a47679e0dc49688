#pragma once

// Once SDL has its X display connection (after SDL_Init): should the X
// server go while a library still talks to it, a fault there ends the
// saver with one line naming the display and status 1 (see
// endFaultsAfterLostConnection). Does nothing on another video driver.
void watchSdlDisplayConnection();

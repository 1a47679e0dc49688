#pragma once

// Whether SDL's Wayland video starts on the session's compositor. The SDL 2
// under the SDL 1.2 built on it crashes in its video start-up on some
// compositors (SDL 2.26 on weston 10's headless back end, which announces
// no seat), so it is tried in a short-lived child first: a few milliseconds
// where it works, two seconds at most where the child hangs. Call before
// SDL starts and before a second thread does.
bool waylandVideoStarts();

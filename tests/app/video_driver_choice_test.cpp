#include <gtest/gtest.h>

#include "app/video_driver_choice.h"

namespace {

struct Case {
  const char* situation;
  VideoSurroundings surroundings;
  bool nativeWanted;
  const char* driver;
  FullScreenWindow window;
};

constexpr FullScreenWindow kSdl = FullScreenWindow::BySdl;
constexpr FullScreenWindow kWindowManager = FullScreenWindow::ByWindowManager;
constexpr FullScreenWindow kUnmanaged = FullScreenWindow::Unmanaged;

// Fields: user chose a driver, host window, Wayland session, SDL on SDL 2,
// X server is Xwayland, SDL's Wayland video started in its trial.
TEST(VideoDriverChoice, FollowsTheDesktopTheLibraryAndTheHost) {
  const Case cases[] = {
      {"plain X11, classic", {false, false, false, false, false, false}, false, "x11", kSdl},
      {"plain X11, on SDL 2", {false, false, false, true, false, false}, false, "x11", kUnmanaged},
      {"Wayland, on SDL 2", {false, false, true, true, false, true}, true, "wayland,x11", kSdl},
      {"Wayland with Xwayland, on SDL 2", {false, false, true, true, true, true}, true,
       "wayland,x11", kSdl},
      {"Wayland where SDL's Wayland video fails", {false, false, true, true, true, false}, true,
       "x11", kSdl},
      {"Wayland, classic on Xwayland", {false, false, true, false, true, false}, false, "x11",
       kWindowManager},
      {"Xwayland without WAYLAND_DISPLAY", {false, false, false, false, true, false}, false, "x11",
       kWindowManager},
      {"Xwayland without WAYLAND_DISPLAY, on SDL 2", {false, false, false, true, true, false},
       false, "x11", kSdl},
      {"Wayland, on SDL 2, host window", {false, true, true, true, true, true}, false, "x11", kSdl},
      {"plain X11, on SDL 2, host window", {false, true, false, true, false, false}, false, "x11",
       kSdl},
      {"Wayland, classic, host window", {false, true, true, false, true, false}, false, "x11",
       kSdl},
      {"driver chosen by the user", {true, false, true, true, false, true}, false, "", kSdl},
      {"user's driver on plain X11, on SDL 2", {true, false, false, true, false, false}, false, "",
       kUnmanaged},
      {"user's driver, classic on Xwayland", {true, false, true, false, true, false}, false, "",
       kWindowManager},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nativeWaylandWanted(c.surroundings), c.nativeWanted) << c.situation;
    EXPECT_EQ(chooseVideoDriver(c.surroundings), c.driver) << c.situation;
    EXPECT_EQ(chooseFullScreenWindow(c.surroundings), c.window) << c.situation;
  }
}

}  // namespace

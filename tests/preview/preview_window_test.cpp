// The preview mode end to end: the saver started with "/p <window>" under a
// private X server, painting into windows this test creates as the host.
// Pixels are read back with XGetImage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "bitmap_file.h"
#include "child_process.h"
#include "platform/png_file.h"
#include "scratch_folder.h"
#include "x_host.h"
#include "x_server_test.h"

namespace {

// Bounded waits for a busy two-core machine; each normally takes
// milliseconds.
constexpr int kTimeoutMs = 15000;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class PreviewWindowTest : public XServerTest {
 protected:

  void SetUp() override {
    XServerTest::SetUp();
    if (HasFatalFailure()) return;
    std::ofstream(folder.file("registry.ini"))
        << "[Software\\Quorvel\\Halvenrode\\Settings]\nPath=" << folder.path() << "\n";
  }

  std::unique_ptr<ChildProcess> startPreview(const std::vector<std::string>& arguments,
                                             const std::string& display = std::string()) {
    ChildProcess::Options options;
    options.arguments = arguments;
    options.environment = {"DISPLAY=" + (display.empty() ? server->display() : display),
                           "HALVENRODE_REGISTRY_FILE=" + folder.file("registry.ini")};
    options.errorFile = folder.file("stderr.txt");
    return std::make_unique<ChildProcess>(SAVER_PROGRAM, options);
  }

  std::unique_ptr<ChildProcess> startPreviewIn(Window parent) {
    return startPreview({"/p", std::to_string(parent)});
  }

  // The preview's child window once it is mapped inside `parent`.
  Window waitForChild(Window parent) {
    Window child = 0;
    waitUntil(kTimeoutMs, [&] { return (child = host->viewableChild(parent)) != 0; });
    return child;
  }

  // Whether the window comes to show exactly `expected` (0xRRGGBB, top row
  // first) within the time-out.
  bool comesToShow(Window window, int width, int height, const std::vector<uint32_t>& expected) {
    return waitUntil(kTimeoutMs, [&] { return host->readPixels(window, width, height) == expected; });
  }

  // The same for an area of the screen, whichever windows show there.
  bool screenComesToShow(int x, int y, int width, int height,
                         const std::vector<uint32_t>& expected) {
    return waitUntil(kTimeoutMs, [&] {
      return host->readPixels(host->rootWindow(), width, height, x, y) == expected;
    });
  }

  void installPicture(const TestPicture& picture) {
    ASSERT_TRUE(writeBitmapFile(folder.file("preview.ppk"), picture));
  }

  // Keeps what the host shows as a PNG next to the test binary.
  void keepScreenshot(Window window, int width, int height, const std::string& name) {
    std::vector<uint8_t> rgba;
    for (uint32_t p : host->readPixels(window, width, height)) {
      rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                               static_cast<uint8_t>(p), 255});
    }
    writePngRgba(std::string(SCREENSHOT_FOLDER) + "/" + name, width, height, rgba, false);
  }

  ScratchFolder folder;
};


std::vector<uint32_t> filled(int width, int height, uint32_t colour) {
  return std::vector<uint32_t>(static_cast<size_t>(width) * height, colour);
}

TEST_F(PreviewWindowTest, Width152ShowsThePictureAndRepaintsItAfterBeingCovered) {
  TestPicture first = patternPicture(152, 112, 11);
  installPicture(first);
  Window parent = host->createWindow(100, 100, 152, 112);
  auto preview = startPreviewIn(parent);
  Window child = waitForChild(parent);
  ASSERT_NE(child, 0u) << "no child window appeared";
  int x = -1, y = -1, width = 0, height = 0;
  ASSERT_TRUE(host->geometry(child, x, y, width, height));
  EXPECT_EQ(std::vector<int>({x, y, width, height}), std::vector<int>({0, 0, 152, 112}));
  ASSERT_TRUE(comesToShow(parent, 152, 112, first.pixels));
  keepScreenshot(parent, 152, 112, "preview-152.png");

  // Covered and uncovered again: the exposed child is painted anew, from
  // the file as it is at that moment. While covered, the screen (the root
  // window) shows the cover there.
  Window cover = host->createWindow(50, 50, 300, 300);
  ASSERT_TRUE(screenComesToShow(100, 100, 152, 112, filled(152, 112, kWhite)));
  host->unmapWindow(cover);
  EXPECT_TRUE(comesToShow(parent, 152, 112, first.pixels)) << "not repainted after covering";

  TestPicture second = patternPicture(152, 112, 12);
  installPicture(second);
  host->mapWindow(cover);
  ASSERT_TRUE(screenComesToShow(100, 100, 152, 112, filled(152, 112, kWhite)));
  host->unmapWindow(cover);
  EXPECT_TRUE(comesToShow(parent, 152, 112, second.pixels)) << "the file was not read again";
}

TEST_F(PreviewWindowTest, OtherWidthsGiveAnAllBlackChildOfTheMeasuredSize) {
  installPicture(patternPicture(152, 112, 13));
  for (int parentWidth : {151, 153}) {
    Window parent = host->createWindow(10, 10, parentWidth, 97);
    auto preview = startPreviewIn(parent);
    Window child = waitForChild(parent);
    ASSERT_NE(child, 0u);
    int x = -1, y = -1, width = 0, height = 0;
    ASSERT_TRUE(host->geometry(child, x, y, width, height));
    EXPECT_EQ(std::vector<int>({x, y, width, height}),
              std::vector<int>({0, 0, parentWidth, 97}));
    // The white host window must be hidden entirely by black.
    EXPECT_TRUE(comesToShow(parent, parentWidth, 97, filled(parentWidth, 97, kBlack)))
        << "width " << parentWidth;
    if (parentWidth == 151) keepScreenshot(parent, parentWidth, 97, "preview-151.png");
    host->destroyWindow(parent);
  }
}

TEST_F(PreviewWindowTest, PictureSmallerThanTheWindowLeavesTheRestBlack) {
  TestPicture small = patternPicture(60, 40, 14);
  installPicture(small);
  Window parent = host->createWindow(10, 10, 152, 80);
  auto preview = startPreviewIn(parent);
  std::vector<uint32_t> expected = filled(152, 80, kBlack);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) expected[static_cast<size_t>(y) * 152 + x] = small.at(x, y);
  }
  EXPECT_TRUE(comesToShow(parent, 152, 80, expected));
}

TEST_F(PreviewWindowTest, MissingPictureAtWidth152PaintsBlack) {
  Window parent = host->createWindow(10, 10, 152, 112);
  char hexId[32];  // in hexadecimal, as hosts may write it
  std::snprintf(hexId, sizeof hexId, "0x%lx", parent);
  auto preview = startPreview({"/p", hexId});
  ASSERT_NE(waitForChild(parent), 0u);
  EXPECT_TRUE(comesToShow(parent, 152, 112, filled(152, 112, kBlack)));
}

TEST_F(PreviewWindowTest, DestroyingTheHostEndsThePreviewWithStatusZero) {
  installPicture(patternPicture(152, 112, 15));
  Window parent = host->createWindow(10, 10, 152, 112);
  auto preview = startPreviewIn(parent);
  ASSERT_NE(waitForChild(parent), 0u);
  EXPECT_TRUE(preview->running());
  host->destroyWindow(parent);
  int status = -1;
  ASSERT_TRUE(preview->waitForExit(kTimeoutMs, status)) << "still running";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(fileText(folder.file("stderr.txt")), "");
}

// Without a usable host window there is nothing to paint into: the mode
// ends at once, normally, saying why on one line.
TEST_F(PreviewWindowTest, UnusableHostWindowEndsAtOnceWithOneLine) {
  Window gone = host->createWindow(0, 0, 20, 20);
  host->destroyWindow(gone);
  const std::vector<std::vector<std::string>> commandLines = {
      {"/p"}, {"/p", "abc"}, {"/p", std::to_string(gone)}, {"/p", "-5"},
      {"/p", "0"}, {"/p", "99999999999999"}};
  for (const auto& arguments : commandLines) {
    std::string shown = arguments.size() > 1 ? arguments[1] : "(none)";
    auto preview = startPreview(arguments);
    int status = -1;
    ASSERT_TRUE(preview->waitForExit(kTimeoutMs, status)) << shown;
    EXPECT_EQ(status, 0) << shown;
    std::string message = fileText(folder.file("stderr.txt"));
    EXPECT_FALSE(message.empty()) << shown;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << shown << ": " << message;
  }
  Window parent = host->createWindow(0, 0, 152, 112);
  auto noServer = startPreview({"/p", std::to_string(parent)}, ":9999");
  int status = -1;
  ASSERT_TRUE(noServer->waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 0);
  std::string message = fileText(folder.file("stderr.txt"));
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

}  // namespace

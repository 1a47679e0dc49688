// The settings dialog under a private X server, driven with xdotool as a
// user would: it must open with the stored values, write on OK and leave
// the file alone on Cancel. The configure mode of the saver starts it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <set>

#include "app/extra_settings.h"
#include "child_process.h"
#include "platform/png_file.h"
#include "scratch_folder.h"
#include "settings_bytes.h"
#include "x_host.h"
#include "x_server.h"
#include "x_server_test.h"

namespace {

constexpr int kTimeoutMs = 20000;
const char* const kDialogTitle = "Halvenrode settings";

class ConfigDialogTest : public XServerTest {
 protected:

  void SetUp() override {
    XServerTest::SetUp();
    if (HasFatalFailure()) return;
  }

  ChildProcess::Options optionsFor(const std::vector<std::string>& arguments,
                                   const std::string& display = server->display()) {
    ChildProcess::Options options;
    options.arguments = arguments;
    // No accessibility bus or session services run here.
    options.environment = {"DISPLAY=" + display, "XDG_CONFIG_DIRS=" + folder.path(),
                           "XDG_CONFIG_HOME=" + folder.path(), "HOME=" + folder.path(),
                           "GDK_BACKEND=x11", "NO_AT_BRIDGE=1",
                           "HALVENRODE_REGISTRY_FILE=" + folder.file("registry.ini")};
    options.errorFile = logs.file("err.txt");
    return options;
  }

  std::unique_ptr<ChildProcess> startDialog() {
    return std::make_unique<ChildProcess>(CONFIG_PROGRAM, optionsFor({}));
  }

  // The dialog's window once it is on the screen and drawn: two reads in a
  // row agree and show more than one colour.
  Window waitForDrawnDialog() {
    Window dialog = 0;
    std::vector<uint32_t> last;
    waitUntil(kTimeoutMs, [&] {
      dialog = host->findTopLevel(kDialogTitle);
      int x, y, width = 0, height = 0;
      if (dialog == 0 || !host->geometry(dialog, x, y, width, height)) return false;
      std::vector<uint32_t> now = host->readPixels(dialog, width, height);
      bool drawn = now == last && std::set<uint32_t>(now.begin(), now.end()).size() > 1;
      last = now;
      if (!drawn) usleep(100000);
      return drawn;
    });
    return dialog;
  }

  // Keys go to the focused window through the XTEST extension.
  void pressKeys(Window dialog, const std::vector<std::string>& keys) {
    host->focus(dialog);
    std::vector<std::string> arguments = {"key", "--delay", "50"};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    ChildProcess xdotool("xdotool", optionsFor(arguments));
    int status = -1;
    ASSERT_TRUE(xdotool.waitForExit(kTimeoutMs, status));
    ASSERT_EQ(status, 0);
  }

  void keepScreenshot(Window window, const std::string& name) {
    int x, y, width = 0, height = 0;
    ASSERT_TRUE(host->geometry(window, x, y, width, height));
    std::vector<uint8_t> rgba;
    for (uint32_t p : host->readPixels(window, width, height)) {
      rgba.insert(rgba.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                               static_cast<uint8_t>(p), 255});
    }
    writePngRgba(std::string(SCREENSHOT_FOLDER) + "/" + name, width, height, rgba, false);
  }

  std::string settingsFile() const { return folder.file("Quorvel_Halvenrode_cfg"); }

  ScratchFolder folder;
  ScratchFolder logs;
};


// Stored: analog 24-hour clock, not large; calendar off, Monday first;
// frame rate on; exit on mouse motion (as a byte other than 1, which a box
// left alone keeps); 1024 × 768; two kept strings.
SettingsBytes storedFile(uint8_t frameRate) {
  return SettingsBytes()
      .i32(1).counted(std::string("one\0", 4)).counted("two").u8(2).i32(5).i32(3)
      .u8(frameRate).u8(1).u8(1).u8(1).u8(0).u8(0).u8(1);
}

TEST_F(ConfigDialogTest, OpensWithTheStoredValuesAndOkWritesThem) {
  ASSERT_TRUE(putFileBytes(settingsFile(), storedFile(1).bytes()));
  ASSERT_TRUE(putFileBytes(folder.file("halvenrode.conf"),
                           "time-of-day = on\nsnow = steady\noverlays = primary-monitor\n"));
  auto dialog = startDialog();
  Window window = waitForDrawnDialog();
  ASSERT_NE(window, 0u) << "no dialog appeared: " << fileText(logs.file("err.txt"));
  keepScreenshot(window, "config-dialog.png");
  // Only the frame-rate and time-of-day boxes are changed (Alt+F, Alt+T);
  // OK (Alt+O) writes every other value as the dialog showed it.
  pressKeys(window, {"alt+f", "alt+t", "alt+o"});
  int status = -1;
  ASSERT_TRUE(dialog->waitForExit(kTimeoutMs, status)) << "OK did not close the dialog";
  EXPECT_EQ(status, 0) << fileText(logs.file("err.txt"));
  EXPECT_EQ(fileBytes(settingsFile()), storedFile(0).bytes());
  ExtraSettings extras;
  ASSERT_EQ(readExtraSettingsFile(folder.file("halvenrode.conf"), extras), FileRead::Done);
  EXPECT_FALSE(extras.timeOfDay);
  EXPECT_EQ(extras.snowfall, Snowfall::Steady);
  EXPECT_EQ(extras.overlayMonitors, OverlayMonitors::Primary);  // not in the dialog, kept
}

TEST_F(ConfigDialogTest, CancelWritesNothing) {
  auto dialog = startDialog();
  Window window = waitForDrawnDialog();
  ASSERT_NE(window, 0u);
  pressKeys(window, {"alt+f", "alt+c"});
  int status = -1;
  ASSERT_TRUE(dialog->waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(access(settingsFile().c_str(), F_OK), -1) << "a file appeared";
}

// An X server that goes away under the open dialog (on a server of the
// test's own) ends the program with status 1 and a line that says so.
TEST_F(ConfigDialogTest, LostDisplayEndsWithAMessage) {
  auto own = std::make_unique<XvfbServer>();
  ASSERT_TRUE(own->running());
  const std::string display = own->display();
  ChildProcess dialog(CONFIG_PROGRAM, optionsFor({}, display));
  {
    XHost watcher(display);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return watcher.findTopLevel(kDialogTitle) != 0; }))
        << fileText(logs.file("err.txt"));
  }
  own.reset();
  int status = -1;
  ASSERT_TRUE(dialog.waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 1);
  std::string err = fileText(logs.file("err.txt"));
  EXPECT_NE(err.find("halvenrode-config: lost the connection to the display " + display +
                     "; the settings were not saved\n"),
            std::string::npos) << err;
  EXPECT_EQ(access(settingsFile().c_str(), F_OK), -1);
}

// The button lists the saver in the daemon's list at once; Cancel then
// leaves the saver's own settings alone.
TEST_F(ConfigDialogTest, XScreenSaverButtonListsTheSaverAtOnce) {
  const std::string list = folder.file(".xscreensaver");
  ASSERT_TRUE(putFileBytes(list, "programs:\tmaze --root\t\\n\\\n\n"));
  auto dialog = startDialog();
  Window window = waitForDrawnDialog();
  ASSERT_NE(window, 0u);
  pressKeys(window, {"alt+x"});
  EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
    return fileBytes(list).find("halvenrode --root") != std::string::npos;
  })) << fileBytes(list);
  keepScreenshot(waitForDrawnDialog(), "config-dialog-xscreensaver.png");
  pressKeys(window, {"alt+c"});
  int status = -1;
  ASSERT_TRUE(dialog->waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(access(settingsFile().c_str(), F_OK), -1) << "Cancel wrote the settings";
}

// The saver's configure mode starts the program from its installation
// folder and ends while the dialog is still open.
TEST_F(ConfigDialogTest, ConfigureModeStartsTheDialogAndReturnsAtOnce) {
  std::ofstream(folder.file("registry.ini"))
      << "[Software\\Quorvel\\Halvenrode\\Settings]\nPath=" << INSTALL_FOLDER << "/\n";
  ChildProcess saver(SAVER_PROGRAM, optionsFor({"/c"}));
  int status = -1;
  ASSERT_TRUE(saver.waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 0);
  Window window = waitForDrawnDialog();
  ASSERT_NE(window, 0u) << "the configure mode did not start the dialog";
  pressKeys(window, {"alt+c"});
  EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return host->findTopLevel(kDialogTitle) == 0; }));
}

}  // namespace

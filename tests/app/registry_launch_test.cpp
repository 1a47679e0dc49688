#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/entry.h"
#include "app/registry_string.h"
#include "platform/paths.h"

namespace {

std::string tempFolder() {
  char pattern[] = "/tmp/halvenrode-launch-XXXXXX";
  const char* made = mkdtemp(pattern);
  return made != nullptr ? std::string(made) + "/" : std::string();
}

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return text;
}

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// The installation folder of this test binary holds the probe under the
// names of the two sibling programs (see the CMake set-up).
class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = tempFolder();
    ASSERT_FALSE(folder.empty());
    output = folder + "probe.txt";
    setenv("PROBE_OUTPUT", output.c_str(), 1);
    unsetenv("PROBE_RELEASE");
    unsetenv("PROBE_EXIT");
    unsetenv("PROBE_SIGNAL");
    unsetenv("SDL_VIDEO_ALLOW_SCREENSAVER");
  }
  std::string folder;
  std::string output;
};

TEST_F(LaunchTest, LauncherStartsTheSaverProgramAndWaitsForIt) {
  ASSERT_TRUE(exists(installPath.pathOf("Halvenrode.exe")));
  EXPECT_EQ(winMain("/s 123"), 0);
  ASSERT_TRUE(exists(output)) << "the launcher returned before its child finished";
  std::string expectedFolder = folderOfPath(installPath.value());
  EXPECT_EQ(readAll(output), "1\n" + expectedFolder + "\n1\n");
}

// A saver program that fails is not reported as success: one line on
// stderr, and its status (128 + the signal that ended it) for the launcher.
TEST_F(LaunchTest, LauncherPassesOnAFailureOfItsProgram) {
  struct Case {
    const char* variable;
    const char* value;
    int status;
    const char* says;
  } cases[] = {{"PROBE_EXIT", "3", 3, "ended with status 3"},
               {"PROBE_SIGNAL", "9", 128 + 9, "was ended by signal 9"}};
  for (const Case& c : cases) {
    setenv(c.variable, c.value, 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(winMain("/s"), c.status) << c.variable;
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Halvenrode.exe " + std::string(c.says)), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    unsetenv(c.variable);
  }
}

TEST_F(LaunchTest, ConfigureModeReturnsWhileTheProgramRuns) {
  std::string release = folder + "release";
  setenv("PROBE_RELEASE", release.c_str(), 1);
  EXPECT_EQ(winMain("/c:5"), 0);
  EXPECT_FALSE(exists(output));
  std::ofstream(release.c_str()) << "go";
  for (int i = 0; i < 500 && !exists(output); ++i) usleep(10000);
  EXPECT_TRUE(exists(output));
}

TEST_F(LaunchTest, MissingProgramIsReportedAsNotStarted) {
  EXPECT_EQ(launchProgramAt(folder + "no-such-program", true).startError, ENOENT);
  EXPECT_FALSE(launchProgramAt(folder, false).started());  // a folder is not a program
}

TEST_F(LaunchTest, ChildRunsInItsOwnFolderWithoutArguments) {
  std::string copy = folder + "probe";
  std::string command = std::string("cp ") + LAUNCH_PROBE + " " + copy;
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(launchProgramAt(copy, true).succeeded());
  EXPECT_EQ(readAll(output), "1\n" + folder.substr(0, folder.size() - 1) + "\n(unset)\n");
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = tempFolder();
    file = folder + "registry.ini";
    setenv("HALVENRODE_REGISTRY_FILE", file.c_str(), 1);
  }
  void TearDown() override { unsetenv("HALVENRODE_REGISTRY_FILE"); }
  void write(const std::string& text) { std::ofstream(file.c_str()) << text; }
  std::string folder;
  std::string file;
};

TEST_F(RegistryTest, ValueIsJoinedToFileNamesWithoutASeparator) {
  write("# installed by hand\n[Software\\Quorvel\\Halvenrode\\Settings]\nPath=C:\\Saver\n");
  RegistryString path("Software\\Quorvel\\Halvenrode\\Settings", "Path");
  EXPECT_TRUE(path.hasValue());
  EXPECT_EQ(path.pathOf("config.exe"), "C:\\Saverconfig.exe");
  EXPECT_EQ(folderOfPath("C:\\Saver\\config.exe"), "C:\\Saver");
}

TEST_F(RegistryTest, MissingKeyOrValueGivesNoValueOrTheFallback) {
  write("[Software\\Other]\nPath=/elsewhere/\n[Software\\Quorvel\\Halvenrode\\Settings]\nName=x\n");
  RegistryString none("Software\\Quorvel\\Halvenrode\\Settings", "Path");
  EXPECT_FALSE(none.hasValue());
  EXPECT_EQ(none.pathOf("main.pak"), "main.pak");
  RegistryString fallback("Software\\Quorvel\\Halvenrode\\Settings", "Path", "/opt/x/");
  EXPECT_EQ(fallback.value(), "/opt/x/");
  unsetenv("HALVENRODE_REGISTRY_FILE");
}

// The installation folder never depends on the folder the program was
// started in, and blanks an editor left around the value are not part of it.
TEST_F(RegistryTest, InstallFolderIsAFolderFromTheRootOrTheProgramsOwn) {
  const std::string own = executableFolder();
  ASSERT_FALSE(own.empty());
  const std::vector<std::pair<std::string, std::string>> values = {
      {"Path=/opt/inst/", "/opt/inst/"},
      {"Path=/opt/inst/   \t", "/opt/inst/"},
      {"  Path =  /opt/inst/ ", "/opt/inst/"},
      {"Path=\\opt\\inst\\", "\\opt\\inst\\"},
      {"Path=", own},
      {"Path=   ", own},
      {"Path=inst/", own},
      {"Path=./", own},
      {"Name=/opt/inst/", own}};
  for (const auto& value : values) {
    write("[Software\\Quorvel\\Halvenrode\\Settings]\r\n" + value.first + "\r\n");
    RegistryString path = readInstallPath();
    EXPECT_EQ(path.value(), value.second) << '"' << value.first << '"';
  }
}

TEST_F(RegistryTest, MissingRegistryFileOrOneThatIsNoFileGivesNoValue) {
  RegistryString none("Software\\Quorvel\\Halvenrode\\Settings", "Path");
  EXPECT_FALSE(none.hasValue());
  ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);  // a pipe must not wait for a writer
  RegistryString fromPipe("Software\\Quorvel\\Halvenrode\\Settings", "Path");
  EXPECT_FALSE(fromPipe.hasValue());
}

}  // namespace

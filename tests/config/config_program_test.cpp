// "config.exe" as scripts use it, with no display: the file it writes is
// read back the way the saver reads it.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "app/display_mode_table.h"
#include "child_process.h"
#include "scratch_folder.h"
#include "settings_bytes.h"
#include "app/extra_settings.h"
#include "tools/config/option_table.h"

namespace {

constexpr int kTimeoutMs = 15000;
// The account the unwritable-folder test runs the program as when the
// tests themselves run as root, for whom no folder is unwritable.
constexpr uid_t kUnprivilegedUser = 65534;
constexpr gid_t kUnprivilegedGroup = 65534;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class ConfigProgramTest : public ::testing::Test {
 protected:
  // The user's settings folder is the scratch folder (or `configFolder`);
  // the machine-wide one, the first of XDG_CONFIG_DIRS, another.
  ChildProcess::Options options(const std::vector<std::string>& arguments, uid_t user = 0,
                               const std::string& log = "") {
    ChildProcess::Options options;
    options.arguments = arguments;
    options.environment = {"XDG_CONFIG_HOME=" + configFolder,
                           "XDG_CONFIG_DIRS=" + machineFolder.path(), "DISPLAY=",
                           "HOME=" + folder.path()};
    options.outputFile = logs.file("out" + log + ".txt");
    options.errorFile = logs.file("err" + log + ".txt");
    options.user = user;
    options.group = user == 0 ? 0 : kUnprivilegedGroup;
    return options;
  }
  Outcome run(const std::vector<std::string>& arguments, uid_t user = 0) {
    Outcome outcome;
    ChildProcess program(CONFIG_PROGRAM, options(arguments, user));
    EXPECT_TRUE(program.waitForExit(kTimeoutMs, outcome.status)) << "did not end";
    outcome.out = fileText(logs.file("out.txt"));
    outcome.err = fileText(logs.file("err.txt"));
    return outcome;
  }
  std::string settingsFile() const { return folder.file("Quorvel_Halvenrode_cfg"); }
  std::string machineFile() const { return machineFolder.file("Quorvel_Halvenrode_cfg"); }
  ScratchFolder folder;
  ScratchFolder machineFolder;
  ScratchFolder logs;  // the program's output, apart from the settings folder
  std::string configFolder = folder.path();
};

void expectFlags(const Settings& read, const Settings& expected, const std::string& context) {
  for (const FlagOption& option : flagOptions()) {
    EXPECT_EQ(read.*option.field != 0, expected.*option.field != 0) << option.name << context;
  }
  EXPECT_EQ(read.displayMode, expected.displayMode) << context;
}

TEST_F(ConfigProgramTest, EveryOptionAndDisplayModeSetIsWhatTheSaverReads) {
  Settings expected;  // no file yet: the program starts from the defaults
  for (const FlagOption& option : flagOptions()) {
    for (const char* value : {"on", "off", "yes"}) {
      std::string assignment = std::string(option.name) + "=" + value;
      ASSERT_EQ(run({"--set", assignment}).status, 0) << assignment;
      expected.*option.field = std::string(value) == "off" ? 0 : 1;
      expectFlags(readAsSaver(settingsFile()), expected, " after " + assignment);
    }
  }
  for (int row = kDisplayModeCount - 1; row >= 0; --row) {
    std::string assignment = "display-mode=" + displayModeValue(row);
    ASSERT_EQ(run({"--set", assignment}).status, 0) << assignment;
    expected.displayMode = row;
    Settings read = readAsSaver(settingsFile());
    expectFlags(read, expected, " after " + assignment);
    EXPECT_EQ(read.displayHeight(), DisplayModeTable[row].height);
  }
  EXPECT_EQ(fileBytes(settingsFile()).size(), 28u);
}

TEST_F(ConfigProgramTest, ShowPrintsTheStoredValuesAndSetKeepsTheStrings) {
  const std::string first("\x01secret\0x", 9), second("second");
  ASSERT_TRUE(putFileBytes(settingsFile(),
                           SettingsBytes().i32(1).counted(first).counted(second).u8(1).i32(77)
                               .i32(3).u8(1).u8(1).u8(1).u8(1).u8(0).u8(0).u8(1).bytes()));
  Outcome shown = run({"--show"});
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out,
            "clock=on\nanalog-clock=on\nclock-24-hour=on\nlarge-clock=off\ncalendar=off\n"
            "monday-first-calendar=on\nframe-rate=on\nexit-on-mouse-move=on\n"
            "display-mode=1024x768\ntime-of-day=off\nsnow=none\noverlays=every-monitor\n");
  ASSERT_EQ(run({"--set", "calendar=on", "display-mode=desktop"}).status, 0);
  EXPECT_EQ(fileBytes(settingsFile()),
            SettingsBytes().i32(1).counted(first).counted(second).u8(1).i32(77).i32(0).u8(1)
                .u8(1).u8(1).u8(1).u8(0).u8(1).u8(1).bytes());
}

// The options the settings file has no room for go to the text file beside
// it, which the saver reads; a change of them alone leaves the settings
// file as it was (here: not there, so the machine-wide one stays in force).
TEST_F(ConfigProgramTest, SceneOptionsGoToTheTextFileTheSaverReads) {
  const std::string text = folder.file("halvenrode.conf");
  ASSERT_EQ(run({"--set", "snow=steady", "time-of-day=on", "overlays=primary-monitor"}).status, 0);
  EXPECT_NE(access(settingsFile().c_str(), F_OK), 0);
  ExtraSettings read;
  ASSERT_EQ(readExtraSettingsFile(text, read), FileRead::Done);
  EXPECT_TRUE(read.timeOfDay);
  EXPECT_EQ(read.snowfall, Snowfall::Steady);
  EXPECT_EQ(read.overlayMonitors, OverlayMonitors::Primary);
  EXPECT_NE(run({"--show"}).out.find("time-of-day=on\nsnow=steady\noverlays=primary-monitor\n"),
            std::string::npos);

  const std::string before = fileText(text);
  for (const char* bad : {"snow=lots", "time-of-day=dusk", "overlays=left"}) {
    EXPECT_EQ(run({"--set", "clock=off", bad}).status, 2) << bad;
    EXPECT_EQ(fileText(text), before) << bad;
    EXPECT_NE(access(settingsFile().c_str(), F_OK), 0) << bad;
  }
  ASSERT_EQ(run({"--set", "snow=none", "frame-rate=on"}).status, 0);
  EXPECT_EQ(readAsSaver(settingsFile()).showFrameRate, 1);
  ASSERT_EQ(readExtraSettingsFile(text, read), FileRead::Done);
  EXPECT_EQ(read.snowfall, Snowfall::None);
  EXPECT_TRUE(read.timeOfDay);
  EXPECT_EQ(read.overlayMonitors, OverlayMonitors::Primary);

  // A text file that cannot be read is never replaced by one that would
  // lose what it holds.
  ASSERT_EQ(unlink(text.c_str()), 0);
  ASSERT_EQ(mkfifo(text.c_str(), 0600), 0);
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--set", "snow=heavy"}, {"--show"}}) {
    Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 1) << arguments[0];
    EXPECT_NE(outcome.err.find(text), std::string::npos) << outcome.err;
  }
  struct stat info;
  ASSERT_EQ(lstat(text.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(ConfigProgramTest, MistakesChangeNothingAndSayWhy) {
  ASSERT_EQ(run({"--set", "frame-rate=on"}).status, 0);
  const std::string before = fileBytes(settingsFile());
  const std::vector<std::vector<std::string>> mistakes = {
      {"--set"}, {"--set", "clock=off", "no-such-option=on"}, {"--set", "clock"},
      {"--set", "display-mode=1023x768"}, {"--show", "extra"}, {"--frobnicate"},
      {"--version", "extra"}, {"--system", "--add-to-xscreensaver"}};
  for (const auto& arguments : mistakes) {
    Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 2) << arguments.back();
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_EQ(fileBytes(settingsFile()), before) << arguments.back();
  }
  EXPECT_NE(run({"--frobnicate"}).err.find("\"--frobnicate\""), std::string::npos);
  EXPECT_EQ(access(folder.file(".xscreensaver").c_str(), F_OK), -1);
}

// Both programs of the package report the same version.
TEST_F(ConfigProgramTest, VersionIsTheSaversVersion) {
  Outcome config = run({"--version"});
  ChildProcess::Options options;
  options.arguments = {"--version"};
  options.outputFile = logs.file("saver.txt");
  ChildProcess saver(SAVER_PROGRAM, options);
  int status = -1;
  ASSERT_TRUE(saver.waitForExit(kTimeoutMs, status));
  std::string saverVersion = fileText(logs.file("saver.txt"));
  ASSERT_EQ(saverVersion.compare(0, 11, "halvenrode "), 0) << saverVersion;
  EXPECT_EQ(config.status, 0);
  EXPECT_EQ(config.out, "halvenrode-config " + saverVersion.substr(11));
}

// The command line's form of the dialog's button: a list that has the
// saver is no failure, a file that is no list is one.
TEST_F(ConfigProgramTest, AddToXScreenSaverStatusSaysWhetherTheListIsRight) {
  const std::string list = folder.file(".xscreensaver");
  for (const std::string text : {"programs: halvenrode --root\\n\n", "mode: one\n"}) {
    ASSERT_TRUE(putFileBytes(list, text));
    Outcome outcome = run({"--add-to-xscreensaver"});
    bool listed = text[0] == 'p';
    EXPECT_EQ(outcome.status, listed ? 0 : 1) << text;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), listed ? 0 : 1)
        << outcome.err;
    EXPECT_NE((listed ? outcome.out : outcome.err).find(list), std::string::npos) << text;
    EXPECT_EQ(fileBytes(list), text);
  }
}

// A user's first change starts from the machine-wide choices and goes to
// their own file; --system reads and writes the machine-wide file only.
TEST_F(ConfigProgramTest, OwnFileByDefaultAndTheMachineWideOneWithSystem) {
  const std::string machineBytes =
      SettingsBytes().i32(1).counted("kept").counted("").u8(0).i32(0).i32(2)
          .u8(1).u8(1).u8(0).u8(0).u8(1).u8(1).u8(0).bytes();
  ASSERT_TRUE(putFileBytes(machineFile(), machineBytes));
  ASSERT_EQ(run({"--set", "clock=off"}).status, 0);
  EXPECT_EQ(fileBytes(settingsFile()),
            SettingsBytes().i32(1).counted("kept").counted("").u8(0).i32(0).i32(2)
                .u8(1).u8(0).u8(0).u8(0).u8(1).u8(1).u8(0).bytes());
  EXPECT_EQ(fileBytes(machineFile()), machineBytes);
  EXPECT_NE(run({"--show"}).out.find("clock=off\n"), std::string::npos);
  EXPECT_NE(run({"--system", "--show"}).out.find("clock=on\n"), std::string::npos);

  ASSERT_EQ(run({"--system", "--set", "frame-rate=off"}).status, 0);
  EXPECT_EQ(readAsSaver(machineFile()).showFrameRate, 0);
  EXPECT_EQ(readAsSaver(settingsFile()).showFrameRate, 1);
}

TEST_F(ConfigProgramTest, MissingUserFolderIsMadePrivate) {
  const std::string deeper = folder.file("new/config");
  ChildProcess::Options options;
  options.arguments = {"--set", "calendar=off"};
  options.environment = {"XDG_CONFIG_HOME=" + deeper, "XDG_CONFIG_DIRS=" + machineFolder.path()};
  ChildProcess program(CONFIG_PROGRAM, options);
  int status = -1;
  ASSERT_TRUE(program.waitForExit(kTimeoutMs, status));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(readAsSaver(deeper + "/Quorvel_Halvenrode_cfg").showCalendar, 0);
  struct stat info;
  ASSERT_EQ(stat(deeper.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// A change that cannot be saved says in one line what stands in its way,
// with the error met first, and the old file stays. Changing the
// machine-wide settings needs root, and an ordinary user is told so,
// whether or not a lock file is there yet; so is one whose settings folder
// cannot be made. A folder where the lock file belongs is named.
TEST_F(ConfigProgramTest, UnsavedChangesNameWhatIsInTheWayAndKeepTheOldFile) {
  ASSERT_EQ(run({"--system", "--set", "analog-clock=on"}).status, 0);
  const std::string before = fileBytes(machineFile());
  ASSERT_EQ(mkdir((settingsFile() + ".lock").c_str(), 0700), 0);
  uid_t user = 0;
  if (geteuid() == 0) {
    // Readable by everyone, writable by its owner (root) only.
    ASSERT_EQ(chmod(machineFolder.path().c_str(), 0755), 0);
    user = kUnprivilegedUser;
  } else {
    ASSERT_EQ(chmod(machineFolder.path().c_str(), 0555), 0);
  }
  const struct {
    std::string configFolder;
    bool system;
    uid_t user;
    std::string named;  // the start of the message
  } cases[] = {
      {folder.path(), true, user, "cannot write " + machineFile()},
      {folder.path(), true, user, "cannot write " + machineFile()},  // without a lock file
      {machineFolder.file("new/config"), false, user,
       "cannot make the folder " + machineFolder.file("new/config")},
      {folder.path(), false, 0, "cannot write " + settingsFile() + ".lock"},
  };
  for (const auto& c : cases) {
    if (&c == &cases[1]) {
      ASSERT_EQ(unlink((machineFile() + ".lock").c_str()), 0);
    }
    configFolder = c.configFolder;
    std::vector<std::string> arguments = {"--set", "analog-clock=off"};
    if (c.system) arguments.insert(arguments.begin(), "--system");
    Outcome outcome = run(arguments, c.user);
    EXPECT_EQ(outcome.status, 1) << c.named;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(c.named + ": "), std::string::npos) << outcome.err;
    EXPECT_EQ(outcome.err.find("No such file"), std::string::npos) << outcome.err;
    if (c.user != 0) {
      EXPECT_NE(outcome.err.find("the folder " + machineFolder.path().substr(
                                     0, machineFolder.path().size() - 1) +
                                 " needs administrator rights"),
                std::string::npos) << outcome.err;
    }
  }
  chmod(machineFolder.path().c_str(), 0700);
  EXPECT_EQ(fileBytes(machineFile()), before);
  EXPECT_EQ(access(settingsFile().c_str(), F_OK), -1);
}

// Choices that could not be read are never replaced: neither by defaults
// with the one option changed, nor shown as if they were the defaults.
TEST_F(ConfigProgramTest, PresentButUnreadableFileIsAnErrorAndKeptAsItIs) {
  ASSERT_EQ(run({"--set", "analog-clock=on", "frame-rate=on"}).status, 0);
  const std::string before = fileBytes(settingsFile());
  uid_t user = 0;
  ASSERT_EQ(chmod(settingsFile().c_str(), 0), 0);
  if (geteuid() == 0) {
    // Root reads anything: run as a user who may write the folder only.
    ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
    user = kUnprivilegedUser;
  }
  for (const auto& arguments : std::vector<std::vector<std::string>>{{"--set", "clock=off"}, {"--show"}}) {
    Outcome outcome = run(arguments, user);
    EXPECT_EQ(outcome.status, 1) << arguments[0];
    EXPECT_EQ(outcome.out, "") << arguments[0];
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_NE(outcome.err.find(settingsFile() + " cannot be read"), std::string::npos) << outcome.err;
  }
  chmod(folder.path().c_str(), 0700);
  chmod(settingsFile().c_str(), 0644);
  EXPECT_EQ(fileBytes(settingsFile()), before);

  // A pipe in its place: no wait for a writer, and still there afterwards.
  ASSERT_EQ(unlink(settingsFile().c_str()), 0);
  ASSERT_EQ(mkfifo(settingsFile().c_str(), 0644), 0);
  EXPECT_EQ(run({"--show"}).status, 1);
  EXPECT_EQ(run({"--set", "clock=off"}).status, 1);
  struct stat info;
  EXPECT_TRUE(stat(settingsFile().c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
}

// Only writing makes the settings folder; showing them never does.
TEST_F(ConfigProgramTest, ShowMakesNoFolderAndSetMakesItsOwn) {
  configFolder = folder.file("not/yet");
  Outcome shown = run({"--show"});
  EXPECT_EQ(shown.status, 0);
  EXPECT_NE(shown.out.find("clock=on\n"), std::string::npos);
  EXPECT_EQ(access(folder.file("not").c_str(), F_OK), -1) << "--show made a folder";
  ASSERT_EQ(run({"--set", "calendar=off"}).status, 0);
  EXPECT_EQ(readAsSaver(configFolder + "/Quorvel_Halvenrode_cfg").showCalendar, 0);
}

// Both files change together or neither does. A write of the second that
// fails (here: longer than the file-size limit, as on a full disk) leaves
// the first as it was. Should the second refuse its place after the first
// took its own (a sticky folder where the text file is another user's),
// the message says that the first was changed.
TEST_F(ConfigProgramTest, SetChangesBothFilesOrSaysWhichItChanged) {
  const std::string text = folder.file("halvenrode.conf");
  ASSERT_EQ(run({"--set", "clock=on", "snow=light"}).status, 0);
  const std::string before = fileBytes(settingsFile()), textBefore = fileText(text);
  // Room for the settings file and the one line on standard error, not
  // for the text file.
  constexpr size_t kLimit = 150;
  ASSERT_TRUE(before.size() < kLimit && textBefore.size() > kLimit) << "no limit between them";
  const std::string limit = "trap '' XFSZ; exec prlimit --fsize=" + std::to_string(kLimit) +
                            " \"$@\"";
  ChildProcess limited("sh", options({"-c", limit, "sh", CONFIG_PROGRAM, "--set", "clock=off",
                                      "snow=heavy"}));
  int status = -1;
  ASSERT_TRUE(limited.waitForExit(kTimeoutMs, status));
  std::string err = fileText(logs.file("err.txt"));
  EXPECT_EQ(status, 1);
  EXPECT_NE(err.find("cannot write " + text), std::string::npos) << err;
  EXPECT_EQ(fileBytes(settingsFile()), before);
  EXPECT_EQ(fileText(text), textBefore);

  if (geteuid() != 0) return;  // only root can hand the text file to another user
  configFolder = folder.file("shared");
  ASSERT_EQ(mkdir(configFolder.c_str(), 0777), 0);
  ASSERT_EQ(chmod(configFolder.c_str(), 01777), 0);
  ASSERT_EQ(chmod(folder.path().c_str(), 0711), 0);
  ASSERT_TRUE(putFileBytes(configFolder + "/halvenrode.conf", textBefore));
  Outcome outcome = run({"--set", "clock=off", "snow=heavy"}, kUnprivilegedUser);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_NE(outcome.err.find("cannot write " + configFolder + "/halvenrode.conf"),
            std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find(configFolder + "/Quorvel_Halvenrode_cfg was changed"),
            std::string::npos) << outcome.err;
  EXPECT_EQ(readAsSaver(configFolder + "/Quorvel_Halvenrode_cfg").showClock, 0);
  EXPECT_EQ(fileText(configFolder + "/halvenrode.conf"), textBefore);
}

// Programs changing different options of both files at once, each round
// in a fresh folder: every change is applied to what the others wrote,
// also when none of them found a file of the user's. Rounds, since a lost
// change depends on the order the programs happen to run in.
TEST_F(ConfigProgramTest, ChangesAtTheSameTimeAreAllKept) {
  const std::vector<std::string> changes = {"frame-rate=on", "analog-clock=on", "calendar=off",
                                            "snow=heavy", "time-of-day=on"};
  for (int round = 0; round < 10; ++round) {
    configFolder = folder.file("round" + std::to_string(round));
    std::vector<std::unique_ptr<ChildProcess>> programs;
    for (size_t i = 0; i < changes.size(); ++i) {
      programs.push_back(std::make_unique<ChildProcess>(
          CONFIG_PROGRAM, options({"--set", changes[i]}, 0, std::to_string(i))));
    }
    for (auto& program : programs) {
      int status = -1;
      ASSERT_TRUE(program->waitForExit(kTimeoutMs, status));
      EXPECT_EQ(status, 0);
    }
    Settings read = readAsSaver(configFolder + "/Quorvel_Halvenrode_cfg");
    ExtraSettings extras;
    ASSERT_EQ(readExtraSettingsFile(configFolder + "/halvenrode.conf", extras), FileRead::Done);
    EXPECT_EQ(read.showFrameRate, 1) << "round " << round;
    EXPECT_EQ(read.analogClock, 1) << "round " << round;
    EXPECT_EQ(read.showCalendar, 0) << "round " << round;
    EXPECT_EQ(extras.snowfall, Snowfall::Heavy) << "round " << round;
    EXPECT_TRUE(extras.timeOfDay) << "round " << round;
  }
}

TEST_F(ConfigProgramTest, DialogWithoutADisplayEndsWithAMessage) {
  Outcome outcome = run({});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_EQ(access(settingsFile().c_str(), F_OK), -1) << "nothing to write without a dialog";
}

}  // namespace

// The run object: what ends a run early, and the rule that each piece of
// process-wide state has one writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/saver_run.h"
#include "resources/pak_cache.h"

namespace {

// A scene whose archive cannot be read shows nothing it was meant to: the
// run ends with status 1 and one line naming the archive, whenever it is
// first asked for.
TEST(SaverRunDeathTest, UnreadableArchiveEndsTheRunWithStatusOne) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(
      {
        SaverRun run{RunSettings()};
        pakCache.acquireArchive("absent.pak");
      },
      testing::ExitedWithCode(1),
      "^[^\n]*: cannot read the archive absent\\.pak: [^\n]*absent\\.pak does not exist\n$");
}

// The program's code as text, comment lines left out, by path below the
// source folder.
std::vector<std::pair<std::string, std::string>> programSources() {
  std::vector<std::pair<std::string, std::string>> files;
  const std::filesystem::path top(HALVENRODE_SOURCE_DIR);
  for (const char* folder : {"app", "scene", "train", "resources", "landscape", "overlays",
                             "platform", "tools", "bench"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top / folder)) {
      if (entry.path().extension() != ".cpp") continue;
      std::ifstream in(entry.path());
      std::string line, code;
      while (std::getline(in, line)) {
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.compare(line.find_first_not_of(' '), 2, "//") == 0) {
          continue;
        }
        code += line + "\n";
      }
      files.push_back({std::filesystem::relative(entry.path(), top).string(), code});
    }
  }
  return files;
}

// Each piece of state that outlives a frame and is shared between modules
// is changed from one place (besides the file that defines it): otherwise
// two starters, or a starter and a module, can disagree about it.
TEST(ProcessWideState, EachIsWrittenFromOnePlace) {
  const std::string assigned = R"(\s*(=[^=]|\+=|-=|\+\+|--))";
  const struct {
    const char* what;
    std::string pattern;
    std::set<std::string> writers;
  } rules[] = {
      {"frameTime", R"((^|[^\w.>])frameTime)" + assigned,
       {"scene/frame_globals.cpp", "app/frame.cpp"}},
      {"currentNode", R"((^|[^\w.>])currentNode)" + assigned,
       {"scene/frame_globals.cpp", "scene/scene_node.cpp"}},
      {"currentEvent", R"((^|[^\w.>])currentEvent)" + assigned,
       {"scene/frame_globals.cpp", "scene/node_timeline.cpp"}},
      {"the roots", R"((^|[^\w.>])(worldRoot|overlayRoot))" + assigned, {"app/saver_run.cpp"}},
      {"the frame pass", R"(\bsetFramePass\()", {"scene/frame_globals.cpp", "app/frame.cpp"}},
      {"the archive folder", R"(\.(setBaseFolder|setUnreadableArchiveHandler)\()",
       {"app/saver_run.cpp", "tools/still/model_look.cpp"}},
      {"the content's state",
       R"(\b(resetLandscapeState|resetClockSlotMemories|resetCalendarState|resetFrameRateCounter)\()",
       {"app/scene_assembly.cpp", "landscape/terrain.cpp", "overlays/clock_slots.cpp",
        "overlays/calendar.cpp", "overlays/frame_rate.cpp"}},
      // The blended queue and GL's copy of the matrix trust these two to
      // know what GL holds; the floor benchmark and the benchmarks' own
      // test draw no scene.
      {"a tracked enable state past setGlSwitch",
       R"(\bgl(Enable|Disable)\(GL_(DEPTH_TEST|NORMALIZE|LIGHTING|LIGHT[0-7])\b)",
       {"app/gl_setup.cpp", "bench/floor.cpp", "bench/bench_support_test.cpp"}},
      {"the model-view matrix past modelViewStack",
       R"(\bgl(PushMatrix|PopMatrix|Translate[fd]|Rotate[fd]|Scale[fd]|MultMatrix[fd])\()",
       {"landscape/snowfall_pass.cpp", "app/light_positions.cpp", "bench/bench_support_test.cpp"}},
  };
  std::vector<std::pair<std::string, std::string>> sources = programSources();
  ASSERT_GT(sources.size(), 100u);
  for (const auto& rule : rules) {
    std::regex write(rule.pattern);
    for (const auto& [path, code] : sources) {
      if (rule.writers.count(path) == 0 && std::regex_search(code, write)) {
        ADD_FAILURE() << path << " writes " << rule.what;
      }
    }
  }
}

}  // namespace

// The real scene, built by the saver's own content code on the generated
// archives: every model and texture it loads exists, in every overlay form,
// the picture has no black holes, and the closed scene gives back every
// archive it used.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "app/saver_run.h"
#include "app/settings.h"
#include "platform/local_time.h"
#include "resources/pak_cache.h"
#include "scene/scene_node.h"
#include "tools/config/settings_writer.h"
#include "tools/still/offscreen_saver.h"

namespace {

struct Census {
  int withModel = 0;
  std::vector<std::string> empty;  // what nodes asked for and found nothing of
};

void walk(const SceneNode* node, Census& census) {
  if (node == nullptr) return;
  if (!node->archiveNames.empty()) {
    if (!node->meshes.empty())
      ++census.withModel;
    else
      census.empty.push_back(node->archiveNames.front());
  }
  for (const SceneNode::HeldTexture& held : node->heldTextures) {
    if (held.texture == 0) census.empty.push_back(held.archiveName + ":" + held.entryName);
  }
  for (const SceneNode* child : node->children) walk(child, census);
}

// Runs the saver for 6 s of frames 40 ms apart in falling snow with the
// given overlay options, then counts the nodes that loaded models.
Census runScene(bool analog, bool hours24, bool large, bool russian, double& blackShare) {
  Settings settings;
  settings.showFrameRate = 1;
  settings.showClock = 1;
  settings.showCalendar = 1;
  settings.analogClock = analog;
  settings.clock24Hour = hours24;
  settings.largeClock = large;
  settings.russianCalendar = russian;
  std::string path = ::testing::TempDir() + "halvenrode_assets_settings_" + std::to_string(getpid());
  std::string problem;
  EXPECT_TRUE(writeSettingsFile(path, settings, problem)) << problem;
  OffscreenSaverOptions options;
  options.width = 640;
  options.height = 360;
  options.settingsFile = path;
  EXPECT_EQ(readSettingOption({"--snow=heavy"}, 0, options.overrides, problem), 1) << problem;
  options.fixedLocalTime = parseLocalTime("2026-12-24 17:45:00", options.localTime);
  Census census;
  {
    OffscreenSaver saver(options);
    EXPECT_TRUE(saver.ok());
    if (!saver.ok()) return census;
    for (uint32_t t = 0; t <= 6000; t += 40) saver.frame(t);
    walk(worldRoot, census);
    walk(overlayRoot, census);
    std::vector<uint8_t> pixels = saver.pixels();
    size_t black = 0;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4)
      black += pixels[i] < 8 && pixels[i + 1] < 8 && pixels[i + 2] < 8;
    blackShare = double(black) / double(pixels.size() / 4);
  }
  std::remove(path.c_str());
  for (const char* archive : {"main.pak", "utils.pak", "clock.pak", "calendar.pak"}) {
    EXPECT_EQ(pakCache.useCount(archive), 0) << archive << " is still held";
  }
  return census;
}

}  // namespace

TEST(SceneOnGeneratedArchives, EveryLoadedModelExistsInEveryOverlayForm) {
  struct Form {
    bool analog, hours24, large, russian;
  };
  for (const Form& form : {Form{true, false, true, true}, Form{false, true, false, false}, Form{false, false, true, false}}) {
    double blackShare = 1;
    Census census = runScene(form.analog, form.hours24, form.large, form.russian, blackShare);
    for (const std::string& what : census.empty) ADD_FAILURE() << "a node found nothing in " << what;
    // Train (22 models), terrain, rails, plants, background and overlays.
    EXPECT_GT(census.withModel, 60);
    // Dark paint on the locomotive is fine; a hole in the world is not.
    EXPECT_LT(blackShare, 0.02) << "analog " << form.analog << " 24h " << form.hours24;
  }
}

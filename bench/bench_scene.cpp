#include "bench/bench_scene.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/saver_run.h"
#include "platform/local_time.h"
#include "resources/model_format.h"
#include "resources/pak_cache.h"
#include "scene/draw_hooks.h"
#include "scene/scene_node.h"

namespace {

void putI32(std::FILE* file, int32_t value) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(value & 0xff), static_cast<unsigned char>((value >> 8) & 0xff),
      static_cast<unsigned char>((value >> 16) & 0xff),
      static_cast<unsigned char>((value >> 24) & 0xff)};
  std::fwrite(bytes, 1, 4, file);
}

void countNode(const SceneNode* node, SceneCounts& counts) {
  counts.nodes += 1;
  counts.meshes += static_cast<int>(node->meshes.size());
  for (const DrawHook& hook : node->hooks) {
    if (hook.function == billboardHook) counts.smokeSprites += 1;
  }
  for (const SceneNode* child : node->children) countNode(child, counts);
}

// The record of the model entry [data, data + size) whose positions start
// at `positions`, or -1.
int meshIndexIn(const uint8_t* data, uint32_t size, const void* positions) {
  int32_t count = 0;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(data, size, count, cursor)) return -1;
  for (int32_t i = 0; i < count; ++i) {
    MeshRecordView view;
    if (!readMeshRecord(cursor, data + size, view)) return -1;
    if (view.positions == positions) return i;
  }
  return -1;
}

}  // namespace

bool writeAllOverlaysSettings(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  putI32(file, 1);  // the layout that carries options
  putI32(file, 0);  // two empty strings
  putI32(file, 0);
  std::fputc(0, file);  // no exit on mouse motion
  putI32(file, 0);      // reserved word
  putI32(file, 0);      // display mode 0
  // Frame rate, clock, analogue, 24-hour, large, calendar, second alphabet.
  const unsigned char overlays[7] = {1, 1, 0, 1, 1, 1, 0};
  std::fwrite(overlays, 1, sizeof overlays, file);
  return std::fclose(file) == 0;
}

OffscreenSaverOptions benchSaverOptions(int width, int height, const std::string& settingsFile) {
  OffscreenSaverOptions options;
  options.width = width;
  options.height = height;
  options.settingsFile = settingsFile;
  options.seed = 7;
  options.fixedLocalTime = parseLocalTime("2026-12-24 17:44:30", options.localTime);
  return options;
}

uint32_t runFrames(OffscreenSaver& saver, uint32_t fromMs, uint32_t toMs, uint32_t stepMs) {
  uint32_t last = fromMs;
  if (stepMs == 0) return last;
  for (uint32_t t = fromMs + stepMs; t <= toMs; t += stepMs) {
    saver.frame(t);
    last = t;
  }
  return last;
}

std::string temporarySettingsPath() {
  const char* folder = std::getenv("TMPDIR");
  std::string base = folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
  return base + "/halvenrode-bench-" + std::to_string(getpid()) + ".cfg";
}

SceneCounts countScene() {
  SceneCounts counts;
  if (worldRoot != nullptr) countNode(worldRoot, counts);
  if (overlayRoot != nullptr) countNode(overlayRoot, counts);
  return counts;
}

std::string meshSourceName(const void* positions) {
  const auto* bytes = static_cast<const uint8_t*>(positions);
  for (const char* name : {"main.pak", "utils.pak", "clock.pak", "calendar.pak"}) {
    const PakArchive* archive = pakCache.peekArchive(name);
    if (archive == nullptr) continue;
    for (size_t e = 0; e < archive->entryCount(); ++e) {
      const uint8_t* data = archive->entryData(e);
      uint32_t size = archive->entrySize(e);
      if (bytes < data || bytes >= data + size) continue;
      int mesh = meshIndexIn(data, size, positions);
      return archive->entryName(e) + "/" + (mesh < 0 ? std::string("?") : std::to_string(mesh));
    }
  }
  return "-";
}

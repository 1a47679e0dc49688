#include "tests/content/test_archives.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "app/settings_format.h"
#include "platform/paths.h"
#include "resources/mesh.h"
#include "resources/pak_archive.h"
#include "scene/scene_node.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void putFloat(std::vector<uint8_t>& out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  put32(out, bits);
}

void putDoubles(std::vector<uint8_t>& out, std::initializer_list<double> values) {
  for (double value : values) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
}

// Header byte 0, one mesh: a unit triangle in the node's X-Y plane, grey,
// opaque, texture name "=<entry>".
std::vector<uint8_t> triangleModel(const std::string& entry) {
  std::vector<uint8_t> out{0};
  put32(out, 1);
  std::string texture = "=" + entry;
  put32(out, static_cast<uint32_t>(texture.size() + 1));
  out.insert(out.end(), texture.begin(), texture.end());
  out.push_back(0);
  out.insert(out.end(), 80, 0);  // reserved
  std::vector<uint8_t> material{0, 0, 0, 0};
  for (float c : {0.3f, 0.3f, 0.3f, 1.0f, 0.7f, 0.7f, 0.7f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f}) {
    putFloat(material, c);
  }
  material.resize(60, 0);
  out.insert(out.end(), material.begin(), material.end());
  put32(out, 1);
  out.push_back(0);
  putDoubles(out, {0, 0, 0, 1, 0, 0, 0, 1, 0});
  putDoubles(out, {0, 0, 1, 0, 0, 1, 0, 0, 1});
  putDoubles(out, {0, 0, 1, 0, 0, 1});
  return out;
}

bool writeArchive(const std::string& folder, const std::string& name,
                  const std::vector<std::string>& entries) {
  PakArchive archive;
  for (const std::string& entry : entries) {
    std::vector<uint8_t> model = triangleModel(entry);
    archive.addEntry(entry, model.data(), static_cast<uint32_t>(model.size()));
  }
  std::string temporary = folder + name + ".tmp" + std::to_string(getpid());
  return archive.save(temporary) &&
         std::rename(temporary.c_str(), (folder + name).c_str()) == 0;
}

std::vector<std::string> numbered(const std::string& prefix, int first, int last) {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

std::string writeTestArchives() {
  std::string folder = executableFolder();
  std::vector<std::string> digits = numbered("", 0, 9);
  bool ok =
      writeArchive(folder, "main.pak",
                   {"parovoz", "kolesosmall", "kolesobig", "kolesosred", "koleb", "dergatel",
                    "porshen_small", "richazek", "porshen", "balka", "balka2", "tolkatel",
                    "topka", "smouke", "fon", "relef1", "relef2", "relsi", "elka", "derevo",
                    "kust"}) &&
      writeArchive(folder, "clock.pak",
                   joined({"ciferblat", "sec", "min", "chas", "podlozka", "podlozka_am", "dot",
                           "am", "pm"},
                          digits)) &&
      writeArchive(folder, "calendar.pak",
                   joined(joined({"fon", "fon_rus", "day", "day_rus", "null", "sel"},
                                 numbered("m", 1, 12)),
                          numbered("", 1, 31))) &&
      writeArchive(folder, "utils.pak", joined({"fps"}, digits));
  return ok ? folder : std::string();
}

std::string loadedEntry(const SceneNode* node) {
  if (node->meshes.empty()) return std::string();
  std::string texture = node->meshes.front()->textureName();
  return texture.empty() ? texture : texture.substr(1);
}

bool writeSettingsFile(const std::string& path, const unsigned char flags[7]) {
  Settings settings;
  uint8_t* options[] = {&settings.showFrameRate, &settings.showClock, &settings.analogClock,
                        &settings.clock24Hour, &settings.largeClock, &settings.showCalendar,
                        &settings.russianCalendar};
  for (int i = 0; i < 7; ++i) *options[i] = flags[i];
  std::string bytes = encodeSettings(settings);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

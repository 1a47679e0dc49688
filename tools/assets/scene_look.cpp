// Developer's preview of the assembled artwork: the locomotive with its
// running gear posed at a wheel angle, and the whole view as the saver's
// camera sees it. Mirrors the node placements the saver uses so that joints
// and proportions can be judged before the content code exists. Not part
// of the installed program.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/gl_setup.h"
#include "platform/offscreen_gl.h"
#include "platform/png_file.h"
#include "resources/blended_mesh_queue.h"
#include "resources/mesh.h"
#include "resources/model_reader.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"
#include "tools/assets/terrain_height.h"

namespace {

struct Loaded {
  std::vector<Mesh*> meshes;
};

std::vector<Mesh*>& model(const std::string& entry) {
  static std::vector<std::pair<std::string, Loaded>> cache;
  for (auto& c : cache)
    if (c.first == entry) return c.second.meshes;
  cache.push_back({entry, Loaded()});
  readModelEntry("main.pak", entry, cache.back().second.meshes);
  return cache.back().second.meshes;
}

void draw(const std::string& entry) {
  for (Mesh* m : model(entry)) m->draw();
}

struct GearNode {
  const char* entry;
  int parent;  // index in the table, -1 for the train
  double x, y, z, fixedY;
  double amplitude, phase;  // swing: amplitude * sin(theta + phase)
  double turn;              // times the wheel angle
};

const double kPi = 3.14159265358978, kHalfPi = 1.57079632679489;

// The locomotive's nodes in creation order (rows 2..24 of the builder).
const GearNode kParts[] = {
    {"parovoz", -1, 0, 0, 0, 0, 0, 0, 0},           {"kolesosmall", -1, 12.84, 0, -3.8, 0, 0, 0, 1},
    {"kolesobig", -1, -2.76, 0, -3.0, 0, 0, 0, 1},  {"kolesobig", -1, 1.64, 0, -3.0, 0, 0, 0, 1},
    {"koleb", -1, 4.16, 3.3, -1.473, 0, 30, 0, 0},  {"koleb", -1, 4.16, -3.3, -1.473, 0, 30, -kPi, 0},
    {"dergatel", 4, 0.76, 0, 0, 0, 37, kPi, 0},     {"dergatel", 5, 0.76, 0, 0, 0, 37, 0, 0},
    {"porshen_small", 6, 3.05, 0, 0, 0, 8, 0, 0},   {"porshen_small", 7, 3.05, 0, 0, 0, 8, -kPi, 0},
    {"richazek", 3, 0, 3.1, 0.923, 0, 0, 0, 0},     {"", 3, 0, -3.1, -0.923, 0, 0, 0, 0},
    {"richazek", 3, 0, -3.1, -0.923, 180, 0, 0, 0}, {"porshen", 11, 0, -0.3, 1.3, 0, 4.9, kHalfPi, -1},
    {"porshen", 10, 0, 0.3, -1.3, 0, 4.9, -kHalfPi, -1}, {"balka", 3, 0, 2.5, 0.923, 0, 0, 0, -1},
    {"balka", 3, 0, -2.5, -0.923, 0, 0, 0, -1},     {"balka2", 15, 0, 0.3, 0, 0, 9, kHalfPi, 0},
    {"balka2", 16, 0, -0.3, 0, 0, 9, -kHalfPi, 0},  {"tolkatel", 17, 5.6, 0, 0, 0, 9, -kHalfPi, 0},
    {"tolkatel", 18, 5.6, 0, 0, 0, 9, kHalfPi, 0},  {"kolesobig", -1, 6.04, 0, -3.0, 0, 0, 0, 1},
    {"kolesosred", -1, -9.36, 0, -3.5, 0, 0, 0, 1},
};
const int kPartCount = sizeof kParts / sizeof kParts[0];

void applyPart(int i, double thetaDeg) {
  const GearNode& p = kParts[i];
  if (p.parent >= 0) applyPart(p.parent, thetaDeg);
  double th = thetaDeg * kPi / 180;
  glTranslated(p.x, p.y, p.z);
  double angle = p.fixedY + p.amplitude * std::sin(th + p.phase) + p.turn * thetaDeg;
  if (angle != 0) glRotated(angle, 0, 1, 0);
}

void drawTrain(double theta, bool smoke) {
  for (int i = 0; i < kPartCount; ++i) {
    if (kParts[i].entry[0] == '\0') continue;
    glPushMatrix();
    applyPart(i, theta);
    draw(kParts[i].entry);
    glPopMatrix();
  }
  glPushMatrix();
  glTranslated(-23.5, 0, 0);
  draw("topka");
  for (double x : {6.194, 3.194, -3.474, -6.474}) {
    glPushMatrix();
    glTranslated(x, 0, -3.8);
    glRotated(theta, 0, 1, 0);
    draw("kolesosmall");
    glPopMatrix();
  }
  glPopMatrix();
  if (!smoke) return;
  for (int k = 0; k < 150; ++k) {
    double t = k * 0.052, seedA = std::fmod(k * 0.618, 1.0), seedB = std::fmod(k * 0.414, 1.0);
    glPushMatrix();
    glTranslated(11.0 - (7 + 5 * seedA) * t, (-1 + 3 * seedB) * t, 7.2 + (2 + 5 * seedB) * (1 - std::exp(-1.5 * t)));
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m[c * 4 + r] = r == c ? 1 : 0;
    glLoadMatrixd(m);
    glScaled(0.5 + seedA, 0.5 + seedB, 1);
    glEnable(GL_NORMALIZE);
    // Each sprite needs meshes of its own: a queued blended mesh keeps one
    // captured matrix.
    static std::vector<Mesh*> puffs[150];
    if (puffs[k].empty()) readModelEntry("main.pak", "smouke", puffs[k]);
    for (Mesh* mesh : puffs[k]) mesh->draw();
    glDisable(GL_NORMALIZE);
    glPopMatrix();
  }
}

std::vector<Mesh*>& overlayModel(const std::string& archive, const std::string& entry) {
  static std::vector<std::pair<std::string, std::vector<Mesh*>>> cache;
  std::string key = archive + ":" + entry;
  for (auto& c : cache)
    if (c.first == key) return c.second;
  cache.push_back({key, {}});
  readModelEntry(archive, entry, cache.back().second);
  return cache.back().second;
}

void drawAt(const std::string& archive, const std::string& entry, double x, double y, double angle = 0) {
  glPushMatrix();
  glTranslated(x, y, 0);
  if (angle != 0) glRotated(angle, 0, 0, 1);
  for (Mesh* m : overlayModel(archive, entry)) m->draw();
  glPopMatrix();
}

// The overlays as the saver places them: calendar, clock (analog when
// `analog`, else digital 24-hour or 12-hour), counter showing 42.
void drawOverlays(double aspect, bool analog, bool hours24, bool large, bool russian) {
  const double tanHalf = std::tan(22.5 * kPi / 180);
  auto edgeX = [&](double d) { return d * aspect * tanHalf; };
  auto edgeY = [&](double d) { return d * tanHalf; };
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glLoadIdentity();
  glTranslated(0, 0, -100);
  glPushMatrix();
  glTranslated(-edgeX(-211), edgeY(183), -140);
  drawAt("calendar.pak", russian ? "fon_rus" : "fon", -16, -12);
  drawAt("calendar.pak", russian ? "day_rus" : "day", -16, 8);
  drawAt("calendar.pak", "m12", -16, 16);
  int first = russian ? 1 : 2;
  for (int i = 0; i < 42; ++i) {
    int day = i - first + 1;
    std::string entry = day >= 1 && day <= 31 ? std::to_string(day) : "null";
    double x = (i % 7) * 8 - 40, y = -(i / 7) * 8;
    if (day == 7) drawAt("calendar.pak", "sel", x, y);
    drawAt("calendar.pak", entry, x, y);
  }
  glPopMatrix();
  glPushMatrix();
  if (large)
    glTranslated(-edgeX(-70), edgeY(-70), 30);
  else
    glTranslated(-edgeX(-170), edgeY(-170), -70);
  if (analog) {
    glTranslated(-9.3, 9.0, 0);
    drawAt("clock.pak", "ciferblat", 0, 0);
    drawAt("clock.pak", "sec", 0, 0, -6 * 38);
    drawAt("clock.pak", "min", 0, 0, -6 * 10);
    drawAt("clock.pak", "chas", 0, 0, -30 * 22 - 5);
  } else {
    glTranslated(-10, 1, 0);
    if (!hours24) glTranslated(-5.186, 0, 0);
    drawAt("clock.pak", hours24 ? "podlozka" : "podlozka_am", 0, 0);
    if (!hours24) drawAt("clock.pak", "pm", 11.432, 0);
    const char* digits24[4] = {"2", "2", "1", "0"};
    const char* digits12[4] = {"", "9", "5", "8"};
    const double xs[4] = {-6.483, -2.498, 2.523, 6.466};
    for (int k = 0; k < 4; ++k) {
      const char* d = hours24 ? digits24[k] : digits12[k];
      if (d[0] != '\0') drawAt("clock.pak", d, xs[k], 0);
    }
    drawAt("clock.pak", "dot", 0, 0);
  }
  glPopMatrix();
  glTranslated(edgeX(-100) + 5.0, -edgeY(-100) - 2.5, 0);
  drawAt("utils.pak", "fps", 0, 0);
  drawAt("utils.pak", "4", 1.9, 0);
  drawAt("utils.pak", "2", 3.3, 0);
  blendedMeshQueue.flush();
  glEnable(GL_DEPTH_TEST);
}

void setupLight() {
  const float ambient[4] = {0.1f, 0.1f, 0.1f, 1}, diffuse[4] = {0.4f, 0.4f, 0.4f, 1},
              specular[4] = {0.5f, 0.5f, 0.5f, 1};
  glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT1, GL_SPECULAR, specular);
  glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.0f);
  glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.0003f);
}

void drawPiece(double x0, int kind) {
  glPushMatrix();
  glTranslated(x0, 0, 0);
  glDisable(GL_LIGHTING);
  draw(kind == 1 ? "relef1" : "relef2");
  draw("relsi");
  glEnable(GL_LIGHTING);
  const std::vector<PlantingSpot>& spots = plantingSpots(kind);
  const char* names[9] = {"elka", "elka", "elka", "elka", "elka", "derevo", "derevo", "derevo", "kust"};
  for (size_t i = 0; i < spots.size(); i += 2) {
    glPushMatrix();
    glTranslated(spots[i].x, spots[i].y, spots[i].z);
    glScaled(1, 1, 0.8 + 0.05 * double(i % 10));
    glEnable(GL_NORMALIZE);
    draw(names[(i * 7 + kind) % 9]);
    glDisable(GL_NORMALIZE);
    glPopMatrix();
  }
  glPopMatrix();
}

}  // namespace

// mode "train": the locomotive and car seen like a model look, at wheel
// angle `a`. mode "scene": the saver's view with Z sway `a`, Y sway `b`,
// dolly offset `c` and pieces shifted by `d` units.
int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: scene-look FOLDER/ train|scene OUT.png [a b c d]\n");
    return 2;
  }
  std::string mode = argv[2];
  double a = argc > 4 ? std::atof(argv[4]) : 0, b = argc > 5 ? std::atof(argv[5]) : 0,
         c = argc > 6 ? std::atof(argv[6]) : 0, d = argc > 7 ? std::atof(argv[7]) : 0;
  const int w = std::getenv("LOOK_WIDE") ? 1280 : 1024, h = 720 + (std::getenv("LOOK_WIDE") ? 0 : 48);
  OffscreenGlContext context(w, h);
  if (!context.ok()) return 3;
  applyFixedGlState();
  setProjection(w, h);
  pakCache.setBaseFolder(argv[1]);
  for (int step = 0; step < 40; ++step) proceduralTextureCache.updateAll(uint32_t(step * 40));
  glClearColor(mode == "train" ? 0.5f : 0.0f, mode == "train" ? 0.5f : 0.0f, mode == "train" ? 0.5f : 0.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  setupLight();
  if (mode == "train") {
    glTranslated(0, 0, c > 0 ? -c : -62);
    glRotated(-80, 1, 0, 0);
    glRotated(-10 + b, 0, 0, 1);
    glTranslated(-d, 0, c > 0 ? 2 : 0);
    const float position[4] = {0, 10, 20, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    drawTrain(a, false);
  } else {
    glTranslated(0, 0, -100 + 55 + c);
    glRotated(-62, 1, 0, 0);
    glRotated(-90, 0, 0, 1);
    glRotated(b, 0, 1, 0);
    glRotated(a, 0, 0, 1);
    glDisable(GL_LIGHTING);
    draw("fon");
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glPushMatrix();
    glTranslated(0, 10, 20);
    const float origin[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, origin);
    glPopMatrix();
    drawPiece(200 - d, 2);
    drawPiece(-d, 1);
    if (!std::getenv("LOOK_TWO_PIECES")) drawPiece(-200 - d, 2);
    if (!std::getenv("LOOK_NO_TRAIN")) drawTrain(40, true);
  }
  blendedMeshQueue.flush();
  if (argc > 8) {
    int form = std::atoi(argv[8]);  // 0 analog, 1 digital 24 h, 2 digital 12 h; +10 small, +100 russian
    drawOverlays(double(w) / h, form % 10 == 0, form % 10 == 1, (form / 10) % 10 == 0, form >= 100);
  }
  return writePngRgba(argv[3], w, h, context.readPixels(), true) ? 0 : 4;
}

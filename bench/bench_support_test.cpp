// Tests of the measuring tools themselves: a figure is only worth reporting
// if the statistics are right and the raw replay draws what the saver drew.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "bench/bench_scene.h"
#include "bench/frame_capture.h"
#include "bench/frame_stats.h"
#include "bench/memory_usage.h"
#include "platform/offscreen_gl.h"
#include "platform/png_file.h"

namespace {

TEST(FrameStats, PercentilesMedianAndPacing) {
  std::vector<double> hundred;
  for (int i = 100; i >= 1; --i) hundred.push_back(i);  // unsorted on purpose
  EXPECT_EQ(percentile(hundred, 0.99), 99);
  EXPECT_EQ(percentile(hundred, 1.0), 100);
  EXPECT_EQ(percentile(hundred, 0.0), 1);
  EXPECT_EQ(percentile({4, 1, 3}, 0.5), 3);  // nearest rank, no interpolation
  EXPECT_EQ(percentile({}, 0.99), 0);
  EXPECT_EQ(median({5, 1, 3}), 3);
  EXPECT_EQ(median({4, 1, 3, 2}), 2.5);
  EXPECT_EQ(median({}), 0);

  // The first frame builds the scene: it counts for the worst frame but not
  // for the slow frames after the first.
  FramePacing pacing = summarisePacing({50, 10, 10, 30, 31, 10, 10});
  EXPECT_EQ(pacing.frames, 7u);
  EXPECT_EQ(pacing.median, 10);
  EXPECT_EQ(pacing.worst, 50);
  EXPECT_EQ(pacing.worstAfterFirst, 31);
  EXPECT_EQ(pacing.slowAfterFirst, 1u);  // 30 is exactly 3 × median: not above
  EXPECT_EQ(summarisePacing({}).frames, 0u);
}

// Stills are written with light compression for speed; the pixels must
// still come back exactly, bottom-up rows included.
TEST(PngFile, FastWriteReadsBackTheSamePixels) {
  const int width = 37, height = 5;  // odd sizes: no row happens to align
  std::vector<uint8_t> pixels(width * height * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7 + i / 13);
  std::string path = temporarySettingsPath() + ".png";
  ASSERT_TRUE(writePngRgba(path, width, height, pixels, true));
  int readWidth = 0, readHeight = 0;
  std::vector<uint8_t> read;
  ASSERT_TRUE(readPngRgba(path, readWidth, readHeight, read));
  std::remove(path.c_str());
  ASSERT_EQ(readWidth, width);
  ASSERT_EQ(readHeight, height);
  for (int row = 0; row < height; ++row) {
    const uint8_t* written = pixels.data() + (height - 1 - row) * width * 4;
    EXPECT_TRUE(std::equal(written, written + width * 4, read.data() + row * width * 4));
  }
  EXPECT_FALSE(writePngRgba(path, width, height, std::vector<uint8_t>(10), true));
}

TEST(MemoryUsage, ReadsBothFieldsAndToleratesDamage) {
  MemoryUsage usage = parseMemoryStatus(
      "Name:\tx\nVmHWM:\t  2048 kB\nVmRSS:\t  1024 kB\nRssAnon:\t  512 kB\n");
  EXPECT_EQ(usage.residentKb, 1024);
  EXPECT_EQ(usage.peakResidentKb, 2048);
  EXPECT_EQ(usage.privateKb, 512);
  // A field without a number does not borrow the next line's.
  usage = parseMemoryStatus("VmRSS:\nVmHWM:\t7 kB");
  EXPECT_EQ(usage.residentKb, -1);
  EXPECT_EQ(usage.peakResidentKb, 7);
  usage = parseMemoryStatus("");
  EXPECT_EQ(usage.residentKb, -1);
  EXPECT_EQ(usage.peakResidentKb, -1);
  MemoryUsage own = readMemoryUsage();
  EXPECT_GT(own.residentKb, 0);
  EXPECT_GT(own.privateKb, 0);
  EXPECT_LE(own.privateKb, own.residentKb);
}

// A two-triangle frame by hand: an opaque textured quad, then a blended one
// drawn with depth writes off under another matrix, after a texture update.
struct HandFrame {
  GLuint texture = 0;
  std::vector<double> positions, normals, texCoords;

  HandFrame() {
    const double quad[] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, -1, 0, 1, 1, 0, -1, 1, 0};
    const double st[] = {0, 0, 1, 0, 1, 1, 0, 0, 1, 1, 0, 1};
    positions.assign(quad, quad + 18);
    texCoords.assign(st, st + 12);
    for (int i = 0; i < 6; ++i) normals.insert(normals.end(), {0.0, 0.0, 1.0});
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    std::vector<uint8_t> blank(4 * 4 * 4, 255);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, blank.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }

  void draw() {
    std::vector<uint8_t> pixels(4 * 4 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 13);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 4, 4, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glClearColor(0.1f, 0.2f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScalef(0.5f, 0.5f, 1);
    glVertexPointer(3, GL_DOUBLE, 0, positions.data());
    glNormalPointer(GL_DOUBLE, 0, normals.data());
    glTexCoordPointer(2, GL_DOUBLE, 0, texCoords.data());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glRotatef(30, 0, 0, 1);
    glTranslatef(0.5f, 0, 0);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, 0);
    const GLfloat red[4] = {1, 0, 0, 0.5f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, red);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
  }
};

TEST(FrameCapture, RecordsCallsInOrderAndReplaysTheSamePicture) {
  OffscreenGlContext context(64, 48);
  ASSERT_TRUE(context.ok());
  HandFrame hand;
  CapturedFrame frame;
  beginFrameCapture(frame);
  hand.draw();
  endFrameCapture();
  std::vector<uint8_t> drawn = context.readPixels();

  ASSERT_EQ(frame.steps.size(), 4u);
  EXPECT_EQ(frame.steps[0].kind, CapturedStep::Kind::Upload);
  EXPECT_EQ(frame.steps[1].kind, CapturedStep::Kind::Clear);
  EXPECT_EQ(frame.steps[2].kind, CapturedStep::Kind::Draw);
  EXPECT_EQ(frame.steps[3].kind, CapturedStep::Kind::Draw);
  EXPECT_EQ(frame.vertexCount(), 12u);
  EXPECT_EQ(frame.draws[0].state.texture, hand.texture);
  EXPECT_TRUE(frame.draws[1].state.blend);
  EXPECT_FALSE(frame.draws[1].state.depthMask);
  EXPECT_TRUE(frame.draws[1].state.lights[0]);

  // Whatever ran in between (other texture bound, other arrays, other
  // matrix), the replay sets what it needs and leaves the end state.
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glBindTexture(GL_TEXTURE_2D, 0);
  glVertexPointer(3, GL_DOUBLE, 0, hand.normals.data());
  glLoadIdentity();
  const GLfloat grey[4] = {0.3f, 0.3f, 0.3f, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, grey);
  replayFrame(frame);
  EXPECT_EQ(context.readPixels(), drawn);
  EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_EQ(depthMask, GL_TRUE);
  // Outside a capture nothing is recorded.
  hand.draw();
  EXPECT_EQ(frame.steps.size(), 4u);
}

// The baseline is only fair if it draws exactly the saver's picture.
TEST(FrameCapture, ReplayOfASaverFrameMatchesTheSaversPicture) {
  if (!std::ifstream("main.pak").good()) GTEST_SKIP() << "needs the archives";
  std::string settingsPath = temporarySettingsPath();
  ASSERT_TRUE(writeAllOverlaysSettings(settingsPath));
  OffscreenSaver saver(benchSaverOptions(160, 120, settingsPath));
  std::remove(settingsPath.c_str());
  ASSERT_TRUE(saver.ok());
  uint32_t t = runFrames(saver, 0, 3000, 250);
  CapturedFrame frame;
  beginFrameCapture(frame);
  saver.frame(t + kBenchStepMs);
  endFrameCapture();
  std::vector<uint8_t> drawn = saver.pixels();
  EXPECT_GT(frame.draws.size(), 20u);
  EXPECT_GE(frame.uploads.size(), 1u);
  EXPECT_GT(countScene().smokeSprites, 0);
  replayFrame(frame);
  EXPECT_EQ(saver.pixels(), drawn);
  // And the saver's next frame still draws after a replay.
  saver.frame(t + 2 * kBenchStepMs);
}

}  // namespace

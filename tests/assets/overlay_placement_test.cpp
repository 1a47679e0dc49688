// Where the saver's overlays land on screen, measured on what the saver's
// own scene draws with the generated archives: on every screen shape each
// overlay lies wholly on screen, in its own corner, clear of the others.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "app/saver_run.h"
#include "platform/local_time.h"
#include "resources/blended_mesh_queue.h"
#include "scene/scene_node.h"
#include "tools/still/offscreen_saver.h"

namespace {

// A rectangle in shares of the screen's width and height from its lower
// left corner.
struct Box {
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  void add(double x, double y) {
    left = std::min(left, x), right = std::max(right, x);
    bottom = std::min(bottom, y), top = std::max(top, y);
  }
  bool overlaps(const Box& o) const {
    return left < o.right && o.left < right && bottom < o.top && o.bottom < top;
  }
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "x " << b.left << ".." << b.right << ", y " << b.bottom << ".." << b.top;
}

// The clip volume is widened this many times while measuring, so that a
// piece off screen is measured where it lies instead of being clipped away.
constexpr double kWiden = 4;

// The points of a GL_2D feedback buffer, as shares of the viewport widened
// kWiden times. Only polygons, lines and points are expected.
Box feedbackBox(const std::vector<GLfloat>& feedback, GLint used, const GLint viewport[4]) {
  auto share = [](GLfloat window, int origin, int size) {
    return ((window - origin) / size - 0.5) * kWiden + 0.5;
  };
  Box box;
  for (GLint i = 0; i < used;) {
    GLint token = static_cast<GLint>(feedback[i++]);
    bool line = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
    if (token != GL_POLYGON_TOKEN && token != GL_POINT_TOKEN && !line) {
      ADD_FAILURE() << "unexpected feedback token " << token;
      break;
    }
    GLint vertices = token == GL_POLYGON_TOKEN ? static_cast<GLint>(feedback[i++]) : line ? 2 : 1;
    for (; vertices > 0; --vertices, i += 2) {
      box.add(share(feedback[i], viewport[0], viewport[2]),
              share(feedback[i + 1], viewport[1], viewport[3]));
    }
  }
  return box;
}

// What `node` draws, after the frame's move of 100 units into the screen,
// read back through GL's feedback mode. Drawing ticks the node's events
// once more at the frame's time.
Box drawnBox(SceneNode* node) {
  GLint viewport[4];
  GLdouble projection[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glScaled(1 / kWiden, 1 / kWiden, 1);
  glMultMatrixd(projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslated(0, 0, -100);
  std::vector<GLfloat> feedback(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_2D, feedback.data());
  glRenderMode(GL_FEEDBACK);
  node->draw();
  blendedMeshQueue.flush();
  GLint used = glRenderMode(GL_RENDER);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(projection);
  glMatrixMode(GL_MODELVIEW);
  EXPECT_GE(used, 0) << "feedback buffer too small";
  return feedbackBox(feedback, used, viewport);
}

struct Form {
  bool analog, hours24, large;
};

// The calendar, clock and counter boxes of one run, in that order.
std::vector<Box> overlayBoxes(int width, int height, const Form& form) {
  OffscreenSaverOptions options;
  options.width = width;
  options.height = height;
  options.overrides.set("calendar", 1);
  options.overrides.set("clock", 1);
  options.overrides.set("frame-rate", 1);
  options.overrides.set("analog-clock", form.analog);
  options.overrides.set("clock-24-hour", form.hours24);
  options.overrides.set("large-clock", form.large);
  // An evening, so that the 12-hour clock shows PM, in a month of six weeks.
  options.fixedLocalTime = parseLocalTime("2026-08-31 21:49:50", options.localTime);
  OffscreenSaver saver(options);
  EXPECT_TRUE(saver.ok());
  if (!saver.ok()) return {};
  // Past the counter's first five-second window, so that it shows digits.
  for (uint32_t t = 0; t <= 5200; t += 1300) saver.frame(t);
  std::vector<Box> boxes;
  for (SceneNode* overlay : overlayRoot->children) boxes.push_back(drawnBox(overlay));
  return boxes;
}

// Each overlay's corner, in the order of overlayBoxes.
const struct {
  const char* name;
  double x, y;
} kCorners[] = {{"calendar", 1, 1}, {"clock", 1, 0}, {"counter", 0, 1}};

TEST(OverlayPlacement, EachOverlayOnScreenInItsCornerAndClearOfTheOthers) {
  // The calendar sits at a fixed share of the half-width from the centre,
  // which leaves room for its sheet only on screens at least as wide as
  // 5:4; on a portrait screen its right side passes the edge.
  const struct {
    int width, height;
    bool calendarFits;
  } screens[] = {{640, 480, true}, {640, 360, true}, {840, 360, true}, {360, 640, false},
                 {96, 72, true}};
  const Form forms[] = {{true, false, true}, {false, false, true}, {false, true, false}};
  for (const auto& screen : screens) {
    for (const Form& form : forms) {
      SCOPED_TRACE(std::to_string(screen.width) + "x" + std::to_string(screen.height) +
                   (form.analog ? " analog" : form.hours24 ? " 24-hour" : " 12-hour") +
                   (form.large ? " large" : " small"));
      std::vector<Box> boxes = overlayBoxes(screen.width, screen.height, form);
      ASSERT_EQ(boxes.size(), 3u);
      for (size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes[i];
        SCOPED_TRACE(kCorners[i].name);
        EXPECT_TRUE(box.bottom >= 0 && box.top <= 1) << box;
        EXPECT_NEAR(kCorners[i].y != 0 ? box.top : box.bottom, kCorners[i].y, 0.05) << box;
        if (i != 0 || screen.calendarFits) {
          EXPECT_TRUE(box.left >= 0 && box.right <= 1) << box;
          EXPECT_NEAR(kCorners[i].x != 0 ? box.right : box.left, kCorners[i].x, 0.05) << box;
        }
        for (size_t j = i + 1; j < boxes.size(); ++j) {
          EXPECT_FALSE(box.overlaps(boxes[j])) << box << " and " << kCorners[j].name << " " << boxes[j];
        }
      }
    }
  }
}

}  // namespace

// halvenrode-pngstats FILE.png [X Y W H]
// Prints simple facts about a picture (or a rectangle of it) for scripts and
// end-to-end tests:
//   size W H
//   white F      fraction of pixels with every channel >= 250
//   black F      fraction of pixels with every channel <= 5
//   magenta F    fraction of pixels within 16 of (255, 0, 255), a colour
//                the scene never has: what a test's desktop shows
//   mean R G B   mean colour
//   colours N    distinct colours (up to 100000)
// halvenrode-pngstats FILE.png --compare X1 Y1 X2 Y2 W H
// compares two rectangles of one picture (two monitors' pictures):
//   differing F  fraction of pixels more than 16 apart in some channel
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/png_file.h"
#include "platform/standard_streams.h"

namespace {

bool inside(int x, int y, int w, int h, int width, int height) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= width && y + h <= height;
}

int compareRectangles(char** args, int width, int height, const std::vector<uint8_t>& pixels) {
  int v[6];
  for (int i = 0; i < 6; ++i) v[i] = std::atoi(args[i]);
  const int w = v[4], h = v[5];
  if (!inside(v[0], v[1], w, h, width, height) || !inside(v[2], v[3], w, h, width, height)) {
    std::fprintf(stderr, "halvenrode-pngstats: rectangle outside the picture\n");
    return 2;
  }
  long differing = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t* a = &pixels[(static_cast<size_t>(v[1] + y) * width + v[0] + x) * 4];
      const uint8_t* b = &pixels[(static_cast<size_t>(v[3] + y) * width + v[2] + x) * 4];
      for (int c = 0; c < 3; ++c) {
        if (std::abs(a[c] - b[c]) > 16) {
          ++differing;
          break;
        }
      }
    }
  }
  std::printf("differing %.4f\n", differing / (static_cast<double>(w) * h));
  return 0;
}

// One run of the program, as described at the top; returns its exit status.
int printStats(int argc, char** argv) {
  bool compare = argc == 9 && std::string(argv[2]) == "--compare";
  if (argc != 2 && argc != 6 && !compare) {
    std::fprintf(stderr,
                 "usage: halvenrode-pngstats FILE.png [X Y W H]\n"
                 "       halvenrode-pngstats FILE.png --compare X1 Y1 X2 Y2 W H\n");
    return 2;
  }
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  if (!readPngRgba(argv[1], width, height, pixels)) {
    std::fprintf(stderr, "halvenrode-pngstats: cannot read %s\n", argv[1]);
    return 1;
  }
  if (compare) return compareRectangles(argv + 3, width, height, pixels);
  int x0 = 0, y0 = 0, w = width, h = height;
  if (argc == 6) {
    x0 = std::atoi(argv[2]);
    y0 = std::atoi(argv[3]);
    w = std::atoi(argv[4]);
    h = std::atoi(argv[5]);
    if (!inside(x0, y0, w, h, width, height)) {
      std::fprintf(stderr, "halvenrode-pngstats: rectangle outside the picture\n");
      return 2;
    }
  }
  double sum[3] = {0, 0, 0};
  long white = 0, black = 0, magenta = 0;
  std::set<uint32_t> colours;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      for (int c = 0; c < 3; ++c) sum[c] += p[c];
      if (p[0] >= 250 && p[1] >= 250 && p[2] >= 250) ++white;
      if (p[0] <= 5 && p[1] <= 5 && p[2] <= 5) ++black;
      if (p[0] >= 239 && p[1] <= 16 && p[2] >= 239) ++magenta;
      if (colours.size() < 100000) colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
    }
  }
  double n = static_cast<double>(w) * h;
  std::printf("size %d %d\n", w, h);
  std::printf("white %.3f\n", white / n);
  std::printf("black %.3f\n", black / n);
  std::printf("magenta %.3f\n", magenta / n);
  std::printf("mean %.1f %.1f %.1f\n", sum[0] / n, sum[1] / n, sum[2] / n);
  std::printf("colours %zu\n", colours.size());
  return 0;
}

}  // namespace

// Scripts take the printed facts as the result; facts that could not be
// written must not leave a status of success behind.
int main(int argc, char** argv) {
  fillClosedStandardStreams();
  return finishStandardOutput("halvenrode-pngstats", printStats(argc, argv));
}

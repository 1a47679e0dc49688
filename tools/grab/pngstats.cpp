// halvenrode-pngstats FILE.png [X Y W H]
// Prints simple facts about a picture (or a rectangle of it) for scripts and
// end-to-end tests:
//   size W H
//   white F      fraction of pixels with every channel >= 250
//   black F      fraction of pixels with every channel <= 5
//   mean R G B   mean colour
//   colours N    distinct colours (up to 100000)
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "platform/png_file.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: halvenrode-pngstats FILE.png [X Y W H]\n");
    return 2;
  }
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  if (!readPngRgba(argv[1], width, height, pixels)) {
    std::fprintf(stderr, "halvenrode-pngstats: cannot read %s\n", argv[1]);
    return 1;
  }
  int x0 = 0, y0 = 0, w = width, h = height;
  if (argc == 6) {
    x0 = std::atoi(argv[2]);
    y0 = std::atoi(argv[3]);
    w = std::atoi(argv[4]);
    h = std::atoi(argv[5]);
    if (x0 < 0 || y0 < 0 || w <= 0 || h <= 0 || x0 + w > width || y0 + h > height) {
      std::fprintf(stderr, "halvenrode-pngstats: rectangle outside the picture\n");
      return 2;
    }
  }
  double sum[3] = {0, 0, 0};
  long white = 0, black = 0;
  std::set<uint32_t> colours;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
      for (int c = 0; c < 3; ++c) sum[c] += p[c];
      if (p[0] >= 250 && p[1] >= 250 && p[2] >= 250) ++white;
      if (p[0] <= 5 && p[1] <= 5 && p[2] <= 5) ++black;
      if (colours.size() < 100000) colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
    }
  }
  double n = static_cast<double>(w) * h;
  std::printf("size %d %d\n", w, h);
  std::printf("white %.3f\n", white / n);
  std::printf("black %.3f\n", black / n);
  std::printf("mean %.1f %.1f %.1f\n", sum[0] / n, sum[1] / n, sum[2] / n);
  std::printf("colours %zu\n", colours.size());
  return 0;
}

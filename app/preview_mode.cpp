#include "app/preview_mode.h"

#include <cstdio>
#include <string>

#include "app/preview_picture.h"
#include "app/registry_string.h"
#include "platform/paths.h"
#include "platform/preview_window.h"

// The host always names its window; when it does not, or the window is
// gone, there is nothing to paint into, so the mode says why on one line and
// ends normally, as it does when the host closes the preview.
int runPreviewMode(const CommandLine& line) {
  if (line.secondWord.empty()) {
    std::fputs("halvenrode: preview mode needs the host window's id: /p WINDOW\n", stderr);
    return 0;
  }
  if (!line.hasSecondNumber) {
    std::fprintf(stderr, "halvenrode: preview mode: \"%s\" is not a window id (0x... or decimal)\n",
                 line.secondWord.c_str());
    return 0;
  }
  std::string picturePath = nativePath(installPath.pathOf("preview.ppk"));
  PreviewPainter painter = [picturePath](int width, int height) {
    return previewPictureFor(width, height, picturePath);
  };
  std::string problem;
  if (runPreviewWindow(line.secondNumber, painter, problem) != PreviewWindowEnd::Destroyed) {
    std::fprintf(stderr, "halvenrode: no preview: %s\n", problem.c_str());
  }
  return 0;
}

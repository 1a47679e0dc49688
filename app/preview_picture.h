#pragma once
#include <string>

#include "platform/preview_window.h"

// The host preview window width, in pixels, that the installed picture is
// drawn for; any other width shows black.
constexpr int kPreviewPictureWidth = 152;

// What one paint of a preview window of the given size shows: at the
// expected width, the picture read from `picturePath` now (the file is read
// again for every paint), clipped to the window; otherwise, or when the file
// cannot be read, no picture, which leaves the window black.
PreviewPicture previewPictureFor(int windowWidth, int windowHeight,
                                 const std::string& picturePath);

// Reads a bitmap file with SDL's BMP reader into 0xRRGGBB pixels, top row
// first, at most `maxWidth` × `maxHeight` of them from the top left. False
// when the file is missing, not a regular file of at most 16 MiB, or not a
// bitmap that an image entry could be (see imageSafeToDecode): a header
// alone never makes the reader allocate more than that.
bool readBitmapPicture(const std::string& path, int maxWidth, int maxHeight,
                       PreviewPicture& picture);

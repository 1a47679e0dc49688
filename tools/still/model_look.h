#pragma once
#include <string>

// Renders one model entry in isolation, for judging artwork: the model is
// framed from its bounding box on a grey background, lit from the front by
// a light like the scene's, and written as a PNG.
//
// `modelName` is "ARCHIVE:ENTRY", ARCHIVE a file path. `turnDegrees`
// turns the model about its up axis before viewing. Returns 0 on success,
// nonzero (with a message on stderr) when the name, the archive, the entry,
// the GL context or the output file fails.
int renderModelLook(const std::string& modelName, double turnDegrees, int width, int height,
                    const std::string& outPng);

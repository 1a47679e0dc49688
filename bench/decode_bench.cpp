// halvenrode-bench-decode: the cost of making a texture from an image entry
// (decode, conversion to RGBA, upload), the largest part of the saver's
// start. Run from the folder that holds the archives.
//
//   halvenrode-bench-decode [benchmark flags]
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/offscreen_gl.h"
#include "platform/standard_streams.h"
#include "resources/image_texture.h"
#include "resources/pak_archive.h"

namespace {

// Makes and deletes the texture of one entry, over and over.
void makeTexture(benchmark::State& state, const PakArchive* archive, std::string entry) {
  std::pair<const uint8_t*, uint32_t> bytes = archive->findEntry(entry);
  if (bytes.first == nullptr) {
    state.SkipWithError("no such entry");
    return;
  }
  for (auto _ : state) {
    GLuint texture = uploadImageTexture(bytes.first, bytes.second);
    if (texture == 0) state.SkipWithError("not decodable");
    releaseImageTexture(texture);
    glFinish();
  }
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  benchmark::Initialize(&argc, argv);
  OffscreenGlContext context(64, 64);
  std::unique_ptr<PakArchive> archive = PakArchive::tryLoad("main.pak");
  if (!context.ok() || archive == nullptr) {
    std::fprintf(stderr, "halvenrode-bench-decode: needs an OpenGL context and main.pak\n");
    return 1;
  }
  // The first is 24-bit RGB, the second has an alpha channel.
  for (const char* entry : {"relef1.png", "twigs.png"}) {
    benchmark::RegisterBenchmark((std::string("texture/") + entry).c_str(), makeTexture,
                                 archive.get(), std::string(entry))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return finishStandardOutput("halvenrode-bench-decode", 0);
}

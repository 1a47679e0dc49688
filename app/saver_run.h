#pragma once
#include <cstdint>
#include <memory>

#include "app/run_settings.h"

class SceneNode;
class VideoContext;

// The scene's two roots, which every frame draws and every node's draw
// starts from. Made by a run's start and deleted by its stop; null between
// runs.
extern SceneNode* worldRoot;
extern SceneNode* overlayRoot;

// One run of the scene, from its settings to its teardown: the one writer
// of the roots, of the archives' folder and of what an archive that cannot
// be read does. The full-screen saver and the offscreen renderer
// (halvenrode-still, the soak, the benchmarks, the tests) drive it the
// same way:
//
//   SaverRun run(readRunSettingsFrom(files, overrides));
//   run.start(new VideoContext(...));      // the scene is built for it
//   while (...) run.frame(milliseconds);   // then present the picture
//   run.close();                           // Escape: the scene closes...
//   while (!run.closed()) run.frame(...);  // ...over a few more frames
//   run.stop();                            // or let the destructor do it
//
// One run at a time; every call on the thread that made the GL context.
class SaverRun {
 public:
  // Archives are read from the installation folder from now on; one that
  // cannot be read ends the process with status 1 after one line on stderr
  // naming it, whenever it is first asked for. Nothing is drawn yet.
  explicit SaverRun(const RunSettings& settings);
  ~SaverRun();
  SaverRun(const SaverRun&) = delete;
  SaverRun& operator=(const SaverRun&) = delete;

  // Takes `video`, its views already set and its GL context current, and
  // builds the scene for it into two new roots, from frame time 0.
  void start(VideoContext* video);

  // Draws the scene as it stands `timeMs` after the start into the current
  // context, without presenting it.
  void frame(uint32_t timeMs);

  // The same in two pictures, for a host that shows the overlays on a
  // surface of their own above the world's: the world alone at `timeMs`,
  // then (another context surface current) the overlays of that moment
  // alone on a transparent picture (see renderFrame).
  void worldFrame(uint32_t timeMs);
  void overlayFrame();

  // Asks both roots to close; the frames after it take the scene down.
  void close();
  // True once both roots have closed (or before a start).
  bool closed() const;

  // Teardown: the world, the overlays, then the video (which shuts SDL
  // down when it started it). Safe to call twice; the destructor calls it.
  void stop();

  const Settings& settings() const { return settings_.settings; }
  const ExtraSettings& extras() const { return settings_.extras; }
  // Only between start and stop.
  VideoContext& video() const { return *video_; }

 private:
  RunSettings settings_;
  std::unique_ptr<VideoContext> video_;
};

// The run under way, for the plain functions of the frame and the scene
// assembly, which no caller hands it to. Valid from a run's construction to
// its destruction.
SaverRun& currentRun();

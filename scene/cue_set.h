#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "scene/node_event.h"

class NodeTimeline;

// Cues of one node: each holds event records to start, operations to apply
// to running events by id, and cues of other nodes to fire in turn. Content
// opens a cue, adds records and fires it; firing copies the records into the
// bound timeline, so firing twice starts two independent copies.
class CueSet {
 public:
  explicit CueSet(NodeTimeline* boundTimeline);
  CueSet(const CueSet&) = delete;
  CueSet& operator=(const CueSet&) = delete;

  // Appends an enabled, empty cue, makes it current and returns its index.
  int32_t newCue();
  // Makes an enabled cue current: 1; otherwise 0.
  int32_t selectCue(int32_t index);
  void addEvent(const NodeEvent& event);
  // Pause, resume or stop running events: kept on purpose, though no content of the saver does.
  void addEventOp(int32_t id, int32_t operation);
  void addChain(CueSet* cues, int32_t index);
  // Out-of-range indexes do nothing.
  void fire(int32_t index);

  int32_t cueCount() const { return static_cast<int32_t>(enabled.size()); }

  int32_t current = -1;
  std::vector<int32_t> enabled;
  std::vector<std::vector<NodeEvent>> cueEvents;
  std::vector<std::vector<std::pair<int32_t, int32_t>>> cueOps;
  std::vector<std::vector<std::pair<CueSet*, int32_t>>> cueChains;
  NodeTimeline* timeline;

 private:
  bool valid(int32_t index) const { return index >= 0 && index < cueCount(); }
};

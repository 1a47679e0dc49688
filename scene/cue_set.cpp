#include "scene/cue_set.h"

#include <cstddef>

#include "scene/node_timeline.h"

CueSet::CueSet(NodeTimeline* boundTimeline) : timeline(boundTimeline) {}

int32_t CueSet::newCue() {
  enabled.push_back(1);
  cueEvents.emplace_back();
  cueOps.emplace_back();
  cueChains.emplace_back();
  current = cueCount() - 1;
  return current;
}

int32_t CueSet::selectCue(int32_t index) {
  if (!valid(index) || enabled[static_cast<std::size_t>(index)] != 1) return 0;
  current = index;
  return 1;
}

// The adding operations fill the current cue; with no cue opened yet they
// do nothing rather than write outside the lists.
void CueSet::addEvent(const NodeEvent& event) {
  if (valid(current)) cueEvents[static_cast<std::size_t>(current)].push_back(event);
}

void CueSet::addEventOp(int32_t id, int32_t operation) {
  if (valid(current)) cueOps[static_cast<std::size_t>(current)].emplace_back(id, operation);
}

void CueSet::addChain(CueSet* cues, int32_t index) {
  if (valid(current)) cueChains[static_cast<std::size_t>(current)].emplace_back(cues, index);
}

// How deep chained cues may fire each other; a cue chained back to itself
// would otherwise recurse until the stack runs out.
static const int kMaxChainDepth = 64;

void CueSet::fire(int32_t index) {
  static int depth = 0;
  if (!valid(index) || depth >= kMaxChainDepth) return;
  std::size_t cue = static_cast<std::size_t>(index);
  if (enabled[cue] == 0) return;
  for (const NodeEvent& event : cueEvents[cue]) timeline->addEvent(event);
  for (const auto& op : cueOps[cue]) timeline->applyOperation(op.first, op.second);
  // Copy first: a chained cue set may be this one, and firing must not
  // invalidate the list being walked.
  std::vector<std::pair<CueSet*, int32_t>> chains = cueChains[cue];
  ++depth;
  for (const auto& chain : chains) {
    if (chain.first != nullptr) chain.first->fire(chain.second);
  }
  --depth;
}

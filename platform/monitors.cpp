#include "platform/monitors.h"

#include <algorithm>

std::vector<Monitor> chooseMonitors(const MonitorReports& reports) {
  std::vector<Monitor> monitors = reports.randr;
  if (reports.xinerama.size() > monitors.size()) monitors = reports.xinerama;
  if (monitors.empty()) monitors.push_back({reports.screen, true});
  auto primary = std::find_if(monitors.begin(), monitors.end(),
                              [](const Monitor& monitor) { return monitor.primary; });
  if (primary != monitors.end()) std::rotate(monitors.begin(), primary, primary + 1);
  return monitors;
}

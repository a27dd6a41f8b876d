#include "watch/watch_status.h"

namespace tockary {

const WatchStatus* findWatchStatus(std::string_view text) {
  for (const WatchStatus& status : kWatchStatuses) {
    if (status.name == text) return &status;
  }
  return nullptr;
}

std::string storedStatus(std::string_view chosen) {
  return std::string(chosen == kNotSetStatus ? kNotSetMarker : chosen);
}

std::string watchStatusNames() {
  std::string names;
  for (const WatchStatus& status : kWatchStatuses) {
    if (!names.empty()) names += ", ";
    names += status.name;
  }
  return names;
}

}  // namespace tockary

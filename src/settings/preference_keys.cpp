#include "settings/preference_keys.h"

#include <algorithm>

namespace tockary {

bool storeSortChoice(UserDefaults& defaults, std::span<const std::string_view> group,
                     std::string_view chosen) {
  if (std::find(group.begin(), group.end(), chosen) == group.end()) return false;
  // Falses first: writes are separate, and a step cut short then leaves no key true (the
  // list's default order) rather than two.
  for (std::string_view key : group) {
    if (key != chosen) defaults.setBool(false, key);
  }
  defaults.setBool(true, chosen);
  return true;
}

}  // namespace tockary

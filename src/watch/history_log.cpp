#include "watch/history_log.h"

#include <cmath>

#include "platform/format/number_text.h"
#include "settings/preference_keys.h"

namespace tockary {

HistoryLog::HistoryLog(const UserDefaults& defaults, const Formatters& formatters,
                       const Clock& clock)
    : defaults_(defaults), formatters_(formatters), clock_(clock) {}

bool HistoryLog::flag(std::string_view key) const { return defaults_.flag(key).value_or(false); }

bool HistoryLog::isOn() const { return flag(kEnableHistoryLogSettingOn); }

std::string HistoryLog::dateText() const { return formatters_.shortDate(clock_.now()); }

std::optional<std::string> HistoryLog::watchAdded(std::string_view notes) const {
  if (!isOn()) return std::nullopt;
  return dateText() + ":  Watch was added to Tockary-collection.\n\n" + std::string(notes);
}

std::string HistoryLog::markedSold() const {
  if (!isOn()) return {};
  return "\n" + dateText() + ":  Watch was marked sold";
}

std::string HistoryLog::statusChanged(std::string_view status) const {
  if (!isOn()) return {};
  return "\n" + dateText() + ":  Status changed to: " + std::string(status);
}

std::string HistoryLog::wear(double countAfter, WearRoute route) const {
  if (!isOn()) return {};
  std::string entries;
  if (flag(kLogEachWearSettingOn))
    entries += "\n" + dateText() + ":  Wear count: " + wholeNumberText(countAfter);
  if (flag(kLogEvery10thWearSettingOn) && std::llround(countAfter) % 10 == 0) {
    // The watch of the day writes its tenth wear like an ordinary one.
    const char* literal = route == WearRoute::WatchOfTheDay ? ":  Wear count: " : " : Wear count: ";
    entries += "\n" + dateText() + literal + wholeNumberText(countAfter);
  }
  return entries;
}

std::string HistoryLog::reset(double countBefore) const {
  if (!isOn()) return {};
  return "\n" + dateText() +
         ": Wrist-stats were reset. Wear count before reset: " + wholeNumberText(countBefore);
}

void appendHistoryEntries(Kello& watch, std::string_view entries) {
  if (!entries.empty())
    watch.setVarasarake3(watch.varasarake3().value_or("") + std::string(entries));
}

std::string HistoryLog::adjusted(std::string_view typed, double countBefore) const {
  if (!isOn()) return {};
  return "\n" + dateText() + ": Wrist-stats were adjusted to " + std::string(typed) +
         ". Wear count before the adjustment: " + wholeNumberText(countBefore);
}

std::string HistoryLog::keeperRate(std::string_view rate) const {
  if (!isOn()) return {};
  return "\n" + dateText() + ": Keeper Rate: " + std::string(rate) + " %";
}

}  // namespace tockary

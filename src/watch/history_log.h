#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/defaults/user_defaults.h"
#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "store/records.h"

namespace tockary {

// The three routes by which a wear is logged; they differ in the tenth-wear entry's spacing.
enum class WearRoute { DetailScreen, ListQuickLog, WatchOfTheDay };

// The dated entries written into a watch's notes. Every writer builds its entries here, so the
// formats and the preference rules live in one place. Each method reads the preferences afresh
// and returns the text to append: empty when the preferences say no entry.
class HistoryLog {
 public:
  // All three must outlive the log.
  HistoryLog(const UserDefaults& defaults, const Formatters& formatters, const Clock& clock);

  // The notes of a newly saved watch: the added entry, an empty line, then the notes. Nullopt
  // when the history log is off (the notes stay as they are).
  std::optional<std::string> watchAdded(std::string_view notes) const;
  std::string markedSold() const;
  // `status` as the picker shows it ("Not Set", not the stored "_Not Set_").
  std::string statusChanged(std::string_view status) const;
  // The entries of one wear, `countAfter` being the count including it: the wear entry (each-
  // wear on), then the tenth-wear entry (every-tenth on and the count a multiple of ten).
  std::string wear(double countAfter, WearRoute route) const;
  std::string reset(double countBefore) const;
  // `typed` is the text the user typed as the new count.
  std::string adjusted(std::string_view typed, double countBefore) const;
  // `rate` as the Keeper Rate sheet shows it ("87.5").
  std::string keeperRate(std::string_view rate) const;

  // Today's date as the entries write it (short date style, date only).
  std::string dateText() const;
  bool isOn() const;

 private:
  bool flag(std::string_view key) const;

  const UserDefaults& defaults_;
  const Formatters& formatters_;
  const Clock& clock_;
};

// Appends `entries` to the watch's notes as they are now (absent notes count as empty), so that
// entries written meanwhile by another program stay before them. Empty entries change nothing.
void appendHistoryEntries(Kello& watch, std::string_view entries);

}  // namespace tockary

#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "platform/defaults/user_defaults.h"
#include "platform/ui/navigation_bar.h"
#include "settings/csv_export.h"
#include "store/app_services.h"

namespace tockary {

// One switch of the screen as the user sees it.
struct Switch {
  bool isOn = false;
  bool isEnabled = true;
  bool lastChangeAnimated = false;  // whether the last change of isOn by the screen was animated
};

// One settings switch, for front ends that list them.
struct SettingsSwitchInfo {
  std::string_view key;
  std::string_view outlet;  // the screen's field for the switch
  std::string_view action;  // the screen's method run when the user toggles it
  std::string_view label;   // English label for a front end
};

// The sixteen display and behaviour switches, in load order.
std::span<const SettingsSwitchInfo> settingsSwitches();

// The settings screen: one switch per display and behaviour flag, each stored the moment it is
// toggled, and the CSV export button. The defaults store is the only state that outlives it.
class SettingsTableViewController {
 public:
  // `services` must outlive the screen. The store is opened only by an export.
  explicit SettingsTableViewController(AppServices& services);

  // Rebuilds every pending notification; run after the six switches that affect reminders or
  // the rows they read. Empty: nothing happens.
  std::function<void()> initiateNotifications;

  NavigationBarStyle navigationBar;

  Switch warrantySwitchStatusDisplay;
  Switch wearRateSwitchStatusDisplay;
  Switch hideSoldWatchesStatusDisplay;
  Switch techDetailsStatusDisplay;
  Switch dwrswrStatusDisplay;
  Switch fadeStatusDisplay;
  Switch dataIndicatorStatusDisplay;
  Switch badgesStatusDisplay;
  Switch ownershipStatusDisplay;
  Switch enableWotdReminderStatusDisplay;
  Switch enableLongAccuracyReminderStatusDisplay;
  Switch enableWarrantyExpiringReminderStatusDisplay;
  Switch enableHistoryLogStatusDisplay;
  Switch logEachWearStatusDisplay;
  Switch logEvery10thWearStatusDisplay;
  Switch compressWatchImagesStatusDisplay;

  // Styles the bar and sets each switch from its stored flag. Every switch starts off; a key
  // never written (or holding a non-boolean) leaves its switch off. Writes nothing.
  void viewDidLoad();

  // The switch actions: each stores its switch's current isOn under its key, prints its
  // diagnostic line, then does its side effect.
  void warrantySettingSwitch();
  void wearRateSettingSwitch();
  void hideSoldWatchesSettingSwitch();
  void techDetailsSettingSwitch();
  void dwrswrSettingSwitch();
  void fadeSettingStatusSwitch();
  void dataIndicatorSettingSwitch();
  void badgesSettingSwitch();
  void ownershipSettingSwitch();
  void enableWotdReminderSettingSwitch();
  void enableLongAccuracyReminderSettingSwitch();
  void enableWarrantyExpiringSettingSwitch();
  // Enables or disables the two wear-logging switches; their stored flags stay as they are.
  void enableHistoryLogSettingSwitch();
  // The two wear-logging flags exclude each other: turning one on turns the other off, turning
  // one off turns the other on (both stored, the other switch moved with animation).
  void logEachWearSettingSwitch();
  void logEvery10thWearSettingSwitch();
  void compressWatchImagesSwitch();

  // Writes the whole collection to csvExportFile() and offers it through the share sheet
  // (csvShareRequest). A file that cannot be written is reported through the diagnostics and
  // returned as the error; nothing is shared then, and nothing is shown to the user.
  Result<CsvExportSummary> exportCollectionToCSV();

  // The switch stored under `key`, or nullptr for a key without a switch.
  Switch* switchForKey(std::string_view key);
  const Switch* switchForKey(std::string_view key) const;
  // What a user toggling the switch does: sets isOn and runs its action. False, and nothing
  // happens, for a key without a switch or a disabled switch.
  bool setSwitch(std::string_view key, bool on);

 private:
  void runSwitchAction(std::string_view key);

  AppServices& services_;
  UserDefaults& defaults_;
};

}  // namespace tockary

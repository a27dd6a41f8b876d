#include "settings/settings_table_view_controller.h"

#include <array>
#include <cstddef>

#include "platform/ui/diagnostics.h"
#include "settings/preference_keys.h"

namespace tockary {

namespace {

using Screen = SettingsTableViewController;

enum class SideEffect { None, RebuildNotifications, HistoryLog, EachWear, Every10thWear };

struct SwitchEntry {
  SettingsSwitchInfo info;
  Switch Screen::*outlet;
  std::string_view onLine;
  std::string_view offLine;
  SideEffect effect;
};

// Load order. Each switch's key, names, diagnostic lines and side effect live here only.
constexpr std::array<SwitchEntry, 16> kSwitches = {{
    {{kWarrantyInfoSettingOn, "warrantySwitchStatusDisplay", "warrantySettingSwitch",
      "Warranty info"},
     &Screen::warrantySwitchStatusDisplay,
     "WarrantyOn",
     "WarrantyOff",
     SideEffect::None},
    {{kWearRateSettingOn, "wearRateSwitchStatusDisplay", "wearRateSettingSwitch", "Wear rate"},
     &Screen::wearRateSwitchStatusDisplay,
     "wear rate on",
     "wear rate off",
     SideEffect::None},
    {{kHideSoldWatchesSettingOn, "hideSoldWatchesStatusDisplay", "hideSoldWatchesSettingSwitch",
      "Hide sold watches"},
     &Screen::hideSoldWatchesStatusDisplay,
     "hide sold watches on",
     "hide sold watches off",
     SideEffect::None},
    {{kTechDetailsSettingOn, "techDetailsStatusDisplay", "techDetailsSettingSwitch",
      "Tech details button"},
     &Screen::techDetailsStatusDisplay,
     "tech details on",
     "tech details off",
     SideEffect::None},
    {{kDwrswrSettingOn, "dwrswrStatusDisplay", "dwrswrSettingSwitch",
      "Keeper and Seller Rate button"},
     &Screen::dwrswrStatusDisplay,
     "dwrswr setting on",
     "dwrswr setting off",
     SideEffect::None},
    {{kFadeSettingOn, "fadeStatusDisplay", "fadeSettingStatusSwitch", "Fade unworn watches"},
     &Screen::fadeStatusDisplay,
     "fade setting on",
     "fade setting off",
     SideEffect::RebuildNotifications},
    {{kDataIndicatorSettingOn, "dataIndicatorStatusDisplay", "dataIndicatorSettingSwitch",
      "Data indicator"},
     &Screen::dataIndicatorStatusDisplay,
     "data indicator setting on",
     "data indicator setting off",
     SideEffect::RebuildNotifications},
    {{kBadgesSettingOn, "badgesStatusDisplay", "badgesSettingSwitch", "Badges"},
     &Screen::badgesStatusDisplay,
     "badges setting on",
     "badges setting off",
     SideEffect::RebuildNotifications},
    {{kOwnershipSettingOn, "ownershipStatusDisplay", "ownershipSettingSwitch", "Ownership stripe"},
     &Screen::ownershipStatusDisplay,
     "ownership setting on",
     "ownership setting off",
     SideEffect::None},
    {{kEnableWotdReminderSettingOn, "enableWotdReminderStatusDisplay",
      "enableWotdReminderSettingSwitch", "Daily wear reminders"},
     &Screen::enableWotdReminderStatusDisplay,
     "WOTD_REMINDER_ON",
     "WOTD_REMINDER_OFF",
     SideEffect::RebuildNotifications},
    {{kEnableLongAccuracyReminderSettingOn, "enableLongAccuracyReminderStatusDisplay",
      "enableLongAccuracyReminderSettingSwitch", "Accuracy measurement reminder"},
     &Screen::enableLongAccuracyReminderStatusDisplay,
     "ACCURACY_REMINDER_ON",
     "ACCURACY_REMINDER_OFF",
     SideEffect::RebuildNotifications},
    {{kEnableWarrantyExpiringReminderSettingOn, "enableWarrantyExpiringReminderStatusDisplay",
      "enableWarrantyExpiringSettingSwitch", "Warranty reminders and tips"},
     &Screen::enableWarrantyExpiringReminderStatusDisplay,
     "WARRANTY_REMINDER_ON",
     "WARRANTY_REMINDER_OFF",
     SideEffect::RebuildNotifications},
    {{kEnableHistoryLogSettingOn, "enableHistoryLogStatusDisplay", "enableHistoryLogSettingSwitch",
      "History log"},
     &Screen::enableHistoryLogStatusDisplay,
     "history log enabled",
     "history log disabled",
     SideEffect::HistoryLog},
    {{kLogEachWearSettingOn, "logEachWearStatusDisplay", "logEachWearSettingSwitch",
      "Log each wear"},
     &Screen::logEachWearStatusDisplay,
     "log each wear enabled",
     "log each wear disabled",
     SideEffect::EachWear},
    {{kLogEvery10thWearSettingOn, "logEvery10thWearStatusDisplay", "logEvery10thWearSettingSwitch",
      "Log every 10th wear"},
     &Screen::logEvery10thWearStatusDisplay,
     "log every 10th wear enabled",
     "log every 10th wear disabled",
     SideEffect::Every10thWear},
    {{kCompressWatchImagesSettingOn, "compressWatchImagesStatusDisplay",
      "compressWatchImagesSwitch", "Compress watch images"},
     &Screen::compressWatchImagesStatusDisplay,
     "COMPRESS ON",
     "COMPRESS OFF",
     SideEffect::None},
}};

constexpr bool matchesLoadOrder() {
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    if (kSwitches[i].info.key != kDisplaySettingKeys[i]) return false;
  }
  return true;
}
static_assert(kSwitches.size() == kDisplaySettingKeys.size() && matchesLoadOrder());

constexpr std::array<SettingsSwitchInfo, kSwitches.size()> kSwitchInfos = [] {
  std::array<SettingsSwitchInfo, kSwitches.size()> infos{};
  for (std::size_t i = 0; i < kSwitches.size(); ++i) infos[i] = kSwitches[i].info;
  return infos;
}();

const SwitchEntry* entryForKey(std::string_view key) {
  for (const SwitchEntry& entry : kSwitches) {
    if (entry.info.key == key) return &entry;
  }
  return nullptr;
}

}  // namespace

std::span<const SettingsSwitchInfo> settingsSwitches() { return kSwitchInfos; }

SettingsTableViewController::SettingsTableViewController(AppServices& services)
    : services_(services), defaults_(services.defaults) {}

void SettingsTableViewController::viewDidLoad() {
  navigationBar.barStyle = BarStyle::Black;
  navigationBar.isTranslucent = true;
  navigationBar.barTintColor = kBlack;

  // Switches start off rather than at each reader's absent behaviour: the collection row
  // stores its first-time values as soon as it draws a watch, so a key is absent only while
  // the collection is empty, where the position changes nothing visible.
  for (const SwitchEntry& entry : kSwitches) {
    if (const std::optional<bool> stored = defaults_.flag(entry.info.key)) {
      Switch& s = this->*entry.outlet;
      s.isOn = *stored;
      s.lastChangeAnimated = false;
    }
  }
}

void SettingsTableViewController::runSwitchAction(std::string_view key) {
  const SwitchEntry& entry = *entryForKey(key);
  const bool on = (this->*entry.outlet).isOn;
  defaults_.setBool(on, entry.info.key);
  diagnostic(on ? entry.onLine : entry.offLine);

  // The partner of a wear-logging switch takes the opposite position, so that once either
  // has been used exactly one of the two flags is true.
  auto movePartner = [this](std::string_view partnerKey, bool partnerOn) {
    Switch& partner = *switchForKey(partnerKey);
    partner.isOn = partnerOn;
    partner.lastChangeAnimated = true;
  };
  switch (entry.effect) {
    case SideEffect::None:
      break;
    case SideEffect::RebuildNotifications:
      if (initiateNotifications) initiateNotifications();
      break;
    case SideEffect::HistoryLog:
      logEachWearStatusDisplay.isEnabled = on;
      logEvery10thWearStatusDisplay.isEnabled = on;
      break;
    case SideEffect::EachWear:
    case SideEffect::Every10thWear: {
      const std::string_view partnerKey =
          entry.effect == SideEffect::EachWear ? kLogEvery10thWearSettingOn : kLogEachWearSettingOn;
      if (on) {
        movePartner(partnerKey, false);
        defaults_.setBool(false, partnerKey);
      } else {
        defaults_.setBool(true, partnerKey);
        movePartner(partnerKey, true);
      }
      break;
    }
  }
}

void SettingsTableViewController::warrantySettingSwitch() {
  runSwitchAction(kWarrantyInfoSettingOn);
}
void SettingsTableViewController::wearRateSettingSwitch() { runSwitchAction(kWearRateSettingOn); }
void SettingsTableViewController::hideSoldWatchesSettingSwitch() {
  runSwitchAction(kHideSoldWatchesSettingOn);
}
void SettingsTableViewController::techDetailsSettingSwitch() {
  runSwitchAction(kTechDetailsSettingOn);
}
void SettingsTableViewController::dwrswrSettingSwitch() { runSwitchAction(kDwrswrSettingOn); }
void SettingsTableViewController::fadeSettingStatusSwitch() { runSwitchAction(kFadeSettingOn); }
void SettingsTableViewController::dataIndicatorSettingSwitch() {
  runSwitchAction(kDataIndicatorSettingOn);
}
void SettingsTableViewController::badgesSettingSwitch() { runSwitchAction(kBadgesSettingOn); }
void SettingsTableViewController::ownershipSettingSwitch() { runSwitchAction(kOwnershipSettingOn); }
void SettingsTableViewController::enableWotdReminderSettingSwitch() {
  runSwitchAction(kEnableWotdReminderSettingOn);
}
void SettingsTableViewController::enableLongAccuracyReminderSettingSwitch() {
  runSwitchAction(kEnableLongAccuracyReminderSettingOn);
}
void SettingsTableViewController::enableWarrantyExpiringSettingSwitch() {
  runSwitchAction(kEnableWarrantyExpiringReminderSettingOn);
}
void SettingsTableViewController::enableHistoryLogSettingSwitch() {
  runSwitchAction(kEnableHistoryLogSettingOn);
}
void SettingsTableViewController::logEachWearSettingSwitch() {
  runSwitchAction(kLogEachWearSettingOn);
}
void SettingsTableViewController::logEvery10thWearSettingSwitch() {
  runSwitchAction(kLogEvery10thWearSettingOn);
}
void SettingsTableViewController::compressWatchImagesSwitch() {
  runSwitchAction(kCompressWatchImagesSettingOn);
}

Result<CsvExportSummary> SettingsTableViewController::exportCollectionToCSV() {
  auto exported = writeCollectionCsv(services_.context(), services_.formatters, csvExportFile());
  if (exported) services_.presenter.share(csvShareRequest(exported->file));
  return exported;
}

Switch* SettingsTableViewController::switchForKey(std::string_view key) {
  const SwitchEntry* entry = entryForKey(key);
  return entry ? &(this->*entry->outlet) : nullptr;
}

const Switch* SettingsTableViewController::switchForKey(std::string_view key) const {
  const SwitchEntry* entry = entryForKey(key);
  return entry ? &(this->*entry->outlet) : nullptr;
}

bool SettingsTableViewController::setSwitch(std::string_view key, bool on) {
  Switch* s = switchForKey(key);
  if (s == nullptr || !s->isEnabled) return false;
  s->isOn = on;
  s->lastChangeAnimated = false;
  runSwitchAction(key);
  return true;
}

}  // namespace tockary

#include "collection/my_watch_collection_table_view_cell.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "platform/format/number_text.h"
#include "settings/preference_keys.h"
#include "store/collection_model.h"
#include "store/watch_pictures.h"
#include "watch/wear_counter.h"

namespace tockary {

namespace {

bool filled(const std::optional<std::string>& text) { return text && !text->empty(); }

std::string orDashes(const std::optional<std::string>& text, std::string_view prefix,
                     std::string_view suffix = {}) {
  if (!filled(text)) return std::string(prefix) + "---";
  return std::string(prefix) + *text + std::string(suffix);
}

// A stored flag as a switch reads it; something that is not a boolean counts as off.
bool isOn(StoredFlag flag) { return flag == StoredFlag::True; }

// The first-time default of a display flag: written once, only if nobody wrote the key before.
void storeDefault(UserDefaults& defaults, std::string_view key, bool value) {
  if (defaults.value(key) == StoredFlag::Absent) defaults.setBool(value, key);
}

std::string durationText(const DateComponents& c) {
  return std::to_string(c.years) + "y, " + std::to_string(c.months) + "m, " +
         std::to_string(c.days) + "d";
}

std::optional<int> wholeYear(const std::optional<std::string>& text) {
  if (!filled(text)) return std::nullopt;
  int year = 0;
  for (char c : *text) {
    if (c < '0' || c > '9' || year > 100000) return std::nullopt;
    year = year * 10 + (c - '0');
  }
  return year;
}

void fillInfoMode(MyWatchCollectionTableViewCell& row, const Kello& watch, const RowInputs& inputs,
                  const Formatters& formatters) {
  const Calendar& calendar = formatters.calendar();
  const int mode = inputs.screen.apuluku;
  if (mode >= 0 && mode <= 5) row.dotsButton.imageName = dotsImageName(mode);
  switch (mode) {
    case 0:
      row.yearLabel.textColor = kWhite;
      break;
    case 1: {
      row.manufacturerLabel.text = "Wear count: " + wholeNumberText(watch.varasarake4());
      const auto lastWorn = watch.varasarake5();
      row.modelLabel.text =
          lastWorn ? "Last worn: " + formatters.shortDate(*lastWorn) : "Last worn: ---";
      row.yearLabel.text = lastWorn
                               ? "Days since last worn: " +
                                     std::to_string(calendar.daysBetween(*lastWorn, inputs.now))
                               : "Days since last worn: ---";
      break;
    }
    case 2:
      row.manufacturerLabel.text =
          filled(watch.koneistotyyppi()) ? *watch.koneistotyyppi() : "Movement type: ---";
      row.modelLabel.text = orDashes(watch.koneisto(), "Cal. ");
      row.yearLabel.text = orDashes(watch.powerreserve(), "Power reserve: ", "h");
      break;
    case 3:
      row.manufacturerLabel.text = orDashes(watch.refkoodi(), "Ref: ");
      row.modelLabel.text = orDashes(watch.sarjanumero(), "Serial number: ");
      row.yearLabel.text = watch.setlaajuus().value_or("");
      break;
    case 4: {
      const double bought = watch.ostohinta();
      const double sold = watch.myyntihinta();
      row.manufacturerLabel.text =
          bought != 0 ? "Purchase price: " + formatters.currency(bought) : "Purchase price: ---";
      row.modelLabel.text =
          sold != 0 ? "Sold price: " + formatters.currency(sold) : "Sold price: --- ";
      row.yearLabel.text.clear();
      if (bought != 0 && sold != 0) {
        const double result = sold - bought;
        if (result > 0) {
          row.yearLabel.text = "Profit: " + formatters.currency(result);
          row.yearLabel.textColor = kProfitGreen;
        } else if (result < 0) {
          row.yearLabel.text = "Loss: " + formatters.currency(result);
          row.yearLabel.textColor = kAlertRed;
          row.yearLabel.hasShadow = false;
        } else {
          row.yearLabel.text = "Even: " + formatters.currency(0);
          row.yearLabel.textColor = kWhite;
        }
      }
      break;
    }
    case 5: {
      // A year that is not a number (the editor writes only digits) reads as no year.
      if (const auto year = wholeYear(watch.vuosimalli())) {
        const int age = calendar.localDateTime(inputs.now).year - *year;
        if (age == 0 || age == 1) {
          row.manufacturerLabel.text = "Watch age: " + std::to_string(age) + " year";
        } else if (age >= 2) {
          row.manufacturerLabel.text = "Watch age: " + std::to_string(age) + " years";
        }
      } else {
        row.manufacturerLabel.text = "Watch age: ---";
      }
      const auto bought = watch.ostopvm();
      const auto soldOn = watch.myyntipvm();
      if (!bought) {
        row.modelLabel.text = "Owned: ---";
      } else if (soldOn) {
        row.modelLabel.text =
            "Ownership lasted: " + durationText(calendar.components(*bought, *soldOn));
      } else {
        row.modelLabel.text = "Owned: " + durationText(calendar.components(*bought, inputs.now));
      }
      row.yearLabel.text.clear();
      break;
    }
    default:
      break;
  }
}

void showIf(RowImage& image, bool shown, std::string_view name) {
  image.isHidden = !shown;
  if (shown) image.imageName = std::string(name);
}

}  // namespace

RowPreferences RowPreferences::read(const UserDefaults& defaults) {
  RowPreferences p;
  p.ownership = defaults.value(kOwnershipSettingOn);
  p.dataIndicator = defaults.value(kDataIndicatorSettingOn);
  p.badges = defaults.value(kBadgesSettingOn);
  p.wearRate = defaults.value(kWearRateSettingOn);
  p.techDetails = defaults.value(kTechDetailsSettingOn);
  p.dwrswr = defaults.value(kDwrswrSettingOn);
  p.fade = defaults.value(kFadeSettingOn);
  p.warrantyInfo = defaults.value(kWarrantyInfoSettingOn);
  return p;
}

namespace {

std::string counted(int n, std::string_view unit) {
  return std::to_string(n) + " " + std::string(unit) + (n == 1 ? "" : "s");
}

// The number after `prefix` in `name`, if that is all there is.
std::optional<int> numberAfter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() == prefix.size()) return std::nullopt;
  int n = 0;
  for (const char c : name.substr(prefix.size())) {
    if (c < '0' || c > '9' || n > 100000) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::string rowImageDescription(std::string_view name) {
  for (const WatchStatus& status : kWatchStatuses) {
    if (name == status.rowIcon) return std::string(status.name);
    if (auto width = numberAfter(name, status.rowIcon); width && status.name == kNeedStrapStatus)
      return std::string(status.name) + " (" + std::to_string(*width) + " mm)";
  }
  for (const WearBadgeLevel& level : kWearBadgeLevels) {
    if (name != level.image) continue;
    return level.fromWears == 1 ? "badge for the first wear"
                                : "badge for " + std::to_string(level.fromWears) + " wears";
  }
  if (name == kCompleteDataBadge) return "badge for complete details";
  if (name == kMovementBadge) return "badge for complete movement details";
  if (name == kDimensionsBadge) return "badge for complete dimensions";
  if (name == kKeeperRateImage) return "Keeper Rate";
  if (name == kSellerRateImage) return "Seller Rate";
  if (name == kFrontPlaceholderImage) return "no front picture";
  if (name == kBackPlaceholderImage) return "no back picture";
  if (name == kLongOwnershipStripe) {
    return "owned over " + counted(kLastNumberedYearStripe, "year");
  }
  if (auto n = numberAfter(name, kIndicatorImagePrefix)) {
    return std::to_string(*n) + " of " + std::to_string(kCompletenessFieldCount) +
           " details filled in";
  }
  if (auto n = numberAfter(name, kYearStripePrefix)) return "owned " + counted(*n, "year");
  if (auto n = numberAfter(name, kMonthStripePrefix)) return "owned " + counted(*n, "month");
  if (auto n = numberAfter(name, kDayStripePrefix)) return "owned " + counted(*n, "day");
  for (std::size_t mode = 0; mode < kDotsImages.size(); ++mode) {
    if (name == kDotsImages[mode]) {
      return "info " + std::to_string(mode + 1) + " of " + std::to_string(kDotsImages.size());
    }
  }
  return std::string(name);
}

std::string dotsImageName(int mode) {
  if (mode < 0 || mode >= static_cast<int>(kDotsImages.size())) return {};
  return std::string(kDotsImages[static_cast<std::size_t>(mode)]);
}

std::string wearBadgeImageName(double wearCount) {
  if (!std::isfinite(wearCount)) return {};
  const long long w = std::llround(wearCount);
  for (const WearBadgeLevel& level : kWearBadgeLevels) {
    if (w >= level.fromWears) return std::string(level.image);
  }
  return {};
}

std::string statusIconName(std::string_view status, std::string_view lugWidth) {
  const WatchStatus* known = findWatchStatus(status);
  if (known == nullptr) return std::string(findWatchStatus(kNotSetStatus)->rowIcon);
  if (known->name == kNeedStrapStatus) {
    for (std::string_view width : kStrapLugWidths) {
      if (lugWidth == width) return std::string(known->rowIcon) + std::string(width);
    }
  }
  return std::string(known->rowIcon);
}

std::string ownershipStripeImageName(const DateComponents& owned) {
  if (owned.years > kLastNumberedYearStripe) return std::string(kLongOwnershipStripe);
  if (owned.years >= 1) return std::string(kYearStripePrefix) + std::to_string(owned.years);
  if (owned.years == 0 && owned.months >= 1 && owned.months <= kLastMonthStripe) {
    return std::string(kMonthStripePrefix) + std::to_string(owned.months);
  }
  if (owned.years == 0 && owned.months == 0 && owned.days >= 0 && owned.days <= kLastDayStripe) {
    return std::string(kDayStripePrefix) + std::to_string(owned.days);
  }
  return {};
}

float fadeOpacity(std::optional<int> d) {
  if (!d || *d >= 100) return 0.05F;
  if (*d >= 81) return 0.08F;
  if (*d >= 76) return 0.15F;
  if (*d >= 61) return 0.2F;
  if (*d >= 46) return 0.3F;
  if (*d >= 31) return 0.4F;
  if (*d >= 21) return 0.5F;
  if (*d >= 15) return 0.6F;
  if (*d >= 11) return 0.7F;
  if (*d >= 7) return 0.8F;
  return 1.0F;  // worn this week (or dated ahead)
}

Completeness completeness(const Kello& watch) {
  Completeness c;
  const std::array<std::optional<std::string>, 4> movement = {
      watch.koneistotyyppi(), watch.koneisto(), watch.powerreserve(), watch.bph()};
  const std::array<std::optional<std::string>, 4> dimensions = {
      watch.halkaisija(), watch.lugivali(), watch.varasarake1(), watch.paksuus()};
  const std::array<std::optional<std::string>, 12> others = {
      watch.merkki(),      watch.malli(),           watch.vuosimalli(),       watch.refkoodi(),
      watch.sarjanumero(), watch.bezelmateriaali(), watch.kuorenmateriaali(), watch.tauluvari(),
      watch.lasi(),        watch.kruunu(),          watch.vedenpitavyys(),    watch.setlaajuus()};
  for (const auto& field : movement) c.movement += filled(field) ? 1 : 0;
  for (const auto& field : dimensions) c.dimensions += filled(field) ? 1 : 0;
  c.all = c.movement + c.dimensions;
  for (const auto& field : others) c.all += filled(field) ? 1 : 0;
  return c;
}

MyWatchCollectionTableViewCell fillRow(const std::shared_ptr<Kello>& watchPointer,
                                       const RowInputs& inputs, UserDefaults& defaults,
                                       const Formatters& formatters) {
  const Kello& watch = *watchPointer;
  const RowPreferences& prefs = inputs.preferences;
  const Calendar& calendar = formatters.calendar();
  MyWatchCollectionTableViewCell row;
  row.watchId = watch.objectID();

  // Base lines.
  row.manufacturerLabel.text = watch.merkki().value_or("");
  row.modelLabel.text = watch.malli().value_or("");
  row.yearLabel.text = watch.vuosimalli().value_or("");

  // Winder.
  const std::string status = watch.varasarake2().value_or("");
  if (status == kOnWinderStatus) {
    row.watchImageView.clippedToEllipse = true;
    row.watchImageView.clearsBackground = true;
    row.watchImageView.rotation = RotationAnimation{};
  }

  fillInfoMode(row, watch, inputs, formatters);

  // Badges.
  const Completeness counts = completeness(watch);
  if (prefs.badges != StoredFlag::Absent) {
    const bool on = isOn(prefs.badges);
    showIf(row.badge3Outlet, on && counts.all == kCompletenessFieldCount, kCompleteDataBadge);
    showIf(row.badge1Outlet, on && counts.movement == 4, kMovementBadge);
    showIf(row.badge2Outlet, on && counts.dimensions == 4, kDimensionsBadge);
    const std::string wearBadge = wearBadgeImageName(watch.varasarake4());
    showIf(row.badge4Outlet, on && !wearBadge.empty(), wearBadge);
  }

  // Ownership stripe.
  const auto bought = watch.ostopvm();
  const auto soldOn = watch.myyntipvm();
  if (bought && !soldOn) {
    const std::string stripe = ownershipStripeImageName(calendar.components(*bought, inputs.now));
    if (!stripe.empty()) row.vuosiOutlet.imageName = stripe;
  }
  if (prefs.ownership == StoredFlag::Absent) storeDefault(defaults, kOwnershipSettingOn, false);
  row.vuosiOutlet.isHidden = !isOn(prefs.ownership);
  if (!bought || soldOn || watch.myyntihinta() > 0 || isSold(watch)) {
    row.vuosiOutlet.isHidden = true;
  }

  // Data indicator.
  if (prefs.dataIndicator != StoredFlag::Absent) {
    const bool shown = isOn(prefs.dataIndicator) && counts.all > 0;
    showIf(row.indicatorButtonOutlet, shown,
           std::string(kIndicatorImagePrefix) + std::to_string(counts.all));
  }

  // Wear rate.
  if (prefs.wearRate == StoredFlag::Absent) {
    storeDefault(defaults, kWearRateSettingOn, true);
  } else if (isOn(prefs.wearRate)) {
    row.wearRateLabel.text =
        "Wear Rate: " + wearRateText(watch.varasarake4(), inputs.collectionWearTotal);
    if (row.wearRateLabel.text == "Wear Rate: nan%") row.wearRateLabel.text = "Wear Rate: -----";
  } else {
    row.wearRateLabel.text.clear();
  }

  // Pop-up buttons.
  if (prefs.techDetails == StoredFlag::Absent) {
    storeDefault(defaults, kTechDetailsSettingOn, true);
  } else {
    row.quickInfoButton.isHidden = !isOn(prefs.techDetails);
  }
  if (prefs.dwrswr == StoredFlag::Absent) {
    storeDefault(defaults, kDwrswrSettingOn, true);
  } else {
    row.dwrButton.isHidden = !isOn(prefs.dwrswr);
  }
  row.dwrButton.imageName = std::string(isSold(watch) ? kSellerRateImage : kKeeperRateImage);

  // Picture: fade by the days since the last wear, then the side.
  const auto lastWorn = watch.varasarake5();
  if (isOn(prefs.fade)) {
    row.watchImageView.alpha = fadeOpacity(
        lastWorn ? std::optional<int>(calendar.daysBetween(*lastWorn, inputs.now)) : std::nullopt);
  }
  const bool front = inputs.screen.kelloIsFaceUp;
  row.watchImageView.picture =
      watchPicture(watch.objectID(), front, front ? kFrontPlaceholderImage : kBackPlaceholderImage);

  row.statusButtonOutlet.imageName = statusIconName(status, watch.lugivali().value_or(""));

  // Warranty line.
  if (const auto warranty = watch.takuupvm()) {
    if (prefs.warrantyInfo == StoredFlag::Absent) {
      storeDefault(defaults, kWarrantyInfoSettingOn, true);
    } else if (isOn(prefs.warrantyInfo)) {
      const int k = calendar.daysBetween(inputs.now, *warranty);
      if (k < 0) {
        row.warrantyEndsLabel = {"Warranty expired: " + std::to_string(-k) + " days ago",
                                 kAlertRed};
      } else if (k <= 7) {
        row.warrantyEndsLabel = {"Warranty expires in: " + std::to_string(k) + " days", kAlertRed};
      } else {
        row.warrantyEndsLabel = {"Warranty until: " + formatters.shortDate(*warranty), kWhite};
      }
    } else {
      row.warrantyEndsLabel.text.clear();
    }
  } else {
    row.warrantyEndsLabel.text.clear();
  }
  return row;
}

}  // namespace tockary

#include "collection/my_watch_collection_table_view_cell.h"

#include <array>
#include <cmath>
#include <string>
#include <unordered_map>
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

namespace {

std::string describeRowImage(std::string_view name) {
  for (const WatchStatus& status : kWatchStatuses) {
    if (name == status.rowIcon) return std::string(status.name);
    if (status.name != kNeedStrapStatus) continue;
    if (auto width = numberAfter(name, status.rowIcon)) {
      return std::string(status.name) + " (" + std::to_string(*width) + " mm)";
    }
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

}  // namespace

std::string rowImageDescription(std::string_view name) {
  // Every row describes several of the same few pictures: the words for each name a row can
  // show are found once.
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  static const std::unordered_map<std::string, std::string, Hash, std::equal_to<>> known = [] {
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> words;
    for (const std::string& image : rowImageNames()) words.emplace(image, describeRowImage(image));
    return words;
  }();
  if (const auto found = known.find(name); found != known.end()) return found->second;
  return describeRowImage(name);
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
  // Read in place: twenty copies of texts only to test them would cost every row.
  const auto count = [&watch](std::initializer_list<int> attributes) {
    int n = 0;
    for (const int attribute : attributes) {
      const std::string* text = watch.textAt(attribute);
      n += text != nullptr && !text->empty() ? 1 : 0;
    }
    return n;
  };
  using K = Kello;
  Completeness c;
  c.movement = count({K::attribute("koneistotyyppi"), K::attribute("koneisto"),
                      K::attribute("powerreserve"), K::attribute("bph")});
  c.dimensions = count({K::attribute("halkaisija"), K::attribute("lugivali"),
                        K::attribute("varasarake1"), K::attribute("paksuus")});
  c.all =
      c.movement + c.dimensions +
      count({K::attribute("merkki"), K::attribute("malli"), K::attribute("vuosimalli"),
             K::attribute("refkoodi"), K::attribute("sarjanumero"), K::attribute("bezelmateriaali"),
             K::attribute("kuorenmateriaali"), K::attribute("tauluvari"), K::attribute("lasi"),
             K::attribute("kruunu"), K::attribute("vedenpitavyys"), K::attribute("setlaajuus")});
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
  const Completeness counts =
      prefs.badges != StoredFlag::Absent || prefs.dataIndicator != StoredFlag::Absent
          ? completeness(watch)
          : Completeness{};
  if (prefs.badges != StoredFlag::Absent) {
    const bool on = isOn(prefs.badges);
    showIf(row.badge3Outlet, on && counts.all == kCompletenessFieldCount, kCompleteDataBadge);
    showIf(row.badge1Outlet, on && counts.movement == 4, kMovementBadge);
    showIf(row.badge2Outlet, on && counts.dimensions == 4, kDimensionsBadge);
    const std::string wearBadge = wearBadgeImageName(watch.varasarake4());
    showIf(row.badge4Outlet, on && !wearBadge.empty(), wearBadge);
  }

  // Ownership stripe: the calendar is asked only for a stripe that shows.
  if (prefs.ownership == StoredFlag::Absent) storeDefault(defaults, kOwnershipSettingOn, false);
  const auto bought = watch.ostopvm();
  row.vuosiOutlet.isHidden = !isOn(prefs.ownership) || !bought || watch.myyntipvm() ||
                             watch.myyntihinta() > 0 || isSold(watch);
  if (!row.vuosiOutlet.isHidden) {
    const std::string stripe = ownershipStripeImageName(calendar.components(*bought, inputs.now));
    if (!stripe.empty()) row.vuosiOutlet.imageName = stripe;
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
  row.watchImageView.stored = front ? watch.hasKellokuva() : watch.hasVarasarake6();

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

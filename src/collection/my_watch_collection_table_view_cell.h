#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/formatters.h"
#include "platform/ui/navigation_bar.h"
#include "platform/ui/picture_handle.h"
#include "store/collection_model.h"
#include "store/records.h"
#include "watch/watch_status.h"

namespace tockary {

inline constexpr Rgba kProfitGreen{0.25, 0.7, 0.09, 1.0};
inline constexpr Rgba kAlertRed{1.0, 91.0 / 255, 94.0 / 255, 1.0};
inline constexpr Rgba kWhite{1, 1, 1, 1};

struct RowLabel {
  std::string text;
  Rgba textColor = kWhite;
  bool hasShadow = true;
};

// A button or decoration showing one asset. An empty image name shows no picture.
struct RowImage {
  std::string imageName;
  bool isHidden = false;
};

// The endless turn of a watch on its winder.
struct RotationAnimation {
  std::string key = "rotationAnimation";
  std::string keyPath = "transform.rotation";
  double toValue = 6.283185307179586;
  double duration = 8.0;
  bool repeatsForever = true;
};

// The row's picture: the watch's own on the side shown, else that side's placeholder. Only named
// here; a front end reads it through the handle when the row is shown.
struct RowPicture {
  PictureHandle picture;
  // Whether the watch has its own picture on the side shown (else the handle's stand-in shows);
  // known without reading the picture.
  bool stored = false;
  float alpha = 1.0F;
  bool clippedToEllipse = false;  // the picture is cut to the ellipse inscribed in its bounds
  bool clearsBackground = false;
  std::optional<RotationAnimation> rotation;
};

// The screen toggles a row reads.
struct CollectionScreenState {
  bool kelloIsFaceUp = true;
  int apuluku = 0;  // info mode 0 … 5
};

// The eight display flags a row reads, as stored when the list was refreshed.
struct RowPreferences {
  StoredFlag ownership = StoredFlag::Absent;
  StoredFlag dataIndicator = StoredFlag::Absent;
  StoredFlag badges = StoredFlag::Absent;
  StoredFlag wearRate = StoredFlag::Absent;
  StoredFlag techDetails = StoredFlag::Absent;
  StoredFlag dwrswr = StoredFlag::Absent;
  StoredFlag fade = StoredFlag::Absent;
  StoredFlag warrantyInfo = StoredFlag::Absent;

  static RowPreferences read(const UserDefaults& defaults);
};

// Everything a row depends on besides its watch; one per list refresh.
struct RowInputs {
  CollectionScreenState screen;
  RowPreferences preferences;
  // Every watch's wears, sold ones included; read only when the rows show the wear rate.
  double collectionWearTotal = 0;
  Date now;
};

// One row of the collection list. A fresh row shows the default-on elements (the two pop-up
// buttons) and hides the default-off ones (badges, stripe, indicator); a flag never written
// leaves those as a fresh row has them.
struct MyWatchCollectionTableViewCell {
  static constexpr std::string_view kReuseIdentifier = "myWatchCollection";

  ObjectID watchId;
  RowPicture watchImageView;
  RowLabel manufacturerLabel;
  RowLabel modelLabel;
  RowLabel yearLabel;
  RowImage dotsButton;
  RowImage statusButtonOutlet;
  RowImage badge1Outlet{{}, true};
  RowImage badge2Outlet{{}, true};
  RowImage badge3Outlet{{}, true};
  RowImage badge4Outlet{{}, true};
  RowImage vuosiOutlet{{}, true};
  RowImage indicatorButtonOutlet{{}, true};
  RowLabel wearRateLabel;
  RowLabel warrantyEndsLabel;
  RowImage quickInfoButton;
  RowImage dwrButton;
  RowLabel starLabel;
};

// Fills a row for `watch`. Writes the first-time defaults of five flags into `defaults`, each
// only while its key has never been written.
MyWatchCollectionTableViewCell fillRow(const std::shared_ptr<Kello>& watch, const RowInputs& inputs,
                                       UserDefaults& defaults, const Formatters& formatters);

// The pictures a row can show, as the rules below choose them. Kept in tables so that the asset
// check can list every name a row may ask for. Status icons come from the status table; a
// status the table does not know shows the icon of "Not Set".
// "Needs a New Strap" names the strap size when the lug width is a common one.
inline constexpr std::array<std::string_view, 4> kStrapLugWidths = {"18", "20", "22", "24"};

// Wear badge levels, highest first: a count shows the first level it reaches.
struct WearBadgeLevel {
  long long fromWears;
  std::string_view image;
};
inline constexpr std::array<WearBadgeLevel, 10> kWearBadgeLevels = {{
    {1000, "Badge_1000"},
    {500, "Badge_500"},
    {400, "Badge_400"},
    {300, "Badge_300"},
    {200, "Badge_200"},
    {150, "Badge_150"},
    {100, "Badge_100"},
    {50, "Badge_50"},
    {30, "Badge_30"},
    {1, "Badge_1"},
}};

inline constexpr std::array<std::string_view, 6> kDotsImages = {"Dots",  "Dots2", "Dots3",
                                                                "Dots4", "Dots5", "Dots6"};
inline constexpr std::string_view kCompleteDataBadge = "Badge_Data";
inline constexpr std::string_view kMovementBadge = "Rotor";
inline constexpr std::string_view kDimensionsBadge = "Badge_Diagram";
inline constexpr std::string_view kKeeperRateImage = "KeeperRate";
inline constexpr std::string_view kSellerRateImage = "SellerRate";
inline constexpr std::string_view kFrontPlaceholderImage = kFrontPlaceholderPicture;
inline constexpr std::string_view kBackPlaceholderImage = kBackPlaceholderPicture;

// The indicator is the prefix followed by the count of filled listed fields.
inline constexpr std::string_view kIndicatorImagePrefix = "Ilmaisin";
inline constexpr int kCompletenessFieldCount = 20;

// Ownership stripes: whole years up to the last numbered one, then one stripe for longer;
// below a year the months, below a month the days.
inline constexpr std::string_view kYearStripePrefix = "Vuosiraita_";
inline constexpr int kLastNumberedYearStripe = 10;
inline constexpr std::string_view kLongOwnershipStripe = "Vuosiraita_10+";
inline constexpr std::string_view kMonthStripePrefix = "Kuukausiraita_";
inline constexpr int kLastMonthStripe = 11;
inline constexpr std::string_view kDayStripePrefix = "Dayraita_";
inline constexpr int kLastDayStripe = 30;

// Every picture name a row can show, each once.
inline std::vector<std::string> rowImageNames() {
  std::vector<std::string> names;
  const auto add = [&names](std::string_view prefix, std::string_view suffix = {}) {
    names.push_back(std::string(prefix) + std::string(suffix));
  };
  for (const WatchStatus& status : kWatchStatuses) add(status.rowIcon);
  const std::string_view strapIcon = findWatchStatus(kNeedStrapStatus)->rowIcon;
  for (std::string_view width : kStrapLugWidths) add(strapIcon, width);
  for (const WearBadgeLevel& level : kWearBadgeLevels) add(level.image);
  for (std::string_view dots : kDotsImages) add(dots);
  for (std::string_view name :
       {kCompleteDataBadge, kMovementBadge, kDimensionsBadge, kKeeperRateImage, kSellerRateImage,
        kFrontPlaceholderImage, kBackPlaceholderImage}) {
    add(name);
  }
  for (int f = 1; f <= kCompletenessFieldCount; ++f) add(kIndicatorImagePrefix, std::to_string(f));
  for (int y = 1; y <= kLastNumberedYearStripe; ++y) add(kYearStripePrefix, std::to_string(y));
  add(kLongOwnershipStripe);
  for (int m = 1; m <= kLastMonthStripe; ++m) add(kMonthStripePrefix, std::to_string(m));
  for (int d = 0; d <= kLastDayStripe; ++d) add(kDayStripePrefix, std::to_string(d));
  return names;
}

// A row picture in words, for readers who do not see it (the command line, screen readers):
// "Keeper", "badge for 100 wears", "owned 3 years", "17 of 20 details filled in". A name no rule
// of the row produces comes back as it is.
std::string rowImageDescription(std::string_view imageName);

// The row's choices on their own, for the pop-ups and the detail screen that show the same.
std::string wearBadgeImageName(double wearCount);  // empty below one wear
std::string statusIconName(std::string_view status, std::string_view lugWidth);
std::string ownershipStripeImageName(const DateComponents& owned);  // empty outside the ranges
float fadeOpacity(std::optional<int> daysSinceLastWorn);
std::string dotsImageName(int mode);
// The data-completeness counts: all twenty listed fields, the four movement fields, the four
// dimension fields.
struct Completeness {
  int all = 0;
  int movement = 0;
  int dimensions = 0;
};
Completeness completeness(const Kello& watch);

}  // namespace tockary

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/defaults/user_defaults.h"
#include "platform/format/formatters.h"
#include "platform/ui/navigation_bar.h"
#include "store/records.h"

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

// The row's picture. Its bytes are read from the store only when a front end calls `load`,
// so rows that are never shown never read a picture.
struct RowPicture {
  std::string attribute;             // "kellokuva" (front) or "varasarake6" (back)
  std::string placeholderImageName;  // shown when the watch has no picture on that side
  float alpha = 1.0F;
  bool clippedToEllipse = false;  // the picture is cut to the ellipse inscribed in its bounds
  bool clearsBackground = false;
  std::optional<RotationAnimation> rotation;
  // The encoded picture, or nullopt when the watch has none (show the placeholder). Bytes that
  // do not decode show an empty picture.
  std::function<std::optional<Bytes>()> load;
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
  double collectionWearTotal = 0;  // every watch's wears, sold ones included
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
// A whole count as the rows print it ("0" for a count that is not a finite number).
std::string wholeNumberText(double value);

}  // namespace tockary

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "collection/collection_statistics.h"
#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

// The identities of the comparison sheet's extra actions, which open the rates.
inline constexpr std::string_view kKeeperRateAction = "keeperRate";
inline constexpr std::string_view kSellerRateAction = "sellerRate";

// What the comparison sheet shows of a watch's family, handed on to the rate it opens: averages
// and shares as "%.1f" texts, the watch's wear count as its text, the collection's wear total.
struct ComparisonFigures {
  std::string averageDiameter;
  std::string averageThickness;
  std::string averageYear;
  std::string brandShare;
  std::string dialColourShare;
  std::string caseMaterialShare;
  std::string movementTypeShare;
  std::string wearCount;
  double totalWearCount = 0;
};

// The figures of `watch` against `family`, fresh from the store.
ComparisonFigures comparisonFigures(const WatchFamily& family, const Kello& watch,
                                    double totalWearCount);

// The mean of percentages given as texts, each read back as a number ("nan" and "inf" too),
// as "%.1f"; "0" when the mean is not a number. Nullopt when a text is empty or not a number.
std::optional<std::string> meanRateText(const std::vector<std::string>& components);

// The lines the comparison and the rate sheets share, from "Diameter: " to the movement type's
// share; the sheets differ only in the breaks before "Thickness: " and "Dial Color: ".
std::string measureAndShareLines(const Kello& watch, const ComparisonFigures& figures,
                                 std::string_view thicknessBreak, std::string_view dialBreak);

// A shown rate: the sheet's rate text, and for the Keeper Rate the outcome of its history-log
// line (ok also when no line was due).
struct RateOutcome {
  std::string rate;
  Status logged;
};

// Presents the Keeper Rate sheet of an unsold watch and, when the history log is on and the
// watch has notes, appends the rate line to them and saves. A busy store or a watch deleted by
// another program writes nothing and is returned; any other failed save is a fatal stop.
RateOutcome showKeeperRate(AppServices& services, Kello& watch, const ComparisonFigures& figures);
// Presents the Seller Rate sheet of a sold watch; writes nothing.
RateOutcome showSellerRate(AppServices& services, const Kello& watch,
                           const ComparisonFigures& figures);

}  // namespace tockary

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "collection/watch_rates.h"
#include "platform/format/formatters.h"
#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

// The fonts of the collection's information sheets: a bold headline and a plain message.
inline constexpr std::string_view kInfoHeadlineFont = "HelveticaNeue-Bold";
inline constexpr double kInfoHeadlineSize = 16;
inline constexpr std::string_view kInfoMessageFont = "HelveticaNeue";
inline constexpr double kInfoMessageSize = 14;

// An information sheet: an action sheet with a plain title and message, shown as `headline` and
// the message in the fonts above, closed by "OK" (cancel style).
Sheet infoSheet(std::string title, std::string headline, std::string message);

// An amount in the currency style of the locale; "--" when the formatter cannot write it.
std::string priceText(double amount, const Formatters& formatters);

// The wears a watch still needs for its next wear badge: 0 before the first wear and from the
// last level on.
long long wearsToNextBadge(long long wears);

// The information sheets behind a collection row's buttons. Each operation takes the watch of
// the pressed row; a null watch (no row or watch found) presents nothing. Each returns whether
// it presented a sheet.
class RowPopups {
 public:
  // `services` must outlive the pop-ups; so must this object every sheet it presented.
  explicit RowPopups(AppServices& services);

  // The rate button: the watch against the unsold watches (an unsold watch) or the sold ones,
  // with the extra action keeperRate ("Keeper Rate") or sellerRate ("Seller Rate").
  bool dreamWatchInfoShow(const std::shared_ptr<Kello>& watch);
  // The ownership stripe; nothing for a watch without a purchase date.
  bool vuosiInfoShow(const std::shared_ptr<Kello>& watch);
  // The badges: 1 movement, 2 dimensions, 3 complete data, 4 wears. Nothing for another number.
  bool badgeDetailsShow(int badge, const std::shared_ptr<Kello>& watch);
  bool badge1DetailsShow(const std::shared_ptr<Kello>& watch) { return badgeDetailsShow(1, watch); }
  bool badge2DetailsShow(const std::shared_ptr<Kello>& watch) { return badgeDetailsShow(2, watch); }
  bool badge3DetailsShow(const std::shared_ptr<Kello>& watch) { return badgeDetailsShow(3, watch); }
  bool badge4DetailsShow(const std::shared_ptr<Kello>& watch) { return badgeDetailsShow(4, watch); }
  // The technical-information button.
  bool quickInfoShow(const std::shared_ptr<Kello>& watch);
  // The status button: the watch's card. Nothing when its text panel cannot be rendered (a
  // console line says why).
  bool pelikorttiShow(const std::shared_ptr<Kello>& watch);

  // What the comparison's extra action does, with the figures computed afresh.
  bool showKeeperRate(const std::shared_ptr<Kello>& watch);
  bool showSellerRate(const std::shared_ptr<Kello>& watch);

  // The last rate shown (empty before any) and the outcome of its history-log line.
  const RateOutcome& lastRate() const { return lastRate_; }

 private:
  ComparisonFigures figuresOf(const Kello& watch) const;
  void keeperRate(const std::shared_ptr<Kello>& watch, const ComparisonFigures& figures);
  void sellerRate(const std::shared_ptr<Kello>& watch, const ComparisonFigures& figures);

  AppServices& services_;
  RateOutcome lastRate_;
};

}  // namespace tockary

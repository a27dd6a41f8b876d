#include "collection/row_popups.h"

#include <cmath>
#include <utility>

#include "collection/collection_statistics.h"
#include "collection/my_watch_collection_table_view_cell.h"
#include "collection/watch_card.h"
#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "watch/wear_counter.h"

namespace tockary {

namespace {

constexpr std::string_view kWatchDetailsTitle = "Watch details:";
constexpr std::string_view kDimensionsTitle = "Watch dimensions:";

std::string text(const std::optional<std::string>& value) { return value.value_or(""); }

// "1 year", "2 years": the word stays singular below two, as the sheet has always written it.
std::string countOf(int count, std::string_view unit) {
  return std::to_string(count) + " " + std::string(unit) + (count < 2 ? "" : "s");
}

std::string comparisonMessage(const Kello& watch, const ComparisonFigures& figures,
                              const WatchFamily& family, const Formatters& formatters) {
  const bool sold = isSold(watch);
  std::string wearRate = wearRateText(watch.varasarake4(), figures.totalWearCount);
  if (wearRate == "nan%" || wearRate.empty()) wearRate = "0";
  const std::string price =
      sold ? "  \nSold Price:" + priceText(watch.myyntihinta(), formatters) + " (Avg. " +
                 priceText(family.averageSoldPrice(), formatters) + ")"
           : "  \nPrice:" + priceText(watch.ostohinta(), formatters) + " (Avg. " +
                 priceText(family.averagePurchasePrice(), formatters) + ")";
  return "Brand: " + text(watch.merkki()) + " (" + figures.brandShare + "%)" + "  \n" +
         measureAndShareLines(watch, figures, "\n", "  \n") +
         " \nYear: " + text(watch.vuosimalli()) + " (Avg. " + figures.averageYear + ")" + price +
         " \nWear Count: " + figures.wearCount + "/" + wholeNumberText(figures.totalWearCount) +
         " (" + wearRate +
         (sold ? ")"
               : ")\n(Wear Count includes also sold watches,\n but it can be reset per each "
                 "watch).");
}

}  // namespace

Sheet infoSheet(std::string title, std::string headline, std::string message) {
  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.title = std::move(title);
  sheet.message = message;
  sheet.attributedTitle =
      AttributedText{std::move(headline), std::string(kInfoHeadlineFont), kInfoHeadlineSize};
  sheet.attributedMessage =
      AttributedText{std::move(message), std::string(kInfoMessageFont), kInfoMessageSize};
  sheet.actions.push_back(okAction(ActionStyle::Cancel));
  return sheet;
}

std::string priceText(double amount, const Formatters& formatters) {
  std::string written = formatters.currency(amount);
  return written.empty() ? "--" : written;
}

long long wearsToNextBadge(long long wears) {
  if (wears <= 0) return 0;
  // The levels run highest first: the last one above the count is the next to reach.
  long long next = 0;
  for (const WearBadgeLevel& level : kWearBadgeLevels) {
    if (level.fromWears > wears) next = level.fromWears;
  }
  return next == 0 ? 0 : next - wears;
}

RowPopups::RowPopups(AppServices& services) : services_(services) {}

ComparisonFigures RowPopups::figuresOf(const Kello& watch) const {
  const double total = totalWearCount(services_.context());
  if (isSold(watch)) return comparisonFigures(SoldWatch(services_.context()), watch, total);
  return comparisonFigures(DreamWatch(services_.context()), watch, total);
}

bool RowPopups::dreamWatchInfoShow(const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  const bool sold = isSold(*watch);
  const ComparisonFigures figures = figuresOf(*watch);
  const DreamWatch dream(services_.context());
  const SoldWatch soldFamily(services_.context());
  const WatchFamily& family = sold ? static_cast<const WatchFamily&>(soldFamily) : dream;
  Sheet sheet = infoSheet(std::string(kWatchDetailsTitle),
                          text(watch->merkki()) + " " + text(watch->malli()) +
                              (sold ? "\nCompared to other\nsold watches: "
                                    : "\nCompared to my Collection\n(excluding sold watches): "),
                          comparisonMessage(*watch, figures, family, services_.formatters));
  SheetAction rate;
  rate.identity = std::string(sold ? kSellerRateAction : kKeeperRateAction);
  rate.title = sold ? "Seller Rate" : "Keeper Rate";
  rate.handler = [this, watch, figures, sold] {
    if (sold) {
      sellerRate(watch, figures);
    } else {
      keeperRate(watch, figures);
    }
  };
  sheet.actions.insert(sheet.actions.begin(), std::move(rate));
  services_.presenter.present(std::move(sheet));
  return true;
}

void RowPopups::keeperRate(const std::shared_ptr<Kello>& watch, const ComparisonFigures& figures) {
  lastRate_ = tockary::showKeeperRate(services_, *watch, figures);
}

void RowPopups::sellerRate(const std::shared_ptr<Kello>& watch, const ComparisonFigures& figures) {
  lastRate_ = tockary::showSellerRate(services_, *watch, figures);
}

bool RowPopups::showKeeperRate(const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  keeperRate(watch, figuresOf(*watch));
  return !lastRate_.rate.empty();
}

bool RowPopups::showSellerRate(const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  sellerRate(watch, figuresOf(*watch));
  return true;
}

bool RowPopups::vuosiInfoShow(const std::shared_ptr<Kello>& watch) {
  if (!watch || !watch->ostopvm()) return false;
  const DateComponents owned =
      services_.formatters.calendar().components(*watch->ostopvm(), services_.clock.now());
  services_.presenter.present(
      infoSheet(std::string(kWatchDetailsTitle), "Ownership duration for this watch so far: ",
                countOf(owned.years, "year") + " " + countOf(owned.months, "month") + " " +
                    countOf(owned.days, "day")));
  return true;
}

bool RowPopups::badgeDetailsShow(int badge, const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  const Kello& w = *watch;
  switch (badge) {
    case 1:
      services_.presenter.present(infoSheet(
          std::string(kWatchDetailsTitle), "Movement info badge unlocked! ",
          "All details entered for movement info \nMovement type: " + text(w.koneistotyyppi()) +
              " \nMovement: " + text(w.koneisto()) + " \nPower reserve: " + text(w.powerreserve()) +
              " hours" + " \nMovement vibrations: " + text(w.bph()) + " vph"));
      return true;
    case 2:
      services_.presenter.present(infoSheet(
          std::string(kDimensionsTitle), "Watch dimensions info badge unlocked! ",
          "All details entered for watch dimensions \nDiameter: " + text(w.halkaisija()) + " mm" +
              " \nLug width: " + text(w.lugivali()) + " mm" + " \nLug to Lug width: " +
              text(w.varasarake1()) + " mm" + " \nThickness: " + text(w.paksuus()) + " mm"));
      return true;
    case 3:
      services_.presenter.present(
          infoSheet(std::string(kDimensionsTitle), "Complete watch info badge unlocked! ",
                    "All basic details entered for this watch. Great job!"));
      return true;
    case 4: {
      const long long wears = std::llround(w.varasarake4());
      services_.presenter.present(infoSheet(
          "", "Watch wear count badge status: ",
          "Great job on wearing this watch! \nCurrent wear count: " + std::to_string(wears) +
              " \nNumber of wears needed to reach the next level: " +
              std::to_string(wearsToNextBadge(wears)) + " "));
      return true;
    }
    default:
      return false;
  }
}

bool RowPopups::quickInfoShow(const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  const Kello& w = *watch;
  services_.presenter.present(infoSheet(
      std::string(kWatchDetailsTitle), "Watch Technical Info: ",
      text(w.merkki()) + " " + text(w.malli()) + " \nMovement type: " + text(w.koneistotyyppi()) +
          " \nMovement: " + text(w.koneisto()) + " \nPower reserve: " + text(w.powerreserve()) +
          " hours" + " \nMovement vibrations: " + text(w.bph()) + " vph" +
          "\nDiameter: " + text(w.halkaisija()) + "mm" + "\nLug width: " + text(w.lugivali()) +
          "mm" + "\nLug-to-Lug width: " + text(w.varasarake1()) + "mm" + " \nThickness: " +
          text(w.paksuus()) + "mm" + " \nCase material: " + text(w.kuorenmateriaali()) +
          "\nBezel material: " + text(w.bezelmateriaali()) + " \nGlass: " + text(w.lasi()) +
          " \nCrown type: " + text(w.kruunu()) + " \nReference: " + text(w.refkoodi()) +
          " \nSerial number: " + text(w.sarjanumero())));
  return true;
}

bool RowPopups::pelikorttiShow(const std::shared_ptr<Kello>& watch) {
  if (!watch) return false;
  auto card = watchCard(*watch, services_);
  if (!card) {
    diagnostic("The watch card could not be drawn: " + card.status().description());
    return false;
  }
  services_.presenter.present(std::move(card->sheet));
  return true;
}

}  // namespace tockary

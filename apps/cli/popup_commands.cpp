#include <cmath>
#include <iostream>
#include <memory>
#include <string>

#include "collection/collection_summary.h"
#include "collection/my_watch_collection_table_view_cell.h"
#include "collection/row_popups.h"
#include "collection/watch_of_the_day.h"
#include "commands.h"
#include "output.h"
#include "platform/format/number_text.h"
#include "screen_output.h"
#include "store/collection_model.h"

namespace tockary::cli {

namespace {

struct PopupArguments {
  std::string id;
  int badge = 0;
  std::string choose;
};

CLI::App* addIdArgument(CLI::App* command, PopupArguments& arguments) {
  return addWatchIdArgument(command, arguments.id);
}

void addChooseOption(CLI::App* command, PopupArguments& arguments, std::string_view help) {
  command->add_option("--choose", arguments.choose, std::string(help))->check(utf8Text());
}

// The last sheet the command's screen presented, as the app shows it, with the watch it is about
// (named first in plain output when the command chose it, not the user).
int printShown(CliEnvironment& env, const std::shared_ptr<Kello>& watch,
               bool nameTheWatch = false) {
  refuseUnansweredAction(env.presenter());
  const std::vector<Sheet>& shown = env.presenter().shownSheets();
  Output out(env.options().json);
  if (watch) out.json()["id"] = watch->objectID().text();
  if (watch && nameTheWatch)
    out.text().line("Drawn: " + watchLabel(*watch) + " (" + watch->objectID().text() + ")");
  out.json()["sheet"] = shown.empty() ? Json() : sheetJson(shown.back());
  if (!shown.empty()) out.text().sheet(shown.back());
  out.print(std::cout);
  return 0;
}

// The rate that fits a watch, for the line that refuses the other one.
std::string fittingRate(const Kello& watch, const std::string& id) {
  return isSold(watch) ? "watch " + id + " is sold: its rate is the Seller Rate (tockary " +
                             "seller-rate " + id + ")"
                       : "watch " + id + " is not sold: its rate is the Keeper Rate (tockary " +
                             "keeper-rate " + id + ")";
}

// Whether the row shows the badge, so that its sheet's "unlocked" is true.
bool earned(const Kello& watch, int badge) {
  const Completeness filled = completeness(watch);
  switch (badge) {
    case 1:
      return filled.movement == 4;
    case 2:
      return filled.dimensions == 4;
    case 3:
      return filled.all == kCompletenessFieldCount;
    default:
      return !wearBadgeImageName(watch.varasarake4()).empty();
  }
}

}  // namespace

void addPopupCommands(CLI::App& root, CommandAction& action) {
  auto arguments = std::make_shared<PopupArguments>();

  auto* compare = addIdArgument(
      root.add_subcommand("compare",
                          "Show how a watch compares with the rest of the collection (unsold "
                          "watches with the unsold ones, sold with the sold), as the row's rate "
                          "button does.\n  tockary compare 12\n"
                          "  tockary compare 12 --choose \"Keeper Rate\""),
      *arguments);
  addChooseOption(compare, *arguments,
                  "Follow the sheet's action: keeperRate (\"Keeper Rate\") or sellerRate "
                  "(\"Seller Rate\")");
  compare->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
      if (!arguments->choose.empty()) env.presenter().answerNextSheet({arguments->choose, {}});
      RowPopups popups(env.services());
      popups.dreamWatchInfoShow(watch);
      refuseUnansweredAction(env.presenter());
      requireWritten(popups.lastRate().logged, "the Keeper Rate could not be logged");
      return printShown(env, watch);
    };
  });

  for (const bool keeper : {true, false}) {
    auto* rate = addIdArgument(
        root.add_subcommand(
            keeper ? "keeper-rate" : "seller-rate",
            keeper ? "Show the Keeper Rate of an unsold watch; with the history log on, the rate "
                     "is added to its notes.\n  tockary keeper-rate 12"
                   : "Show the Seller Rate of a sold watch.\n  tockary seller-rate 12"),
        *arguments);
    rate->callback([&action, arguments, keeper] {
      action = [arguments, keeper](CliEnvironment& env) {
        const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
        if (isSold(*watch) == keeper) throw UsageError{fittingRate(*watch, arguments->id)};
        RowPopups popups(env.services());
        if (keeper) {
          popups.showKeeperRate(watch);
        } else {
          popups.showSellerRate(watch);
        }
        requireWritten(popups.lastRate().logged, "the Keeper Rate could not be logged");
        return printShown(env, watch);
      };
    });
  }

  auto* ownership = addIdArgument(
      root.add_subcommand("ownership",
                          "Show how long a watch has been owned, as its ownership stripe does "
                          "(needs a purchase date).\n  tockary ownership 12"),
      *arguments);
  ownership->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
      if (!RowPopups(env.services()).vuosiInfoShow(watch)) {
        throw UsageError{"watch " + arguments->id +
                         " has no purchase date; the ownership sheet needs one"};
      }
      return printShown(env, watch);
    };
  });

  auto* badge = addIdArgument(
      root.add_subcommand("badge",
                          "Show a badge of a watch as its row does: 1 movement, 2 dimensions, 3 "
                          "complete data, 4 wears.\n  tockary badge 12 4"),
      *arguments);
  badge->add_option("BADGE", arguments->badge, "1, 2, 3 or 4")->required()->check(CLI::Range(1, 4));
  badge->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
      if (!earned(*watch, arguments->badge)) {
        throw UsageError{"watch " + arguments->id + " has not earned badge " +
                         std::to_string(arguments->badge) + ", so its row does not show it"};
      }
      RowPopups(env.services()).badgeDetailsShow(arguments->badge, watch);
      return printShown(env, watch);
    };
  });

  auto* tech = addIdArgument(
      root.add_subcommand("tech",
                          "Show a watch's technical information, as its row's info button "
                          "does.\n  tockary tech 12"),
      *arguments);
  tech->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
      RowPopups(env.services()).quickInfoShow(watch);
      return printShown(env, watch);
    };
  });

  auto* wotd = root.add_subcommand(
      "wotd",
      "Draw a watch of the day among the unsold watches and show it with its id; --choose "
      "\"Wear today\" logs a wear of it, \"Draw again\" draws anew.\n  tockary wotd\n"
      "  tockary wotd --choose \"Wear today\"");
  addChooseOption(wotd, *arguments,
                  "Answer the sheet: drawAgain (\"Draw again\"), wearToday (\"Wear today\") or "
                  "cancel");
  wotd->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      if (!arguments->choose.empty()) env.presenter().answerNextSheet({arguments->choose, {}});
      WatchOfTheDay roulette(env.services());
      if (!roulette.startRoulette()) {
        Output out(env.options().json);
        out.json()["id"] = Json();
        out.json()["sheet"] = Json();
        out.text().line("No unsold watch to draw.");
        out.print(std::cout);
        return 0;
      }
      refuseUnansweredAction(env.presenter());
      requireWritten(roulette.wearStatus());
      const std::shared_ptr<Kello>& watch = roulette.drawnWatch();
      const std::vector<std::string>& pressed = env.presenter().pressedActions();
      if (pressed.empty() || pressed.back() != kWearTodayAction)
        return printShown(env, watch, true);
      Output out(env.options().json);
      out.json()["id"] = watch->objectID().text();
      out.json()["varasarake4"] = std::llround(watch->varasarake4());
      out.text().line("Worn today: " + watchLabel(*watch) + " (" + watch->objectID().text() + ")");
      out.text().field("Wear count", wholeNumberText(watch->varasarake4()));
      out.print(std::cout);
      return 0;
    };
  });

  auto* summary = root.add_subcommand(
      "summary",
      "Show the collection summary: counts, costs and proceeds, average case sizes.\n"
      "  tockary summary");
  summary->callback([&action] {
    action = [](CliEnvironment& env) {
      showCollectionFacts(env.services());
      return printShown(env, nullptr);
    };
  });
}

}  // namespace tockary::cli

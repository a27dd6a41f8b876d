#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "collection/collection_filter.h"
#include "collection/my_watch_collection_table_view_controller.h"
#include "commands.h"
#include "output.h"
#include "platform/format/number_text.h"
#include "screen_output.h"
#include "settings/preference_keys.h"
#include "store/collection_model.h"
#include "watch/watch_status.h"

namespace tockary::cli {

namespace {

constexpr const char* kHidden = "(hidden)";
using Cell = MyWatchCollectionTableViewCell;

std::string colourName(const Rgba& colour) {
  if (colour == kWhite) return "white";
  if (colour == kProfitGreen) return "green";
  if (colour == kAlertRed) return "red";
  return "rgba(" + formatOneDecimal(colour.red) + ", " + formatOneDecimal(colour.green) + ", " +
         formatOneDecimal(colour.blue) + ", " + formatOneDecimal(colour.alpha) + ")";
}

Json image(const RowImage& element) {
  return element.isHidden ? Json(kHidden) : Json(element.imageName);
}

void label(Json& row, const std::string& name, const RowLabel& element, bool withColour) {
  row[name] = element.text;
  if (withColour) row[name + ".textColor"] = colourName(element.textColor);
  if (!element.hasShadow) row[name + ".shadow"] = "none";
}

// The opacity as the row has it (0.05 stays 0.05, not 0.1).
double opacity(float alpha) { return std::round(static_cast<double>(alpha) * 1000) / 1000; }

// The same as plain text; rows use a handful of opacities, each written once.
const std::string& opacityText(float alpha) {
  static std::map<float, std::string> written;
  auto [entry, added] = written.try_emplace(alpha);
  if (added) entry->second = Json(opacity(alpha)).dump();
  return entry->second;
}

// What the row's picture is: its own picture's side, or the placeholder's name.
std::string pictureName(const RowPicture& picture, bool ownPicture) {
  return ownPicture ? picture.picture.face() : picture.picture.assetName();
}

Json rowJson(const Cell& cell, bool ownPicture, const std::string& quickWear) {
  Json row = Json::object();
  // Room for every key at once: growing an ordered object copies every key and value.
  row.get_ref<Json::object_t&>().reserve(32);
  row["id"] = cell.watchId.primaryKey;
  const RowPicture& picture = cell.watchImageView;
  row["watchImageView"] = pictureName(picture, ownPicture);
  row["watchImageView.alpha"] = opacity(picture.alpha);
  if (picture.rotation) {
    row["watchImageView.rotation"] = picture.rotation->keyPath;
    row["watchImageView.clip"] = "ellipse";
  }
  label(row, "manufacturerLabel", cell.manufacturerLabel, false);
  label(row, "modelLabel", cell.modelLabel, false);
  label(row, "yearLabel", cell.yearLabel, true);
  row["dotsButton"] = cell.dotsButton.imageName;
  row["statusButtonOutlet"] = cell.statusButtonOutlet.imageName;
  row["badge1Outlet"] = image(cell.badge1Outlet);
  row["badge2Outlet"] = image(cell.badge2Outlet);
  row["badge3Outlet"] = image(cell.badge3Outlet);
  row["badge4Outlet"] = image(cell.badge4Outlet);
  row["vuosiOutlet"] = image(cell.vuosiOutlet);
  row["indicatorButtonOutlet"] = image(cell.indicatorButtonOutlet);
  row["wearRateLabel"] = cell.wearRateLabel.text;
  label(row, "warrantyEndsLabel", cell.warrantyEndsLabel, !cell.warrantyEndsLabel.text.empty());
  row["quickInfoButton"] = cell.quickInfoButton.isHidden ? kHidden : "shown";
  row["dwrButton"] = image(cell.dwrButton);
  row["quickWearAction"] = quickWear;
  return row;
}

std::string withColour(const RowLabel& label) {
  return label.textColor == kWhite ? label.text
                                   : label.text + " (" + colourName(label.textColor) + ")";
}

// The parts are only read: views spare a copy of each (temporaries live through the call).
std::string joined(std::initializer_list<std::string_view> parts, std::string_view separator) {
  std::string text;
  for (const std::string_view part : parts) {
    if (part.empty()) continue;
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

std::string shownDescription(const RowImage& element) {
  return element.isHidden || element.imageName.empty() ? std::string()
                                                       : rowImageDescription(element.imageName);
}

// A row as a person reads it: the id and the three lines, then what the row's pictures say.
void plainRow(PlainText& out, const Cell& cell, bool ownPicture, const std::string& quickWear) {
  out.line(std::to_string(cell.watchId.primaryKey) + "  " +
           joined({cell.manufacturerLabel.text, cell.modelLabel.text, withColour(cell.yearLabel)},
                  " · "));
  out.indent(4);
  const RowPicture& picture = cell.watchImageView;
  std::string pictureText = ownPicture ? picture.picture.face() + " picture"
                                       : rowImageDescription(picture.picture.assetName());
  if (picture.alpha < 1.0F) pictureText += ", faded to " + opacityText(picture.alpha);
  if (picture.rotation) pictureText += ", turning on its winder";
  out.field("Picture", pictureText);
  out.field("Status", rowImageDescription(cell.statusButtonOutlet.imageName));
  const std::string badges =
      joined({shownDescription(cell.badge3Outlet), shownDescription(cell.badge1Outlet),
              shownDescription(cell.badge2Outlet), shownDescription(cell.badge4Outlet)},
             ", ");
  if (!badges.empty()) out.field("Badges", badges);
  if (const std::string stripe = shownDescription(cell.vuosiOutlet); !stripe.empty()) {
    out.field("Ownership", stripe);
  }
  if (const std::string filled = shownDescription(cell.indicatorButtonOutlet); !filled.empty()) {
    out.field("Details", filled);
  }
  if (!cell.wearRateLabel.text.empty()) out.line(cell.wearRateLabel.text);
  if (!cell.warrantyEndsLabel.text.empty()) out.line(withColour(cell.warrantyEndsLabel));
  const std::string buttons = joined(
      {cell.quickInfoButton.isHidden ? "" : "technical details", shownDescription(cell.dwrButton)},
      ", ");
  if (!buttons.empty()) out.field("Buttons", buttons);
  std::string swipe = quickWear;
  for (auto at = swipe.find('\n'); at != std::string::npos; at = swipe.find('\n', at)) {
    swipe.replace(at, 1, " / ");
  }
  out.field("Swipe to wear", swipe);
  out.indent(-4);
}

// The list as it loads in the app: it prints the pending reminders and rebuilds them.
std::unique_ptr<MyWatchCollectionTableViewController> loadedList(CliEnvironment& env) {
  auto list = std::make_unique<MyWatchCollectionTableViewController>(env.services());
  list->initiateNotifications = env.reminderRebuild();
  list->printPendingNotificationRequests = [&env] {
    try {
      env.reminders().printPendingRequests();
    } catch (const WriteFailure&) {
      // Said by the rebuild that follows.
    }
  };
  list->viewDidLoad();
  return list;
}

std::unique_ptr<MyWatchCollectionTableViewController> openList(CliEnvironment& env) {
  auto list = loadedList(env);
  list->viewDidAppear();
  return list;
}

// Rows are printed as they are filled, so a large collection is never held whole.
void printRows(CliEnvironment& env, MyWatchCollectionTableViewController& list) {
  const bool asJson = env.options().json;
  const int rows = list.numberOfRowsInSection(0);
  if (asJson) std::cout << "[";
  bool first = true;
  for (int row = 0; row < rows; ++row) {
    const auto cell = list.cellForRowAt({0, row});
    const auto swipe = list.leadingSwipeActionFor({0, row});
    if (!cell || !swipe) continue;
    const bool own = cell->watchImageView.stored;
    if (asJson) {
      std::cout << (first ? "\n" : ",\n") << dumpJson(rowJson(*cell, own, swipe->title), -1);
    } else {
      PlainText text;
      if (!first) text.line();
      plainRow(text, *cell, own, swipe->title);
      std::cout << text.text();
    }
    first = false;
  }
  if (asJson) std::cout << (first ? "]\n" : "\n]\n");
  if (!asJson && first) {
    std::cout << (list.filter().isActive() ? list.emptyListText() : "No watches.") << "\n";
  }
}

// What `list` narrows the collection to, as typed.
struct FilterOptions {
  std::string search;
  std::optional<std::string> status;
  std::optional<std::string> movementType;
  bool sold = false;
  bool unsold = false;

  // The filter, or a UsageError naming what is accepted.
  CollectionFilter checked() const {
    CollectionFilter filter{search, {}, {}, SoldFilter::Any};
    if (status) {
      filter.status = statusNamed(*status);
      if (!filter.status) throw unknownValue("status", *status, watchStatusNames());
    }
    if (movementType) {
      filter.movementType = movementTypeNamed(*movementType);
      if (!filter.movementType) {
        throw unknownValue("movement type", *movementType, movementTypeNames());
      }
    }
    if (sold) filter.sold = SoldFilter::Sold;
    if (unsold) filter.sold = SoldFilter::Unsold;
    return filter;
  }
};

void addList(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "list",
      "Show the collection as the home screen lists it, in the chosen order: each row with its "
      "id, its three lines and what its pictures, badges and buttons show; --search and the "
      "filters narrow it, together.\n"
      "  tockary list --mode 1 --back\n  tockary list --search omega --movement-type automatic "
      "--unsold");
  auto mode = std::make_shared<int>(0);
  auto back = std::make_shared<bool>(false);
  command->add_option("--mode", *mode, "Info mode of the rows, 0 to 5 (as tapping the dots)")
      ->check(CLI::Range(0, 5));
  command->add_flag("--back", *back, "Show the back pictures instead of the front ones");
  auto filter = std::make_shared<FilterOptions>();
  command
      ->add_option("--search", filter->search,
                   "Only watches whose brand, model, reference, serial number, caliber or notes "
                   "contain every word of TEXT, case and accents ignored")
      ->option_text("TEXT")
      ->check(utf8Text());
  command->add_option("--status", filter->status, "Only watches with this status (as shown)")
      ->option_text("S")
      ->check(utf8Text());
  command
      ->add_option("--movement-type", filter->movementType, "Only watches with this movement type")
      ->option_text("T")
      ->check(utf8Text());
  auto* sold = command->add_flag("--sold", filter->sold, "Only sold watches");
  command->add_flag("--unsold", filter->unsold, "Only unsold watches")->excludes(sold);
  command->callback([&action, mode, back, filter] {
    action = [mode, back, filter](CliEnvironment& env) {
      const CollectionFilter chosen = filter->checked();
      auto list = loadedList(env);
      list->apuluku = *mode;
      list->kelloIsFaceUp = !*back;
      list->setFilter(chosen);
      printRows(env, *list);
      return 0;
    };
  });
}

void addSort(CLI::App& root, CommandAction& action) {
  addSortCommand(
      root, action,
      "Show the \"Order the Watches by:\" sheet, or choose one of its entries by its title or its "
      "name; the list keeps that order from then on.\n  tockary sort \"Wear Rate\"",
      kCollectionSortMenu, [](CliEnvironment& env) { openList(env)->orderRowsBy(); });
}

void addDelete(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "delete",
      "Delete a watch from the collection. Without --yes it only shows the confirmation sheet; "
      "service records, warranty cards and measurements of the watch stay.\n"
      "  tockary delete 12 --yes");
  auto id = std::make_shared<std::string>();
  auto yes = std::make_shared<bool>(false);
  auto choose = std::make_shared<std::string>();
  command->add_option("ID", *id, "The watch's id, as `tockary list` shows it")
      ->required()
      ->check(utf8Text());
  auto* yesFlag = command->add_flag("--yes", *yes, "Confirm the deletion (confirmDelete)");
  command->add_option("--choose", *choose, "Answer the sheet with this action")
      ->excludes(yesFlag)
      ->check(utf8Text());
  command->callback([&action, id, yes, choose] {
    action = [id, yes, choose](CliEnvironment& env) {
      auto watch = watchById(env, *id);
      const std::string label = watchLabel(*watch);
      // Only the sheet shows: the list itself is not fetched.
      auto list = loadedList(env);
      if (!list->listShows(*watch)) {
        throw UsageError{"watch " + *id +
                         " is not in the list (sold watches are hidden); turn "
                         "hideSoldWatchesSettingOn off to delete it"};
      }
      if (*yes) env.presenter().answerNextSheet({"confirmDelete", {}});
      if (!choose->empty()) env.presenter().answerNextSheet({*choose, {}});
      const std::int64_t key = watch->objectID().primaryKey;
      list->confirmDeletion(*watch);
      refuseUnansweredAction(env.presenter());
      requireWritten(list->saveStatus());
      Output out(env.options().json);
      const auto& shown = env.presenter().shownSheets();
      const bool deleted = shown.empty() && watch->isDeleted();
      if (!shown.empty()) {
        out.json() = sheetJson(shown.front());
        out.text().sheet(shown.front());
        out.text().line("Nothing was deleted: add --yes to delete " + label + ".");
      }
      if (deleted) {
        out.json()["deleted"] = key;
        out.text().line("Deleted watch " + std::to_string(key) + " (" + label + ").");
      } else if (shown.empty()) {
        out.text().line("Nothing was deleted.");
      }
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace

void addCollectionCommands(CLI::App& root, CommandAction& action) {
  addList(root, action);
  addSort(root, action);
  addDelete(root, action);
}

}  // namespace tockary::cli

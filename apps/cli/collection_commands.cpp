#include <iostream>
#include <memory>
#include <set>
#include <string>

#include "collection/my_watch_collection_table_view_controller.h"
#include "commands.h"
#include "output.h"
#include "platform/format/number_text.h"
#include "screen_output.h"
#include "settings/preference_keys.h"

namespace tockary::cli {

namespace {

constexpr const char* kHidden = "(hidden)";

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

Json rowJson(const MyWatchCollectionTableViewCell& cell, bool hasPicture) {
  Json row = Json::object();
  row["id"] = cell.watchId.primaryKey;
  const RowPicture& picture = cell.watchImageView;
  row["watchImageView"] = hasPicture ? picture.attribute : picture.placeholderImageName;
  row["watchImageView.alpha"] = formatOneDecimal(picture.alpha);
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
  return row;
}

std::string sortEntries() {
  std::string names;
  for (const SortMenuEntry& entry : kCollectionSortMenu) {
    if (!names.empty()) names += ", ";
    names += "\"" + std::string(entry.title) + "\"";
  }
  return names;
}

void printSheet(CliEnvironment& env, const Sheet& sheet) {
  Output out(env.options().json);
  out.root() = sheetJson(sheet);
  out.print(std::cout);
}

std::unique_ptr<MyWatchCollectionTableViewController> openList(CliEnvironment& env) {
  auto list = std::make_unique<MyWatchCollectionTableViewController>(env.services());
  list->viewDidLoad();
  list->viewDidAppear();
  return list;
}

void addList(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "list",
      "Show the collection as the home screen lists it, in the chosen order: each row with its "
      "id, its three info lines, and every image and label; hidden elements are marked "
      "(hidden).\n  tockary list --mode 1 --back");
  auto mode = std::make_shared<int>(0);
  auto back = std::make_shared<bool>(false);
  command->add_option("--mode", *mode, "Info mode of the rows, 0 to 5 (as tapping the dots)")
      ->check(CLI::Range(0, 5));
  command->add_flag("--back", *back, "Show the back pictures instead of the front ones");
  command->callback([&action, mode, back] {
    action = [mode, back](CliEnvironment& env) {
      auto list = std::make_unique<MyWatchCollectionTableViewController>(env.services());
      list->viewDidLoad();
      list->apuluku = *mode;
      list->kelloIsFaceUp = !*back;
      list->viewDidAppear();
      const std::set<ObjectID> pictured = list->watchesWithShownPicture();
      Output out(env.options().json);
      out.root() = Json::array();
      const int rows = list->numberOfRowsInSection(0);
      for (int row = 0; row < rows; ++row) {
        auto cell = list->cellForRowAt({0, row});
        if (!cell) continue;
        out.root().push_back(rowJson(*cell, pictured.contains(cell->watchId)));
      }
      out.print(std::cout);
      return 0;
    };
  });
}

void addSort(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "sort",
      "Show the \"Order the Watches by:\" sheet, or choose one of its entries; the list keeps "
      "that order from then on.\n  tockary sort \"Wear Rate\"");
  auto entry = std::make_shared<std::string>();
  command->add_option("ENTRY", *entry, "One of the sheet's entries: " + sortEntries())
      ->check(utf8Text());
  command->callback([&action, entry] {
    action = [entry](CliEnvironment& env) {
      bool known = entry->empty();
      for (const SortMenuEntry& item : kCollectionSortMenu) known = known || item.title == *entry;
      if (!known) {
        throw UsageError{"unknown sort entry \"" + *entry + "\"; accepted: " + sortEntries()};
      }
      auto list = openList(env);
      list->orderRowsBy();
      if (entry->empty()) {
        printSheet(env, *env.presenter().lastSheet());
        return 0;
      }
      env.presenter().pressOnLastSheet(*entry);
      Output out(env.options().json);
      for (std::string_view key : kCollectionSortKeys) {
        out.field(key, env.defaults().flag(key) == true);
      }
      out.print(std::cout);
      return 0;
    };
  });
}

void addDelete(CLI::App& root, CommandAction& action) {
  auto* command = root.add_subcommand(
      "delete",
      "Delete a watch from the collection. Without --yes it only shows the confirmation sheet; "
      "service records, warranty cards and measurements of the watch stay.\n"
      "  tockary delete 12 --yes");
  auto id = std::make_shared<std::string>();
  auto yes = std::make_shared<bool>(false);
  command->add_option("ID", *id, "The watch's id, as `tockary list` shows it")
      ->required()
      ->check(utf8Text());
  command->add_flag("--yes", *yes, "Confirm the deletion");
  command->callback([&action, id, yes] {
    action = [id, yes](CliEnvironment& env) {
      auto watch = watchById(env, *id);
      auto list = openList(env);
      const auto path = list->indexPathOf(watch->objectID());
      if (!path) {
        throw UsageError{"watch " + *id +
                         " is not in the list (sold watches are hidden); turn "
                         "hideSoldWatchesSettingOn off to delete it"};
      }
      list->commitEditingStyle(EditingStyle::Delete, *path);
      Output out(env.options().json);
      out.root() = sheetJson(*env.presenter().lastSheet());
      if (*yes) {
        env.presenter().pressOnLastSheet("Confirm delete");
        requireWritten(list->saveStatus());
        out.field("deleted", watch->objectID().primaryKey);
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

#include <cmath>
#include <iostream>
#include <memory>
#include <string>

#include "commands.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "output.h"
#include "screen_output.h"
#include "watch/watch_status.h"
#include "watch/wear_counter.h"

namespace tockary::cli {

namespace {

struct DetailArguments {
  std::string id;
  int face = 1;
  bool confirm = false;
  bool yes = false;
  std::string value;
};

std::unique_ptr<TarkasteleKelloaTableViewController> openScreen(CliEnvironment& env,
                                                                const std::string& id) {
  const std::shared_ptr<Kello> watch = watchById(env, id);
  auto screen =
      std::make_unique<TarkasteleKelloaTableViewController>(env.services(), watch->objectID());
  screen->viewDidLoad();
  return screen;
}

Json pictureJson(const WatchPicture& picture) {
  Json json = Json::object();
  if (picture.picture) {
    json["picture"] = picture.attribute;
    json["bytes"] = picture.picture->size();
  } else {
    json["assetName"] = picture.assetName;
  }
  return json;
}

void printScreen(CliEnvironment& env, const TarkasteleKelloaTableViewController& screen,
                 const Sheet* sheet = nullptr) {
  Output out(env.options().json);
  if (sheet) out.field("sheet", sheetJson(*sheet));
  out.field("id", screen.kelloID().text());
  out.field("title", screen.title() ? Json(*screen.title()) : Json());
  out.field("kelloIsFaceUp", screen.kelloIsFaceUp());
  out.field("kelloImageView", pictureJson(screen.outputs().kelloImageView));
  if (const auto& overlay = screen.outputs().tekstiView) {
    Json texts = Json::object();
    for (const DiagramText& text : overlay->texts) texts[std::string(text.role)] = text.text;
    out.field("tekstiView", texts);
  } else {
    out.field("tekstiView", env.options().json ? Json() : Json("(hidden)"));
  }
  for (const auto& [name, text] : screen.textOutlets()) out.field(name, *text);
  out.print(std::cout);
}

// A question the app asks first: shown, and nothing changes.
int printQuestion(CliEnvironment& env, const Sheet& sheet) {
  Output out(env.options().json);
  out.root() = sheetJson(sheet);
  out.print(std::cout);
  return 0;
}

CLI::App* addIdArgument(CLI::App* command, DetailArguments& arguments) {
  command
      ->add_option("ID", arguments.id,
                   "The watch's id, as `tockary list` shows it (12 or Kello/12)")
      ->required()
      ->check(utf8Text());
  return command;
}

}  // namespace

void addDetailCommands(CLI::App& root, CommandAction& action) {
  auto arguments = std::make_shared<DetailArguments>();

  auto* show = addIdArgument(
      root.add_subcommand("show",
                          "Show a watch's detail screen: every label and field by its name, the "
                          "picture face and the diagram texts.\n"
                          "  tockary show 12\n  tockary show 12 --face 3"),
      *arguments);
  show->add_option("--face", arguments->face,
                   "Which picture face to show: 1 front, 2 back, 3 dimension diagram")
      ->check(CLI::Range(1, 3));
  show->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      auto screen = openScreen(env, arguments->id);
      while (screen->kelloIsFaceUp() != arguments->face) screen->flipWatchPhoto();
      printScreen(env, *screen);
      return 0;
    };
  });

  auto* wear = addIdArgument(
      root.add_subcommand(
          "wear",
          "Log that a watch was worn today. Without --confirm, as the collection list's swipe "
          "action does (count, moment and history-log entries). With --confirm, as the detail "
          "screen's button does: prints its confirmation, and with --yes logs the wear and prints "
          "any badge earned.\n"
          "  tockary wear 12\n  tockary wear 12 --confirm --yes"),
      *arguments);
  wear->add_flag("--confirm", arguments->confirm, "Use the detail screen's confirmed wear");
  wear->add_flag("--yes", arguments->yes, "Answer the confirmation with Confirm");
  wear->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      if (!arguments->confirm) {
        const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
        requireWritten(quickLogWear(*watch, env.services()));
        Output out(env.options().json);
        out.field("id", watch->objectID().text());
        // A whole number kept in a double: printed as the whole number it is.
        out.field("varasarake4", std::llround(watch->varasarake4()));
        const auto lastWorn = watch->varasarake5();
        out.field("varasarake5",
                  lastWorn ? Json(env.formatters().shortDateMediumTime(*lastWorn)) : Json());
        out.field("varasarake3", watch->varasarake3() ? Json(*watch->varasarake3()) : Json());
        out.print(std::cout);
        return 0;
      }
      auto screen = openScreen(env, arguments->id);
      RecordingPresenter& presenter = env.presenter();
      screen->increaseTimesWornCounter();
      if (!arguments->yes) return printQuestion(env, *presenter.lastSheet());
      const std::size_t before = presenter.events().size();
      presenter.pressOnLastSheet("Confirm");
      requireWritten(screen->saveStatus());
      const bool badge = presenter.events().size() > before;
      printScreen(env, *screen, badge ? presenter.lastSheet() : nullptr);
      return 0;
    };
  });

  auto* status = addIdArgument(
      root.add_subcommand("status",
                          "Set a watch's status as the detail screen's status picker does (with "
                          "its history-log entry).\n  tockary status 12 \"Grail\"\n"
                          "Statuses: " +
                              watchStatusNames()),
      *arguments);
  status->add_option("STATUS", arguments->value, "One of the statuses listed above")
      ->required()
      ->check(utf8Text());
  status->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      int row = -1;
      for (std::size_t i = 0; i < kWatchStatuses.size(); ++i) {
        if (kWatchStatuses[i].name == arguments->value) row = static_cast<int>(i);
      }
      if (row < 0) {
        throw UsageError{"unknown status \"" + arguments->value +
                         "\"; accepted: " + watchStatusNames()};
      }
      auto screen = openScreen(env, arguments->id);
      screen->changeWatchStatus();
      screen->pickerViewDidSelectRow(row);
      screen->doneStatusPicker();
      requireWritten(screen->saveStatus());
      printScreen(env, *screen);
      return 0;
    };
  });

  auto* reset = addIdArgument(
      root.add_subcommand("reset",
                          "Reset a watch's wrist statistics (wear count and last-worn date). "
                          "Prints the confirmation; --yes confirms.\n  tockary reset 12 --yes"),
      *arguments);
  reset->add_flag("--yes", arguments->yes, "Answer with Confirm wrist-stats reset");
  reset->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      auto screen = openScreen(env, arguments->id);
      screen->wearStatsReset();
      if (!arguments->yes) return printQuestion(env, *env.presenter().lastSheet());
      env.presenter().pressOnLastSheet("Confirm wrist-stats reset");
      requireWritten(screen->saveStatus());
      printScreen(env, *screen);
      return 0;
    };
  });

  auto* adjust = addIdArgument(
      root.add_subcommand("adjust",
                          "Set a watch's wear count to a whole number of 0 or more. Prints the "
                          "question; --yes submits the number.\n  tockary adjust 12 60 --yes"),
      *arguments);
  adjust->add_option("COUNT", arguments->value, "The new wear count, such as 60")
      ->required()
      ->check(utf8Text());
  adjust->add_flag("--yes", arguments->yes, "Submit the new wear count");
  adjust->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      if (!TarkasteleKelloaTableViewController::typedWearCount(arguments->value)) {
        throw UsageError{"wear count \"" + arguments->value + "\" refused: " +
                         std::string(TarkasteleKelloaTableViewController::kWearCountRefused)};
      }
      auto screen = openScreen(env, arguments->id);
      RecordingPresenter& presenter = env.presenter();
      screen->wearStatsReset();
      presenter.pressOnLastSheet("Adjust wear count");
      const Sheet* alert = presenter.lastSheet();
      if (!arguments->yes) return printQuestion(env, *alert);
      *alert->textFields.at(0).text = arguments->value;
      presenter.pressOnLastSheet("Submit new wear count");
      requireWritten(screen->saveStatus());
      printScreen(env, *screen);
      return 0;
    };
  });
}

}  // namespace tockary::cli

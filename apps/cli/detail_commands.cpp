#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "commands.h"
#include "detail/detail_captions.h"
#include "detail/diagram_drawing.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "output.h"
#include "platform/format/number_text.h"
#include "screen_output.h"
#include "store/collection_model.h"
#include "watch/watch_status.h"
#include "watch/wear_counter.h"

namespace tockary::cli {

namespace {

using Screen = TarkasteleKelloaTableViewController;

struct DetailArguments {
  std::string id;
  int face = 1;
  std::string pictureOut;
  bool confirm = false;
  bool yes = false;
  std::string choose;
  std::string value;
};

std::unique_ptr<Screen> openScreen(CliEnvironment& env, const std::string& id) {
  const std::shared_ptr<Kello> watch = watchById(env, id);
  auto screen = std::make_unique<Screen>(env.services(), watch->objectID());
  screen->viewDidLoad();
  return screen;
}

const std::string& outlet(const Screen& screen, std::string_view name) {
  for (const auto& [outletName, text] : screen.textOutlets()) {
    if (outletName == name) return *text;
  }
  static const std::string none;
  return none;
}

// The picture face for scripts: an app picture by name, or the watch's own picture by its side.
Json pictureJson(const PictureHandle& picture) {
  Json json = Json::object();
  if (picture.isStored()) {
    json["picture"] = picture.face();
  } else {
    json["assetName"] = picture.assetName();
  }
  return json;
}

void screenJson(Json& json, const Screen& screen) {
  json["id"] = screen.kelloID().text();
  json["title"] = screen.title() ? Json(*screen.title()) : Json();
  json["kelloIsFaceUp"] = screen.kelloIsFaceUp();
  json["kelloImageView"] = pictureJson(screen.outputs().kelloImageView);
  if (const auto& overlay = screen.outputs().tekstiView) {
    Json texts = Json::object();
    for (const DiagramText& text : overlay->texts) texts[std::string(text.role)] = text.text;
    json["tekstiView"] = texts;
  } else {
    json["tekstiView"] = Json();
  }
  for (const auto& [name, text] : screen.textOutlets()) json[std::string(name)] = *text;
}

void wearFigures(PlainText& text, const Screen& screen) {
  for (const OutletCaption& entry : kDetailWearCaptions) {
    text.field(entry.caption, outlet(screen, entry.outlet));
  }
}

// The detail screen as a person reads it, top to bottom.
void screenText(PlainText& text, const Screen& screen) {
  if (screen.title()) text.line(*screen.title());
  text.line(outlet(screen, "basicWatchDetailsLabel"));
  text.line(outlet(screen, "movementDetailsLabel"));
  text.field(kPictureCaption, screen.pictureText());
  if (const auto& overlay = screen.outputs().tekstiView) {
    text.indent(2);
    for (std::size_t i = 0; i < overlay->texts.size() && i < kDiagramCaptions.size(); ++i) {
      text.field(kDiagramCaptions[i].caption, overlay->texts[i].text);
    }
    text.indent(-2);
  }
  text.field(kStatusCaption, outlet(screen, "statusTextField"));
  wearFigures(text, screen);
  // Fields the watch leaves empty show nothing on the screen; here they are left out.
  for (const OutletCaption& entry : kDetailFieldCaptions) {
    if (!outlet(screen, entry.outlet).empty())
      text.field(entry.caption, outlet(screen, entry.outlet));
  }
}

// A command whose screen asks first: the question, and nothing changed.
int printQuestion(CliEnvironment& env, const Sheet& question, std::string_view yesAction) {
  Output out(env.options().json);
  out.json() = sheetJson(question);
  out.text().sheet(question);
  out.text().line("Nothing was changed: add --yes to answer " + std::string(yesAction) +
                  ", or --choose with another action.");
  out.print(std::cout);
  return 0;
}

// After the command's answers: the next question if the screen asked one, else what the screen
// showed (a badge) and the watch's wear figures as the detail screen shows them now.
int printAnswered(CliEnvironment& env, const Screen& screen, std::string_view yesAction,
                  std::string_view done) {
  const CliPresenter& presenter = env.presenter();
  for (const Sheet& sheet : presenter.shownSheets()) {
    if (sheet.action(kCancelAction) != nullptr) return printQuestion(env, sheet, yesAction);
  }
  const bool cancelled =
      !presenter.pressedActions().empty() && presenter.pressedActions().back() == kCancelAction;
  Output out(env.options().json);
  for (const Sheet& sheet : presenter.shownSheets()) {
    out.json()["sheet"] = sheetJson(sheet);
    out.text().sheet(sheet);
  }
  // Some operations leave the screen closing with only the count redrawn: show it afresh.
  Screen fresh(env.services(), screen.kelloID());
  fresh.viewDidLoad();
  screenJson(out.json(), fresh);
  out.text().line(cancelled ? "Nothing was changed." : std::string(done));
  wearFigures(out.text(), fresh);
  out.print(std::cout);
  return 0;
}

CLI::App* addIdArgument(CLI::App* command, DetailArguments& arguments) {
  return addWatchIdArgument(command, arguments.id);
}

void addAnswerOptions(CLI::App* command, DetailArguments& arguments, std::string_view yesAction) {
  auto* yes = command->add_flag("--yes", arguments.yes,
                                "Answer the question with " + std::string(yesAction));
  command
      ->add_option("--choose", arguments.choose,
                   "Answer the question with this action (its name or its title)")
      ->excludes(yes)
      ->check(utf8Text());
}

// Queues the command's answer, if it gave one; without, the question is only shown.
void queueAnswer(CliEnvironment& env, const DetailArguments& arguments,
                 std::string_view yesAction) {
  if (arguments.yes) env.presenter().answerNextSheet({std::string(yesAction), {}});
  if (!arguments.choose.empty()) env.presenter().answerNextSheet({arguments.choose, {}});
}

}  // namespace

void addDetailCommands(CLI::App& root, CommandAction& action) {
  auto arguments = std::make_shared<DetailArguments>();

  auto* show = addIdArgument(
      root.add_subcommand("show",
                          "Show a watch's detail screen: its lines, picture, status, wear figures "
                          "and every field.\n  tockary show 12\n  tockary show 12 --face 3"),
      *arguments);
  show->add_option("--face", arguments->face,
                   "Which picture face to show: 1 front, 2 back, 3 dimension diagram")
      ->check(CLI::Range(1, 3));
  auto* pictureOut =
      show->add_option("--picture-out", arguments->pictureOut,
                       "With --face 3: write the diagram with its texts as a PNG file")
          ->type_name("FILE");
  show->callback([&action, arguments, pictureOut] {
    action = [arguments, pictureOut](CliEnvironment& env) {
      std::optional<std::filesystem::path> target;
      if (pictureOut->count() > 0) {
        if (arguments->face != 3) {
          throw UsageError{"--picture-out draws the dimension diagram; add --face 3"};
        }
        target = outputFile("--picture-out", arguments->pictureOut, "diagram.png");
      }
      auto screen = openScreen(env, arguments->id);
      while (screen->kelloIsFaceUp() != arguments->face) screen->flipWatchPhoto();
      Output out(env.options().json);
      screenJson(out.json(), *screen);
      screenText(out.text(), *screen);
      if (target && screen->outputs().tekstiView) {
        writeDrawingPng(diagramFaceDrawing(*screen->outputs().tekstiView), *target, "the diagram");
        out.json()["pictureOut"] = target->string();
        out.text().line("Diagram written to " + target->string() + ".");
      }
      out.print(std::cout);
      return 0;
    };
  });

  auto* wear = addIdArgument(
      root.add_subcommand(
          "wear",
          "Log that a watch was worn today. Without --confirm, as the collection list's swipe "
          "action does (count, moment and history-log entries). With --confirm, as the detail "
          "screen's button does: prints its question, and with --yes logs the wear and shows any "
          "badge earned.\n"
          "  tockary wear 12\n  tockary wear 12 --confirm --yes"),
      *arguments);
  wear->add_flag("--confirm", arguments->confirm, "Use the detail screen's confirmed wear");
  addAnswerOptions(wear, *arguments, "confirmWear");
  wear->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      if (!arguments->confirm) {
        const std::shared_ptr<Kello> watch = watchById(env, arguments->id);
        const std::string notesBefore = watch->varasarake3().value_or("");
        requireWritten(quickLogWear(*watch, env.services()));
        const std::string notes = watch->varasarake3().value_or("");
        const auto lastWorn = watch->varasarake5();
        const std::string lastWornText =
            lastWorn ? env.formatters().shortDateMediumTime(*lastWorn) : std::string();
        Output out(env.options().json);
        out.json()["id"] = watch->objectID().text();
        // A whole number kept in a double: written as the whole number it is.
        out.json()["varasarake4"] = std::llround(watch->varasarake4());
        out.json()["varasarake5"] = lastWorn ? Json(lastWornText) : Json();
        out.json()["varasarake3"] = watch->varasarake3() ? Json(notes) : Json();
        PlainText& text = out.text();
        text.line("Worn today: " + watchLabel(*watch));
        text.field("Wear count", wholeNumberText(watch->varasarake4()));
        text.field("Last worn", lastWornText);
        if (notes.starts_with(notesBefore) && notes.size() > notesBefore.size()) {
          text.field("Added to the notes", notes.substr(notesBefore.size() + 1));
        }
        out.print(std::cout);
        return 0;
      }
      auto screen = openScreen(env, arguments->id);
      queueAnswer(env, *arguments, "confirmWear");
      screen->increaseTimesWornCounter();
      refuseUnansweredAction(env.presenter());
      requireWritten(screen->saveStatus());
      return printAnswered(env, *screen, "confirmWear", "Wear logged.");
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
        throw unknownValue("status", arguments->value, watchStatusNames());
      }
      auto screen = openScreen(env, arguments->id);
      screen->changeWatchStatus();
      screen->pickerViewDidSelectRow(row);
      screen->doneStatusPicker();
      requireWritten(screen->saveStatus());
      Output out(env.options().json);
      screenJson(out.json(), *screen);
      out.text().field(kStatusCaption, outlet(*screen, "statusTextField"));
      out.print(std::cout);
      return 0;
    };
  });

  auto* reset = addIdArgument(
      root.add_subcommand("reset",
                          "Reset a watch's wrist statistics (wear count and last-worn date). "
                          "Prints the question; --yes confirms.\n  tockary reset 12 --yes"),
      *arguments);
  addAnswerOptions(reset, *arguments, "resetWristStats");
  reset->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      auto screen = openScreen(env, arguments->id);
      queueAnswer(env, *arguments, "resetWristStats");
      screen->wearStatsReset();
      refuseUnansweredAction(env.presenter());
      requireWritten(screen->saveStatus());
      return printAnswered(env, *screen, "resetWristStats", "Wrist statistics reset.");
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
  adjust->add_flag("--yes", arguments->yes, "Submit the new wear count (submitNewWearCount)");
  adjust->callback([&action, arguments] {
    action = [arguments](CliEnvironment& env) {
      if (!Screen::typedWearCount(arguments->value)) {
        throw UsageError{"wear count \"" + arguments->value +
                         "\" refused: " + std::string(Screen::kWearCountRefused)};
      }
      auto screen = openScreen(env, arguments->id);
      env.presenter().answerNextSheet({"adjustWearCount", {}});
      if (arguments->yes) {
        env.presenter().answerNextSheet({"submitNewWearCount", {arguments->value}});
      }
      screen->wearStatsReset();
      refuseUnansweredAction(env.presenter());
      requireWritten(screen->saveStatus());
      return printAnswered(env, *screen, "submitNewWearCount", "Wear count adjusted.");
    };
  });
}

}  // namespace tockary::cli

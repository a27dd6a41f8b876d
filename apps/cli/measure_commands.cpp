// measure list, sort, start, end, show, delete, summary, instructions: the accuracy measurements
// driven from the command line. Start and end press the measurement screen's own buttons and
// answer its result alert, so the command line follows the same rules as the app.

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "accuracy/accuracy_summary.h"
#include "accuracy/accuracy_table_view_controller.h"
#include "accuracy/insert_accuracy_table_view_controller.h"
#include "commands.h"
#include "forms/field_input.h"
#include "output.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

using Screen = InsertAccuracyTableViewController;

// More presses than a day has minutes are a typing error rather than a watch that far off.
constexpr int kMaxAdjust = 1440;

void addIdArgument(CLI::App& command, std::string& id) {
  command.add_option("ID", id, "The measurement's id, as `tockary measure list` shows it: 3")
      ->required()
      ->check(utf8Text());
}

void addAdjustOption(CLI::App& command, int& adjust) {
  command
      .add_option("--adjust", adjust,
                  "Presses of \"+\" (a positive N) or \"-\" (a negative N) after the button, until "
                  "the time shown is your watch's: --adjust 2, --adjust -1")
      ->check(CLI::Range(-kMaxAdjust, kMaxAdjust));
}

std::unique_ptr<AccuracyTableViewController> openList(CliEnvironment& env) {
  auto list = std::make_unique<AccuracyTableViewController>(env.services());
  list->viewDidLoad();
  list->viewWillAppear();
  return list;
}

std::unique_ptr<Screen> openMeasurement(CliEnvironment& env, const std::string& id) {
  const auto record = recordById<Varataulu>(env, id, "measurement", "tockary measure list");
  auto screen = std::make_unique<Screen>(env.services());
  (void)screen->openStored(record->objectID());
  screen->viewDidLoad();
  return screen;
}

void adjust(Screen& screen, int presses) {
  for (int i = 0; i < presses; ++i) screen.increaseAccuracyMinute();
  for (int i = 0; i > presses; --i) screen.decreaseAccuracyMinute();
}

// The screen for scripts: its fields and every label, by outlet.
void screenJson(Json& json, const Screen& screen) {
  json["id"] = screen.mittausID().primaryKey;
  json["measurementStatus"] = screen.measurementStatus();
  for (const FieldDescriptor& field : Screen::formFields())
    json[std::string(field.outlet)] = screen.text(field.outlet);
  for (const AccuracyLabel& label : kAccuracyLabels)
    json[std::string(label.outlet)] = screen.outputs().*label.text;
}

// The screen as a person reads it: its fields, then every label that shows something.
void screenText(PlainText& text, const Screen& screen) {
  for (const FieldDescriptor& field : Screen::formFields())
    text.field(field.caption, screen.text(field.outlet));
  for (const AccuracyLabel& label : kAccuracyLabels) {
    const std::string& shown = screen.outputs().*label.text;
    if (!shown.empty()) text.field(label.caption, shown);
  }
}

void addListCommand(CLI::App& group, CommandAction& action) {
  auto* list = group.add_subcommand(
      "list",
      "Show the measurements as the measurement list shows them, in its order: each row's id, "
      "watch, environment, result (or how long it has run) and start date.\n"
      "  tockary measure list");
  list->callback([&action] {
    action = [](CliEnvironment& env) {
      auto screen = openList(env);
      Output out(env.options().json);
      out.json() = Json::array();
      const int rows = screen->numberOfRowsInSection(0);
      for (int row = 0; row < rows; ++row) {
        const auto cell = screen->cellForRowAt({0, row});
        if (!cell) continue;
        out.json().push_back({{"id", cell->mittausID.primaryKey},
                              {"mitattuKelloLabel", cell->mitattuKelloLabel},
                              {"mittausTapa", cell->mittausTapa},
                              {"tulosLabel", cell->tulosLabel},
                              {"mittausPVMLabel", cell->mittausPVMLabel},
                              {"mittauksenKestoLabel", cell->mittauksenKestoLabel}});
        std::string title =
            std::to_string(cell->mittausID.primaryKey) + "  " + cell->mitattuKelloLabel;
        if (!cell->mittausTapa.empty()) title += " (" + cell->mittausTapa + ")";
        out.text().line(title);
        out.text().indent(4);
        for (const std::string* text :
             {&cell->tulosLabel, &cell->mittauksenKestoLabel, &cell->mittausPVMLabel}) {
          if (!text->empty()) out.text().line(*text);
        }
        out.text().indent(-4);
      }
      if (rows == 0) out.text().line("No measurements.");
      out.print(std::cout);
      return 0;
    };
  });
}

struct StartArguments {
  std::string watch;
  std::string environment;
  int adjust = 0;
};

// A watch named by its bare id ("3") as `tockary list` prints it; the screen takes "Kello/3".
std::string watchValue(const std::string& value) {
  if (value.empty() || !std::ranges::all_of(value, [](char c) { return c >= '0' && c <= '9'; })) {
    return value;
  }
  return std::string(Kello::entityName()) + "/" + value;
}

void addStartCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "start",
      "Start a measurement: press the start button now (when your watch's second hand is at "
      "twelve), match the minute with --adjust and confirm. Without --watch the measurement names "
      "no watch. Prints the new measurement's id.\n"
      "  tockary measure start --watch \"Seiko SKX007\" --env \"On winder\" --adjust 1");
  auto args = std::make_shared<StartArguments>();
  for (const FieldDescriptor& field : Screen::formFields()) {
    std::string& value =
        field.outlet == "watchToMeasureTextField" ? args->watch : args->environment;
    const std::string help =
        field.choices.empty()
            ? std::string(field.caption) +
                  ": a watch label the watch wheel offers (unsold watches) or the id of an unsold "
                  "watch"
            : std::string(field.caption) + ": one of the wheel's texts";
    command
        ->add_option(
            "--" + std::string(field.option), value,
            help + ": --" + std::string(field.option) + " \"" + std::string(field.example) + "\"")
        ->check(utf8Text());
  }
  addAdjustOption(*command, args->adjust);
  command->callback([&action, args] {
    action = [args](CliEnvironment& env) {
      Screen screen(env.services());
      screen.openForInsert();
      screen.viewDidLoad();
      for (const FieldDescriptor& field : Screen::formFields()) {
        const bool isWatch = field.outlet == "watchToMeasureTextField";
        const std::string& given = isWatch ? args->watch : args->environment;
        if (given.empty()) continue;
        Status entered = screen.enterValue(field.outlet, isWatch ? watchValue(given) : given);
        // Refused under the name the user gave.
        if (!entered) entered = fieldRefusal(given, screen.acceptedValues(field.outlet));
        requireAccepted(entered, field.option);
      }
      (void)screen.startAccuracyMetering();
      adjust(screen, args->adjust);
      const Status stored = screen.startAccuracyMetering();
      return printSaved(env,
                        stored ? Result<ObjectID>(screen.mittausID()) : Result<ObjectID>(stored),
                        "Started", "measurement", "the measurement could not be stored");
    };
  });
}

struct EndArguments {
  std::string id;
  int adjust = 0;
  bool finish = false;
  bool keepRunning = false;
};

void addEndCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "end",
      "End a running measurement: press the end button now (when your watch's second hand is at "
      "twelve), match the minute with --adjust, confirm and show the result alert; --finish "
      "stores the result, --continue leaves the measurement running.\n"
      "  tockary measure end 3 --adjust -1 --finish");
  auto args = std::make_shared<EndArguments>();
  addIdArgument(*command, args->id);
  addAdjustOption(*command, args->adjust);
  auto* finish =
      command->add_flag("--finish", args->finish, "Finish the measurement and store its result");
  auto* keepRunning = command->add_flag("--continue", args->keepRunning,
                                        "Leave the measurement running, to end it again later");
  finish->excludes(keepRunning);
  command->callback([&action, args] {
    if (!args->finish && !args->keepRunning) {
      throw CLI::ValidationError("--finish or --continue", "one of them is required");
    }
    action = [args](CliEnvironment& env) {
      auto screen = openMeasurement(env, args->id);
      if (screen->measurementStatus() != Screen::kStateEndPressed) {
        throw UsageError{"measurement " + args->id +
                         " is not running; only a running measurement can be ended"};
      }
      (void)screen->startAccuracyMetering();
      adjust(*screen, args->adjust);
      const std::string_view answer =
          args->finish ? Screen::kFinishAction : Screen::kContinueAction;
      env.presenter().answerNextSheet({std::string(answer), {}});
      (void)screen->startAccuracyMetering();
      if (args->finish && env.presenter().refusal()) {
        // The alert offers no result to store (no phone time has passed): say so in its words.
        throw UsageError{"measurement " + args->id + " has no result to store yet: " +
                         screen->resultAlert().displayedMessage()};
      }
      refuseUnansweredAction(env.presenter());
      requireWritten(screen->saveStatus(), "the result could not be stored");
      // The alert was answered; its headline and message are the result.
      const Sheet alert = screen->resultAlert();
      Output out(env.options().json);
      out.text().line(alert.displayedTitle());
      out.text().line(alert.displayedMessage());
      out.json()["resultAlert"] = sheetJson(alert);
      screenJson(out.json(), *screen);
      out.json()["apuLoppuTulos"] = screen->apuLoppuTulos();
      out.json()["iPhoneSeconds"] = screen->iPhoneSeconds();
      out.json()["watchSeconds"] = screen->watchSeconds();
      out.json()["answer"] = answer;
      out.text().line(args->finish ? "Finished measurement " + args->id + "."
                                   : "Measurement " + args->id + " keeps running.");
      out.print(std::cout);
      return 0;
    };
  });
}

void addShowCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "show",
      "Show one measurement as its screen does when opened from the list: a finished one with its "
      "result, a running one ready for its end.\n  tockary measure show 3");
  auto id = std::make_shared<std::string>();
  addIdArgument(*command, *id);
  command->callback([&action, id] {
    action = [id](CliEnvironment& env) {
      auto screen = openMeasurement(env, *id);
      Output out(env.options().json);
      screenJson(out.json(), *screen);
      screenText(out.text(), *screen);
      out.print(std::cout);
      return 0;
    };
  });
}

void addDeleteCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "delete",
      "Delete a measurement at once, as the measurement list does without asking.\n"
      "  tockary measure delete 3");
  auto id = std::make_shared<std::string>();
  addIdArgument(*command, *id);
  command->callback([&action, id] {
    action = [id](CliEnvironment& env) {
      auto record = recordById<Varataulu>(env, *id, "measurement", "tockary measure list");
      const ObjectID objectId = record->objectID();
      const std::string watch = record->varaString1().value_or("");
      record.reset();
      auto list = openList(env);
      const auto path = list->indexPathOf(objectId);
      if (!path) throw UsageError{"unknown measurement id \"" + *id + "\""};
      list->commitEditingStyle(EditingStyle::Delete, *path);
      Output out(env.options().json);
      out.json()["deleted"] = objectId.primaryKey;
      out.text().line("Deleted measurement " + std::to_string(objectId.primaryKey) +
                      (watch.empty() ? "" : " (" + watch + ")") + ".");
      out.print(std::cout);
      return 0;
    };
  });
}

void addSummaryCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "summary",
      "Show each watch's accuracy over its finished measurements, as above the measurement list: "
      "how many, the mean rate and the lowest and highest.\n  tockary measure summary");
  command->callback([&action] {
    action = [](CliEnvironment& env) {
      const auto summary = accuracySummary(env.app().viewContext());
      Output out(env.options().json);
      out.json() = Json::array();
      for (const WatchAccuracy& watch : summary) {
        out.json().push_back({{"watch", watch.watch},
                              {"measurements", watch.measurements},
                              {"mean", watch.mean},
                              {"lowest", watch.lowest},
                              {"highest", watch.highest}});
        out.text().line(watch.text());
      }
      if (summary.empty()) out.text().line("No finished measurements.");
      out.print(std::cout);
      return 0;
    };
  });
}

void addInstructionsCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "instructions", "Show how to take a measurement.\n  tockary measure instructions");
  command->callback([&action] {
    action = [](CliEnvironment& env) {
      Screen screen(env.services());
      screen.ohje();
      const Sheet& sheet = env.presenter().shownSheets().at(0);
      Output out(env.options().json);
      out.json() = sheetJson(sheet);
      out.text().sheet(sheet);
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace

void addMeasureCommands(CLI::App& root, CommandAction& action) {
  auto* group = root.add_subcommand(
      "measure",
      "Accuracy measurements: list, sort, start, end, show, delete, summary, instructions.\n"
      "  tockary measure list");
  group->require_subcommand(1);
  addListCommand(*group, action);
  addSortCommand(
      *group, action,
      "Show the \"Order the measurements by:\" sheet, or choose one of its entries by its title "
      "or its name; the list keeps that order from then on.\n  tockary measure sort Accuracy",
      kMeasurementSortMenu, [](CliEnvironment& env) { openList(env)->orderRowsBy(); });
  addStartCommand(*group, action);
  addEndCommand(*group, action);
  addShowCommand(*group, action);
  addDeleteCommand(*group, action);
  addSummaryCommand(*group, action);
  addInstructionsCommand(*group, action);
}

}  // namespace tockary::cli

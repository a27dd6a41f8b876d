// add, edit, catalogues: the watch editor driven from the command line. The options are the
// form's own field descriptors, and every value goes through the form's controls and its save,
// so the command line follows the same rules as the app.

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "editor/insert_watch_table_view_controller.h"
#include "output.h"
#include "record_commands.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

using Screen = InsertWatchTableViewController;

std::string optionHelp(const FieldDescriptor& field) {
  std::string help = std::string(field.caption) + ", " + std::string(fieldKindName(field.kind));
  if (field.kind == FieldKind::Catalogue || field.kind == FieldKind::Wheel) {
    help += " (tockary catalogues " + std::string(field.option) + " lists its values)";
  }
  if (field.kind == FieldKind::Picture) help += " file, PNG or JPEG";
  if (field.kind == FieldKind::Date) help += ", ISO or the locale's short date; \"\" clears it";
  return help + ": --" + std::string(field.option) + " \"" + std::string(field.example) + "\"";
}

void choosePicture(CliEnvironment& env, Screen& screen, const FieldDescriptor& field,
                   const std::string& file, Bytes bytes) {
  const std::string option(field.option);
  env.presenter().givePicture(std::move(bytes));
  env.presenter().answerNextSheet({"photoGallery", {}});
  if (field.outlet == "cameraImageView") {
    screen.tapForPhoto();
  } else {
    screen.tapForPhotoBack();
  }
  refuseUnansweredAction(env.presenter());
  if (screen.pictureError()) {
    throw UsageError{"--" + option + " \"" + file + "\": " + *screen.pictureError() +
                     "; accepted: a complete PNG or JPEG picture"};
  }
}

// Fills the form as a user would; the first value it refuses stops everything before the save.
void fillForm(CliEnvironment& env, Screen& screen, const FormOptions& options,
              ChosenPictures pictures) {
  // Notes first: the sold date's history line is appended to them.
  for (const auto& given : options.fields) {
    if (given.option->count() > 0 && given.field->kind == FieldKind::Notes) {
      screen.enterNotes(*given.value);
    }
  }
  for (const auto& given : options.fields) {
    if (given.option->count() == 0) continue;
    const FieldDescriptor& field = *given.field;
    if (field.kind == FieldKind::Notes) continue;
    if (field.kind == FieldKind::Picture) {
      choosePicture(env, screen, field, *given.value, std::move(pictures.at(field.outlet)));
      continue;
    }
    requireAccepted(screen.enterValue(field.outlet, *given.value), field.option);
  }
}

int saveAndPrint(CliEnvironment& env, Screen& screen, std::string_view done) {
  return printSaved(env, screen.saveWatchDetails(), done, "watch", "the watch could not be saved");
}

void addAddCommand(CLI::App& root, CommandAction& action) {
  auto* add = root.add_subcommand(
      "add",
      "Add a watch through the editor form. Options left out stay empty; the pictures default to "
      "the placeholders. Prints the new watch's id.\n  tockary add --brand Seiko --model SKX007 "
      "--year 1998 --movement-type Automatic --caliber 7S26 --reserve-hours 40 --vph 21600");
  auto options = addFormOptions(*add, Screen::formFields(), optionHelp);
  add->callback([&action, options] {
    action = [options](CliEnvironment& env) {
      ChosenPictures pictures = readPictures(*options);
      Screen screen(env.services());
      screen.openForInsert();
      screen.viewDidLoad();
      fillForm(env, screen, *options, std::move(pictures));
      return saveAndPrint(env, screen, "Added");
    };
  });
}

void addEditCommand(CLI::App& root, CommandAction& action) {
  auto* edit = root.add_subcommand(
      "edit",
      "Edit a watch through the editor form, starting from its current values: options left out "
      "keep theirs. Status, wear count and last-worn date are not changed.\n  tockary edit 12 "
      "--sold-to \"A collector\" --sold-date 2025-01-31 --sold-price 900");
  auto id = std::make_shared<std::string>();
  edit->add_option("ID", *id, "The watch's id, as `tockary list` shows it: 12")
      ->required()
      ->check(utf8Text());
  auto options = addFormOptions(*edit, Screen::formFields(), optionHelp);
  edit->callback([&action, id, options] {
    action = [id, options](CliEnvironment& env) {
      ChosenPictures pictures = readPictures(*options);
      const auto watch = watchById(env, *id);
      Screen screen(env.services());
      screen.openForEdit(editRequestFor(*watch));
      screen.viewDidLoad();
      fillForm(env, screen, *options, std::move(pictures));
      return saveAndPrint(env, screen, "Saved");
    };
  });
}

// The fields that pick from a wheel, one per wheel (the six complications share theirs).
std::vector<std::vector<const FieldDescriptor*>> wheelFields() {
  std::vector<std::vector<const FieldDescriptor*>> groups;
  for (const FieldDescriptor& field : Screen::formFields()) {
    if (field.picker.empty()) continue;
    bool shared = false;
    for (auto& group : groups) {
      if (group.front()->picker == field.picker) {
        group.push_back(&field);
        shared = true;
      }
    }
    if (!shared) groups.push_back({&field});
  }
  return groups;
}

void addCataloguesCommand(CLI::App& root, CommandAction& action) {
  std::string names;
  for (const auto& group : wheelFields()) {
    names += names.empty() ? "" : ", ";
    names += group.front()->option;
  }
  auto* catalogues = root.add_subcommand(
      "catalogues",
      "Print what the editor's wheels offer: each field's catalogue one value a line (trailing "
      "blanks are part of a value), or the range a number or measure wheel covers; or only the "
      "named field's.\n  tockary catalogues glass");
  auto name = std::make_shared<std::string>();
  catalogues->add_option("NAME", *name, "A field's option name: " + names)->check(utf8Text());
  catalogues->callback([&action, name, names] {
    action = [name, names](CliEnvironment& env) {
      Screen screen(env.services());
      screen.openForInsert();
      screen.viewDidLoad();
      Output out(env.options().json);
      bool found = false;
      for (const auto& group : wheelFields()) {
        const FieldDescriptor& field = *group.front();
        std::string options;
        bool named = name->empty();
        for (const FieldDescriptor* member : group) {
          options += (options.empty() ? "--" : ", --") + std::string(member->option);
          named = named || *name == member->option;
        }
        if (!named) continue;
        found = true;
        Json columns = Json::array();
        for (int column = 0; column < screen.numberOfComponents(field.picker); ++column) {
          Json values = Json::array();
          for (int row = 0; row < screen.numberOfRows(field.picker, column); ++row) {
            values.push_back(screen.titleForRow(field.picker, row, column));
          }
          columns.push_back(values);
        }
        out.json()[std::string(field.option)] = columns.size() == 1 ? columns[0] : columns;
        PlainText& text = out.text();
        text.line(std::string(field.caption) + " (" + options + "):");
        text.indent(2);
        if (field.kind == FieldKind::Catalogue) {
          for (const auto& value : columns[0]) text.line(value.get<std::string>());
        } else {
          text.line(screen.acceptedValues(field.outlet));
        }
        text.indent(-2);
      }
      if (!found) throw UsageError{"unknown catalogue \"" + *name + "\"; accepted: " + names};
      out.print(std::cout);
      return 0;
    };
  });
}

}  // namespace

void addEditorCommands(CLI::App& root, CommandAction& action) {
  addAddCommand(root, action);
  addEditCommand(root, action);
  addCataloguesCommand(root, action);
}

}  // namespace tockary::cli

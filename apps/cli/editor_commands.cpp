// add, edit, catalogues: the watch editor driven from the command line. Every value goes through
// the form's own controls and its save, so the command line follows the same rules as the app.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "editor/insert_watch_table_view_controller.h"
#include "output.h"
#include "platform/outside_file.h"
#include "screen_output.h"

namespace tockary::cli {

namespace {

using Screen = InsertWatchTableViewController;

struct FieldOption {
  const char* name;
  FormTextField Screen::*field;
  const char* help;
};

// Named after the export's columns; in the form's order.
const FieldOption kFieldOptions[] = {
    {"brand", &Screen::manufacturerTextField, "Brand, free text: --brand Seiko"},
    {"model", &Screen::modelTextField, "Model, free text: --model \"SKX007\""},
    {"year", &Screen::yearTextField,
     "Model year from the year wheel, 1800 to this year: --year 1998"},
    {"reference", &Screen::refTextField, "Reference number, free text: --reference 7S26-0020"},
    {"serial-number", &Screen::serialNumberTextField,
     "Serial number, free text: --serial-number 123456"},
    {"movement-type", &Screen::movementTypeTextField,
     "Movement type from its catalogue (tockary catalogues movement-type): --movement-type "
     "Automatic"},
    {"caliber", &Screen::movementTextField, "Movement (calibre) name, free text: --caliber 7S26"},
    {"reserve-hours", &Screen::powerResTextField,
     "Power reserve in hours, 0 to 479: --reserve-hours 40"},
    {"vph", &Screen::bphTextField,
     "Beat rate from its catalogue (tockary catalogues vph): --vph 21600"},
    {"diameter", &Screen::caseDiameterTextField,
     "Case diameter in mm, 1 to 100 with an optional fraction 0 to 99: --diameter 40.5"},
    {"case-material", &Screen::caseMaterialTextField,
     "Case material from its catalogue: --case-material \"Stainless Steel\""},
    {"thickness", &Screen::thicknessTextField,
     "Case thickness in mm, as --diameter: --thickness 13"},
    {"lug-width", &Screen::lugWidthTextField, "Lug width in mm, 0 to 99: --lug-width 22"},
    {"lug-to-lug", &Screen::lugToLugTextField,
     "Lug-to-lug in mm, as --diameter: --lug-to-lug 46.5"},
    {"bezel-material", &Screen::bezelMaterialTextField,
     "Bezel material from its catalogue: --bezel-material Aluminium"},
    {"glass", &Screen::glassTextField,
     "Crystal from its catalogue, blanks included: --glass \"Sapphire Crystal\""},
    {"water-resistance", &Screen::waterProofTextField,
     "Water resistance from its catalogue: --water-resistance \"20 ATM\""},
    {"dial-color", &Screen::dialColorTextField,
     "Dial colour from its catalogue: --dial-color Black"},
    {"crown-type", &Screen::crownTypeTextField,
     "Crown type from its catalogue: --crown-type Screw-Down"},
    {"comp1", &Screen::complication1TextField,
     "Complication 1 from the complication catalogue: --comp1 Date"},
    {"comp2", &Screen::complication2TextField, "Complication 2: --comp2 Day"},
    {"comp3", &Screen::complication3TextField, "Complication 3: --comp3 GMT"},
    {"comp4", &Screen::complication4TextField, "Complication 4: --comp4 Chronograph"},
    {"comp5", &Screen::complication5TextField, "Complication 5: --comp5 \"Small Seconds\""},
    {"comp6", &Screen::complication6TextField, "Complication 6: --comp6 Moonphase"},
    {"purchased-from", &Screen::purchasedFromTextField,
     "Where the watch was bought, free text: --purchased-from \"Watch fair\""},
    {"purchase-price", &Screen::priceTextField,
     "Purchase price, a bare number with . or , as decimal sign: --purchase-price 1200,50"},
    {"sold-to", &Screen::soldToTextField,
     "Buyer; a watch with a buyer is sold, \"\" makes it unsold: --sold-to \"A collector\""},
    {"sold-price", &Screen::soldPriceTextField,
     "Sale price, as --purchase-price: --sold-price 900"},
    {"purchase-date", &Screen::purchaseDateTextField,
     "Purchase date, 2024-05-17 or the locale's short date; \"\" clears it: --purchase-date "
     "2024-05-17"},
    {"sold-date", &Screen::soldDateTextField,
     "Sale date, as --purchase-date; writes the \"marked sold\" history line when the history log "
     "is on: --sold-date 2025-01-31"},
    {"warranty-end-date", &Screen::warrantyEndDateTexField,
     "End of the watch's warranty, as --purchase-date: --warranty-end-date 2027-05-17"},
    {"set-completeness", &Screen::setCompletenessTextField,
     "Set completeness from its catalogue: --set-completeness \"Full Set\""},
};

// What one add or edit was given.
struct FormOptions {
  struct Given {
    const FieldOption* option;
    CLI::Option* cli;
    std::shared_ptr<std::string> value;
  };
  std::vector<Given> fields;
  CLI::Option* notesOption = nullptr;
  std::shared_ptr<std::string> notes = std::make_shared<std::string>();
  std::shared_ptr<std::string> frontPicture = std::make_shared<std::string>();
  std::shared_ptr<std::string> backPicture = std::make_shared<std::string>();
  CLI::Option* frontOption = nullptr;
  CLI::Option* backOption = nullptr;
};

std::shared_ptr<FormOptions> addFormOptions(CLI::App& command) {
  auto options = std::make_shared<FormOptions>();
  for (const auto& option : kFieldOptions) {
    auto value = std::make_shared<std::string>();
    auto* cli =
        command.add_option(std::string("--") + option.name, *value, option.help)->check(utf8Text());
    options->fields.push_back({&option, cli, value});
  }
  options->notesOption =
      command
          .add_option(
              "--notes", *options->notes,
              "The whole notes text, history lines included (\\n in a shell: $'line 1\\nline 2'): "
              "--notes \"Bought on holiday\"")
          ->check(utf8Text());
  options->frontOption = command.add_option(
      "--front-picture", *options->frontPicture,
      "PNG or JPEG of the dial side, cropped to a centred square: --front-picture front.jpg");
  options->backOption = command.add_option("--back-picture", *options->backPicture,
                                           "PNG or JPEG of the case back: --back-picture back.png");
  return options;
}

// The picture files given, read before the store opens, so that a refused one leaves nothing
// behind.
struct ChosenPictures {
  std::optional<Bytes> front;
  std::optional<Bytes> back;
};

Bytes readPicture(const std::string& option, const std::string& file) {
  auto read = readOutsideFile(file, kPictureFileLimit);
  if (!read) {
    throw UsageError{"--" + option + " \"" + file + "\" " + read.status().description() +
                     "; accepted: a regular file holding a PNG or JPEG picture"};
  }
  return std::move(read).value();
}

ChosenPictures readPictures(const FormOptions& options) {
  ChosenPictures pictures;
  if (options.frontOption->count() > 0) {
    pictures.front = readPicture("front-picture", *options.frontPicture);
  }
  if (options.backOption->count() > 0) {
    pictures.back = readPicture("back-picture", *options.backPicture);
  }
  return pictures;
}

void choosePicture(CliEnvironment& env, Screen& screen, bool front, const std::string& file,
                   Bytes bytes) {
  const std::string option = front ? "front-picture" : "back-picture";
  if (front) {
    screen.tapForPhoto();
  } else {
    screen.tapForPhotoBack();
  }
  (void)env.presenter().pressOnLastSheet("Photo Gallery");
  (void)env.presenter().answerImagePick(std::move(bytes));
  if (screen.pictureError) {
    throw UsageError{"--" + option + " \"" + file + "\": " + *screen.pictureError +
                     "; accepted: a complete PNG or JPEG picture"};
  }
}

// Fills the form as a user would; the first value it refuses stops everything before the save.
void fillForm(CliEnvironment& env, Screen& screen, const FormOptions& options,
              ChosenPictures pictures) {
  // Notes first: the sold date's history line is appended to them.
  if (options.notesOption->count() > 0) screen.enterNotes(*options.notes);
  for (const auto& given : options.fields) {
    if (given.cli->count() == 0) continue;
    const Status entered = screen.enterValue(screen.*(given.option->field), *given.value);
    if (!entered)
      throw UsageError{std::string("--") + given.option->name + " " + entered.description()};
  }
  if (pictures.front) {
    choosePicture(env, screen, true, *options.frontPicture, std::move(*pictures.front));
  }
  if (pictures.back) {
    choosePicture(env, screen, false, *options.backPicture, std::move(*pictures.back));
  }
}

int saveAndPrint(CliEnvironment& env, Screen& screen) {
  screen.saveWatchDetails();
  requireWritten(screen.saveStatus(), "the watch could not be saved");
  Output out(env.options().json);
  out.field("id", screen.savedWatch()->objectID().primaryKey);
  out.print(std::cout);
  return 0;
}

void addAddCommand(CLI::App& root, CommandAction& action) {
  auto* add = root.add_subcommand(
      "add",
      "Add a watch through the editor form. Options left out stay empty; the pictures default to "
      "the placeholders. Prints the new watch's id.\n  tockary add --brand Seiko --model SKX007 "
      "--year 1998 --movement-type Automatic --caliber 7S26 --reserve-hours 40 --vph 21600");
  auto options = addFormOptions(*add);
  add->callback([&action, options] {
    action = [options](CliEnvironment& env) {
      ChosenPictures pictures = readPictures(*options);
      Screen screen(env.services());
      screen.tempInsertUusiKello = true;
      screen.viewDidLoad();
      fillForm(env, screen, *options, std::move(pictures));
      return saveAndPrint(env, screen);
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
  auto options = addFormOptions(*edit);
  edit->callback([&action, id, options] {
    action = [id, options](CliEnvironment& env) {
      ChosenPictures pictures = readPictures(*options);
      const auto watch = watchById(env, *id);
      Screen screen(env.services());
      screen.editingWatch = true;
      screen.kelloID = watch->objectID();
      screen.tempTitleMuutos = "Edit Watch Details";
      screen.handOver = handOverFrom(*watch);
      screen.viewDidLoad();
      fillForm(env, screen, *options, std::move(pictures));
      return saveAndPrint(env, screen);
    };
  });
}

void addCataloguesCommand(CLI::App& root, CommandAction& action) {
  auto* catalogues = root.add_subcommand(
      "catalogues",
      "Print the lists the editor's pickers offer, one value a line after the list's name "
      "(trailing blanks are part of a value), or only the named list.\n  tockary catalogues "
      "glass");
  auto name = std::make_shared<std::string>();
  catalogues
      ->add_option("NAME", *name,
                   "movement-type, vph, case-material, bezel-material, glass, "
                   "water-resistance, dial-color, crown-type, set-completeness, "
                   "complication, year, reserve-hours, lug-width, millimetres, fraction")
      ->check(utf8Text());
  catalogues->callback([&action, name] {
    action = [name](CliEnvironment& env) {
      Screen screen(env.services());
      screen.tempInsertUusiKello = true;
      screen.viewDidLoad();
      struct Listed {
        const char* name;
        const PickerView* picker;
        int column;
      };
      const Listed lists[] = {
          {"movement-type", &screen.movementTypePicker, 0},
          {"vph", &screen.bphPicker, 0},
          {"case-material", &screen.caseMaterialPicker, 0},
          {"bezel-material", &screen.bezelMaterialPicker, 0},
          {"glass", &screen.glassPicker, 0},
          {"water-resistance", &screen.waterProofPicker, 0},
          {"dial-color", &screen.dialColorPicker, 0},
          {"crown-type", &screen.crownTypePicker, 0},
          {"set-completeness", &screen.setCompletenessPicker, 0},
          {"complication", &screen.complicationPicker, 0},
          {"year", &screen.yearPicker, 0},
          {"reserve-hours", &screen.powerPicker, 0},
          {"lug-width", &screen.lugWidthPicker, 0},
          {"millimetres", &screen.leveysPicker, 0},
          {"fraction", &screen.leveysPicker, 2},
      };
      Output out(env.options().json);
      bool found = false;
      std::string names;
      for (const auto& list : lists) {
        names += names.empty() ? list.name : std::string(", ") + list.name;
        if (!name->empty() && *name != list.name) continue;
        found = true;
        Json values = Json::array();
        for (int row = 0; row < screen.numberOfRows(*list.picker, list.column); ++row)
          values.push_back(screen.titleForRow(*list.picker, row, list.column));
        out.field(list.name, values);
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

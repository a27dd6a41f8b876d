// warranty list, show, add, edit, delete, share: the warranty cards driven from the command line.
// The options are the warranty form's own field descriptors, every value goes through the form's
// controls and its save, and share runs the detail screen's share action, so the command line
// follows the same rules as the app.

#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "commands.h"
#include "output.h"
#include "platform/outside_file.h"
#include "record_commands.h"
#include "screen_output.h"
#include "service/insert_warranty_table_view_controller.h"
#include "service/my_warranties_table_view_controller.h"
#include "service/tarkastele_takuuta_table_view_controller.h"
#include "service/warranty_form.h"

namespace tockary::cli {

namespace {

using Editor = InsertWarrantyTableViewController;
using Detail = TarkasteleTakuutaTableViewController;

constexpr RecordKind kWarranty{"warranty", "warranty card", "Takuu"};

// The picture is picked from the "gallery" as the app's user does, so it is decoded and refused
// by the form's own rules.
void choosePicture(CliEnvironment& env, Editor& editor, const FieldDescriptor& field,
                   const std::string& file, Bytes bytes) {
  env.presenter().givePicture(std::move(bytes));
  env.presenter().answerNextSheet({"photoGallery", {}});
  editor.touchForPhoto();
  refuseUnansweredAction(env.presenter());
  if (editor.pictureError()) {
    throw UsageError{"--" + std::string(field.option) + " \"" + file + "\": " +
                     *editor.pictureError() + "; accepted: a complete PNG or JPEG picture"};
  }
}

// Every given value goes through its control before anything is saved: the first refused one
// stops the command with nothing written.
void fillForm(CliEnvironment& env, Editor& editor, const FormOptions& options,
              ChosenPictures pictures) {
  for (const auto& given : options.fields) {
    if (given.option->count() == 0) continue;
    const FieldDescriptor& field = *given.field;
    if (field.kind == FieldKind::Picture) {
      choosePicture(env, editor, field, *given.value, std::move(pictures.at(field.outlet)));
      continue;
    }
    const std::string value = watchValue(env, editor.kelloPickerData(), *given.value);
    requireAccepted(editor.enterValue(field.outlet, value), field.option);
  }
}

int saveAndPrint(CliEnvironment& env, Editor& editor, std::string_view done) {
  return printSaved(env, editor.saveNewWarranty(), done, kWarranty.noun,
                    "the warranty card could not be saved");
}

std::string_view captionOf(std::string_view option) {
  return findField(warrantyFormFields(), option)->caption;
}

void addListCommand(CLI::App& group, CommandAction& action) {
  auto* list = group.add_subcommand(
      "list",
      "Show the warranty cards as the warranties list shows them, by watch label: each row's id "
      "and watch.\n  tockary warranty list");
  list->callback([&action] {
    action = [](CliEnvironment& env) {
      MyWarrantiesTableViewController screen(env.services());
      screen.viewDidLoad();
      screen.viewWillAppear();
      std::vector<ListedRow> rows;
      for (MyWarrantiesTableViewCell& row : screen.allRows())
        rows.push_back({row.takuuID.primaryKey, std::move(row.textLabel), std::nullopt});
      return printRecordList(env, rows, "No warranty cards.");
    };
  });
}

void addShowCommand(CLI::App& group, CommandAction& action) {
  auto* show = group.add_subcommand(
      "show",
      "Show one warranty card as its detail screen does: the watch, and the picture's size "
      "(--json: its byte count and the handle the app reads it by).\n  tockary warranty show 1");
  addRecordCommand(*show, kWarranty, action, [](CliEnvironment& env, const std::string& id) {
    const auto card = recordById<Takuu>(env, kWarranty, id);
    Detail screen(env.services(), card->objectID());
    screen.viewDidLoad();
    Output out(env.options().json);
    const PictureHandle picture = screen.warrantyCardPicture();
    out.json()["id"] = card->objectID().primaryKey;
    out.json()["brandAndModelLabel"] = screen.brandAndModelLabel();
    out.json()["warrantyCardScrollView"] = {
        {"bytes", screen.warrantyCardByteCount()},
        {"picture", picture.isEmpty() ? Json() : Json(picture.token())}};
    out.text().field(captionOf("watch"), screen.brandAndModelLabel());
    out.text().field(captionOf("picture"), screen.warrantyCardText());
    out.print(std::cout);
    return 0;
  });
}

void addAddCommand(CLI::App& group, CommandAction& action) {
  auto* add = group.add_subcommand(
      "add",
      "Add a warranty card through the editor form. Without --watch the card names no watch; "
      "without --picture it gets the app's \"no picture\" card. Prints the new card's id.\n  "
      "tockary warranty add --watch \"Omega Speedmaster\" --picture card.jpg");
  auto options = addFormOptions(*add, Editor::formFields());
  add->callback([&action, options] {
    action = [options](CliEnvironment& env) {
      auto pictures = readPictures(*options);
      Editor editor(env.services());
      editor.openForInsert();
      editor.viewDidLoad();
      fillForm(env, editor, *options, std::move(pictures));
      return saveAndPrint(env, editor, "Added");
    };
  });
}

void addEditCommand(CLI::App& group, CommandAction& action) {
  auto* edit = group.add_subcommand(
      "edit",
      "Edit a warranty card through the editor form: options left out keep their values, and the "
      "stored picture stays unless --picture replaces it.\n  tockary warranty edit 1 --watch "
      "\"Omega Speedmaster\" --picture new-card.png");
  auto options = addFormOptions(*edit, Editor::formFields());
  addRecordCommand(*edit, kWarranty, action, [options](CliEnvironment& env, const std::string& id) {
    auto pictures = readPictures(*options);
    const auto card = recordById<Takuu>(env, kWarranty, id);
    Editor editor(env.services());
    editor.openForEdit(card->objectID(), std::string(Detail::kEditTitle));
    editor.viewDidLoad();
    fillForm(env, editor, *options, std::move(pictures));
    return saveAndPrint(env, editor, "Saved");
  });
}

void addDeleteCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "delete",
      "Delete a warranty card. The warranties list asks no question before it deletes, so "
      "without --yes nothing is deleted.\n  tockary warranty delete 1 --yes");
  auto yes = std::make_shared<bool>(false);
  command->add_flag("--yes", *yes, "Delete the card");
  addRecordCommand(*command, kWarranty, action, [yes](CliEnvironment& env, const std::string& id) {
    auto card = recordById<Takuu>(env, kWarranty, id);
    const std::string title = card->takuunKello().value_or("");
    MyWarrantiesTableViewController list(env.services());
    return deleteRecord(env, kWarranty, list, std::move(card), title, *yes);
  });
}

void addShareCommand(CLI::App& group, CommandAction& action) {
  auto* share = group.add_subcommand(
      "share",
      "Share a warranty card as its detail screen does: the card's picture as PNG, written to "
      "FILE, then its watch label. Lists the shared items in order.\n  tockary warranty share 1 "
      "-o card.png");
  auto file = std::make_shared<std::string>();
  share->add_option("-o,--output", *file, "Where the picture is written")
      ->required()
      ->type_name("FILE");
  addRecordCommand(*share, kWarranty, action, [file](CliEnvironment& env, const std::string& id) {
    // The file is looked at first: a folder or a missing folder stops before anything is done.
    outputFile("-o", *file);
    const auto card = recordById<Takuu>(env, kWarranty, id);
    Detail screen(env.services(), card->objectID());
    screen.viewDidLoad();
    screen.shareWarranty();
    const auto& requests = env.presenter().sharedRequests();
    if (requests.empty()) {
      std::cerr << "tockary: warranty card " << card->objectID().primaryKey
                << " has no picture to share\n";
      return 1;
    }
    Output out(env.options().json);
    out.json()["id"] = card->objectID().primaryKey;
    printSharedItems(out, requests.back(),
                     [&](const ShareItem::Data&) { return std::filesystem::path(*file); });
    out.print(std::cout);
    return 0;
  });
}

}  // namespace

void addWarrantyCommands(CLI::App& root, CommandAction& action) {
  auto* group = root.add_subcommand(
      "warranty",
      "The warranty cards: list, show, add, edit, delete, share.\n  tockary warranty list");
  group->require_subcommand(1);
  addListCommand(*group, action);
  addShowCommand(*group, action);
  addAddCommand(*group, action);
  addEditCommand(*group, action);
  addDeleteCommand(*group, action);
  addShareCommand(*group, action);
}

}  // namespace tockary::cli

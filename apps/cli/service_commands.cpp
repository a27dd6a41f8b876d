// service list, show, add, edit, delete: the service records driven from the command line. The
// options are the service form's own field descriptors, and every value goes through the form's
// controls and its save, so the command line follows the same rules as the app.

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "output.h"
#include "record_commands.h"
#include "screen_output.h"
#include "service/insert_service_table_view_controller.h"
#include "service/my_services_table_view_controller.h"
#include "service/service_form.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"

namespace tockary::cli {

namespace {

using Editor = InsertServiceTableViewController;

constexpr RecordKind kService{"service", "service record", "Huolto"};

// Every given value goes through its control before anything is saved: the first refused one
// stops the command with nothing written.
void fillForm(CliEnvironment& env, Editor& editor, const FormOptions& options) {
  for (const auto& given : options.fields) {
    if (given.option->count() == 0) continue;
    const FieldDescriptor& field = *given.field;
    const std::string value = field.kind == FieldKind::Catalogue
                                  ? watchValue(env, editor.kelloPickerData(), *given.value)
                                  : *given.value;
    requireAccepted(editor.enterValue(field.outlet, value), field.option);
  }
}

int saveAndPrint(CliEnvironment& env, Editor& editor, std::string_view done) {
  return printSaved(env, editor.saveNewService(), done, "service record",
                    "the service record could not be saved");
}

void addListCommand(CLI::App& group, CommandAction& action) {
  auto* list = group.add_subcommand(
      "list",
      "Show the service records as the services list shows them, by watch label: each row's id, "
      "title (watch and service centre) and dates.\n  tockary service list");
  list->callback([&action] {
    action = [](CliEnvironment& env) {
      MyServicesTableViewController screen(env.services());
      screen.viewDidLoad();
      screen.viewWillAppear();
      std::vector<ListedRow> rows;
      for (MyServicesTableViewCell& row : screen.allRows()) {
        rows.push_back(
            {row.huoltoID.primaryKey, std::move(row.textLabel), std::move(row.detailTextLabel)});
      }
      return printRecordList(env, rows, "No service records.");
    };
  });
}

void addShowCommand(CLI::App& group, CommandAction& action) {
  auto* show = group.add_subcommand(
      "show",
      "Show one service record as its detail screen does, a caption and its value a line; "
      "\"-----\" stands for an absent value.\n  tockary service show 3");
  addRecordCommand(*show, kService, action, [](CliEnvironment& env, const std::string& id) {
    const auto service = recordById<Huolto>(env, kService, id);
    TarkasteleHuoltoaTableViewController screen(env.services(), service->objectID());
    screen.viewDidLoad();
    Output out(env.options().json);
    out.json()["id"] = service->objectID().primaryKey;
    const auto shown = screen.captionedOutputs();
    for (const auto& [caption, text] : shown) {
      const auto field = std::ranges::find(serviceFormFields(), caption,
                                           [](const FieldDescriptor& f) { return f.caption; });
      out.json()[std::string(field->option)] = *text;
      // An empty description shows nothing on the screen; here it is left out.
      if (!text->empty()) out.text().field(caption, *text);
    }
    out.print(std::cout);
    return 0;
  });
}

void addAddCommand(CLI::App& group, CommandAction& action) {
  auto* add = group.add_subcommand(
      "add",
      "Add a service record through the editor form. Options left out stay empty; without "
      "--watch the record names no watch. Prints the new record's id.\n  tockary service add "
      "--watch \"Seiko SKX007\" --service-centre \"Watchmaker Oy\" --start-date 2024-05-17 "
      "--cost 250.50");
  auto options = addFormOptions(*add, Editor::formFields());
  add->callback([&action, options] {
    action = [options](CliEnvironment& env) {
      Editor editor(env.services());
      editor.openForInsert();
      editor.viewDidLoad();
      fillForm(env, editor, *options);
      return saveAndPrint(env, editor, "Added");
    };
  });
}

void addEditCommand(CLI::App& group, CommandAction& action) {
  auto* edit = group.add_subcommand(
      "edit",
      "Edit a service record through the editor form, starting from its current values: options "
      "left out keep theirs.\n  tockary service edit 3 --return-date 2024-06-01 --watch \"\"");
  auto options = addFormOptions(*edit, Editor::formFields());
  addRecordCommand(*edit, kService, action, [options](CliEnvironment& env, const std::string& id) {
    const auto service = recordById<Huolto>(env, kService, id);
    Editor editor(env.services());
    editor.openForEdit(service->objectID(),
                       std::string(TarkasteleHuoltoaTableViewController::kEditTitle));
    editor.viewDidLoad();
    fillForm(env, editor, *options);
    return saveAndPrint(env, editor, "Saved");
  });
}

void addDeleteCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "delete",
      "Delete a service record. The services list asks no question before it deletes, so "
      "without --yes nothing is deleted.\n  tockary service delete 3 --yes");
  auto yes = std::make_shared<bool>(false);
  command->add_flag("--yes", *yes, "Delete the record");
  addRecordCommand(*command, kService, action, [yes](CliEnvironment& env, const std::string& id) {
    auto service = recordById<Huolto>(env, kService, id);
    const std::string title = serviceRowTitle(*service);
    MyServicesTableViewController list(env.services());
    return deleteRecord(env, kService, list, std::move(service), title, *yes);
  });
}

}  // namespace

void addServiceCommands(CLI::App& root, CommandAction& action) {
  auto* group = root.add_subcommand(
      "service", "The service records: list, show, add, edit, delete.\n  tockary service list");
  group->require_subcommand(1);
  addListCommand(*group, action);
  addShowCommand(*group, action);
  addAddCommand(*group, action);
  addEditCommand(*group, action);
  addDeleteCommand(*group, action);
}

}  // namespace tockary::cli

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
#include "screen_output.h"
#include "service/insert_service_table_view_controller.h"
#include "service/my_services_table_view_controller.h"
#include "service/service_form.h"
#include "service/tarkastele_huoltoa_table_view_controller.h"

namespace tockary::cli {

namespace {

using Editor = InsertServiceTableViewController;

std::shared_ptr<Huolto> serviceById(CliEnvironment& env, const std::string& id) {
  return recordById<Huolto>(env, id, "service", "tockary service list");
}

void addIdArgument(CLI::App& command, std::string& id) {
  command.add_option("ID", id, "The service record's id, as `tockary service list` shows it: 3")
      ->required()
      ->check(utf8Text());
}

std::string optionHelp(const FieldDescriptor& field) {
  std::string help = std::string(field.caption);
  if (field.kind == FieldKind::Catalogue) {
    help += ": a watch label as `tockary list` shows it, or a watch's id; \"\" for none";
  } else if (field.kind == FieldKind::Date) {
    help += ", a date, ISO or the locale's short date; \"\" clears it";
  } else if (field.kind == FieldKind::Number) {
    help += ", a number without a currency sign";
  }
  return help + ": --" + std::string(field.option) + " \"" + std::string(field.example) + "\"";
}

// The value of each form field named on the command line.
struct FormOptions {
  struct Given {
    const FieldDescriptor* field;
    CLI::Option* option;
    std::shared_ptr<std::string> value;
  };
  std::vector<Given> fields;
};

std::shared_ptr<FormOptions> addFormOptions(CLI::App& command) {
  auto options = std::make_shared<FormOptions>();
  for (const FieldDescriptor& field : Editor::formFields()) {
    auto value = std::make_shared<std::string>();
    auto* option = command.add_option("--" + std::string(field.option), *value, optionHelp(field));
    option->check(utf8Text());
    options->fields.push_back({&field, option, value});
  }
  return options;
}

// A watch named by its bare id ("3") as `tockary list` prints it; the form itself takes "Kello/3".
std::string watchValue(CliEnvironment& env, const Editor& editor, const std::string& value) {
  if (value.empty() ||
      std::ranges::find(editor.kelloPickerData(), value) != editor.kelloPickerData().end()) {
    return value;
  }
  const std::string full = std::string(Kello::entityName()) + "/" + value;
  const auto id = ObjectID::fromText(full);
  if (id && env.app().viewContext().existingObject<Kello>(*id)) return full;
  return value;
}

// Every given value goes through its control before anything is saved: the first refused one
// stops the command with nothing written.
void fillForm(CliEnvironment& env, Editor& editor, const FormOptions& options) {
  for (const auto& given : options.fields) {
    if (given.option->count() == 0) continue;
    const FieldDescriptor& field = *given.field;
    const std::string value =
        field.kind == FieldKind::Catalogue ? watchValue(env, editor, *given.value) : *given.value;
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
      const auto rows = screen.allRows();
      Output out(env.options().json);
      out.json() = Json::array();
      for (const MyServicesTableViewCell& row : rows) {
        out.json().push_back({{"id", row.huoltoID.primaryKey},
                              {"title", row.textLabel},
                              {"subtitle", row.detailTextLabel}});
        out.text().line(std::to_string(row.huoltoID.primaryKey) + "  " + row.textLabel);
        if (!row.detailTextLabel.empty()) {
          out.text().indent(4);
          out.text().line(row.detailTextLabel);
          out.text().indent(-4);
        }
      }
      if (rows.empty()) out.text().line("No service records.");
      out.print(std::cout);
      return 0;
    };
  });
}

void addShowCommand(CLI::App& group, CommandAction& action) {
  auto* show = group.add_subcommand(
      "show",
      "Show one service record as its detail screen does, a caption and its value a line; "
      "\"-----\" stands for an absent value.\n  tockary service show 3");
  auto id = std::make_shared<std::string>();
  addIdArgument(*show, *id);
  show->callback([&action, id] {
    action = [id](CliEnvironment& env) {
      const auto service = serviceById(env, *id);
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
    };
  });
}

void addAddCommand(CLI::App& group, CommandAction& action) {
  auto* add = group.add_subcommand(
      "add",
      "Add a service record through the editor form. Options left out stay empty; without "
      "--watch the record names no watch. Prints the new record's id.\n  tockary service add "
      "--watch \"Seiko SKX007\" --service-centre \"Watchmaker Oy\" --start-date 2024-05-17 "
      "--cost 250.50");
  auto options = addFormOptions(*add);
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
  auto id = std::make_shared<std::string>();
  addIdArgument(*edit, *id);
  auto options = addFormOptions(*edit);
  edit->callback([&action, id, options] {
    action = [id, options](CliEnvironment& env) {
      const auto service = serviceById(env, *id);
      Editor editor(env.services());
      editor.openForEdit(service->objectID(),
                         std::string(TarkasteleHuoltoaTableViewController::kEditTitle));
      editor.viewDidLoad();
      fillForm(env, editor, *options);
      return saveAndPrint(env, editor, "Saved");
    };
  });
}

void addDeleteCommand(CLI::App& group, CommandAction& action) {
  auto* command = group.add_subcommand(
      "delete",
      "Delete a service record. The services list asks no question before it deletes, so "
      "without --yes nothing is deleted.\n  tockary service delete 3 --yes");
  auto id = std::make_shared<std::string>();
  auto yes = std::make_shared<bool>(false);
  addIdArgument(*command, *id);
  command->add_flag("--yes", *yes, "Delete the record");
  command->callback([&action, id, yes] {
    action = [id, yes](CliEnvironment& env) {
      auto service = serviceById(env, *id);
      const std::int64_t key = service->objectID().primaryKey;
      const std::string title = serviceRowTitle(*service);
      const std::string named =
          "service record " + std::to_string(key) + (title.empty() ? "" : " (" + title + ")");
      Output out(env.options().json);
      if (!*yes) {
        out.json()["deleted"] = nullptr;
        out.text().line("Nothing was deleted: add --yes to delete " + named + ".");
        out.print(std::cout);
        return 0;
      }
      MyServicesTableViewController list(env.services());
      list.viewDidLoad();
      list.viewWillAppear();
      const auto path = list.indexPathOf(service->objectID());
      service.reset();
      if (!path) throw UsageError{"unknown service id \"" + *id + "\""};
      list.commitEditingStyle(EditingStyle::Delete, *path);
      out.json()["deleted"] = key;
      out.text().line("Deleted " + named + ".");
      out.print(std::cout);
      return 0;
    };
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

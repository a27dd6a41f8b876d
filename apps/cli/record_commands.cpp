#include "record_commands.h"

#include <algorithm>
#include <iostream>

#include "output.h"
#include "platform/outside_file.h"
#include "store/records.h"

namespace tockary::cli {

std::string recordOptionHelp(const FieldDescriptor& field) {
  std::string help = std::string(field.caption);
  if (field.kind == FieldKind::Catalogue) {
    help += ": a watch label as `tockary list` shows it, or a watch's id; \"\" for none";
  } else if (field.kind == FieldKind::Date) {
    help += ", a date, ISO or the locale's short date; \"\" clears it";
  } else if (field.kind == FieldKind::Number) {
    help += ", a number without a currency sign";
  } else if (field.kind == FieldKind::Picture) {
    help += ": a PNG or JPEG file";
  }
  return help + ": --" + std::string(field.option) + " \"" + std::string(field.example) + "\"";
}

void addRecordIdArgument(CLI::App& command, const RecordKind& kind, std::string& id) {
  command
      .add_option("ID", id,
                  "The " + std::string(kind.noun) + "'s id, as `tockary " +
                      std::string(kind.command) + " list` shows it: 3")
      ->required()
      ->check(utf8Text());
}

std::shared_ptr<FormOptions> addFormOptions(
    CLI::App& command, std::span<const FieldDescriptor> fields,
    const std::function<std::string(const FieldDescriptor&)>& help) {
  auto options = std::make_shared<FormOptions>();
  for (const FieldDescriptor& field : fields) {
    auto value = std::make_shared<std::string>();
    auto* option = command.add_option("--" + std::string(field.option), *value, help(field));
    // A picture option names a file: a path, not text.
    if (field.kind == FieldKind::Picture) {
      option->type_name("FILE");
    } else {
      option->check(utf8Text());
    }
    options->fields.push_back({&field, option, value});
  }
  return options;
}

std::string watchValue(CliEnvironment& env, const std::vector<std::string>& labels,
                       const std::string& value) {
  if (value.empty() || std::ranges::find(labels, value) != labels.end()) return value;
  const std::string full = std::string(Kello::entityName()) + "/" + value;
  const auto id = ObjectID::fromText(full);
  if (id && env.app().viewContext().existingObject<Kello>(*id)) return full;
  return value;
}

ChosenPictures readPictures(const FormOptions& options) {
  ChosenPictures pictures;
  for (const auto& given : options.fields) {
    if (given.option->count() == 0 || given.field->kind != FieldKind::Picture) continue;
    auto read = readOutsideFile(*given.value, kPictureFileLimit);
    if (!read) {
      throw UsageError{"--" + std::string(given.field->option) + " \"" + *given.value + "\" " +
                       read.status().description() +
                       "; accepted: a regular file holding a PNG or JPEG picture"};
    }
    pictures[given.field->outlet] = std::move(read).value();
  }
  return pictures;
}

void addRecordCommand(CLI::App& command, const RecordKind& kind, CommandAction& action,
                      RecordAction run) {
  auto id = std::make_shared<std::string>();
  addRecordIdArgument(command, kind, *id);
  command.callback([&action, id, run = std::move(run)] {
    action = [id, run](CliEnvironment& env) { return run(env, *id); };
  });
}

int printRecordList(CliEnvironment& env, const std::vector<ListedRow>& rows,
                    std::string_view none) {
  Output out(env.options().json);
  out.json() = Json::array();
  for (const ListedRow& row : rows) {
    Json json = {{"id", row.id}, {"title", row.title}};
    out.text().line(std::to_string(row.id) + "  " + row.title);
    if (row.subtitle) {
      json["subtitle"] = *row.subtitle;
      if (!row.subtitle->empty()) {
        out.text().indent(4);
        out.text().line(*row.subtitle);
        out.text().indent(-4);
      }
    }
    out.json().push_back(std::move(json));
  }
  if (rows.empty()) out.text().line(none);
  out.print(std::cout);
  return 0;
}

int deleteRecord(CliEnvironment& env, const RecordKind& kind, RecordListTableViewController& list,
                 std::shared_ptr<ManagedObject> record, const std::string& title, bool yes) {
  const ObjectID id = record->objectID();
  const std::string named = std::string(kind.noun) + " " + std::to_string(id.primaryKey) +
                            (title.empty() ? "" : " (" + title + ")");
  Output out(env.options().json);
  if (!yes) {
    out.json()["deleted"] = nullptr;
    out.text().line("Nothing was deleted: add --yes to delete " + named + ".");
    out.print(std::cout);
    return 0;
  }
  list.viewDidLoad();
  list.viewWillAppear();
  const auto path = list.indexPathOf(id);
  record.reset();
  if (!path) throw UsageError{"unknown " + std::string(kind.command) + " id \"" + id.text() + "\""};
  list.commitEditingStyle(EditingStyle::Delete, *path);
  out.json()["deleted"] = id.primaryKey;
  out.text().line("Deleted " + named + ".");
  out.print(std::cout);
  return 0;
}

}  // namespace tockary::cli

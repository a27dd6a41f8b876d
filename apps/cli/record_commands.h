#pragma once

// What the commands of the record lists (service records, warranty cards) share: the record's id
// argument, the form options made from an editor's field descriptors (the watch editor's too), a
// watch named by its bare id, picture files, and the delete that asks for --yes.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "forms/form_field.h"
#include "platform/store/object_store.h"
#include "records/fetched_results_table_view_controller.h"
#include "screen_output.h"

namespace tockary::cli {

// How a group of commands names its records: `tockary service ...` about a "service record" of
// the entity Huolto.
struct RecordKind {
  std::string_view command;
  std::string_view noun;
  std::string_view entity;
};

// The required ID argument: "3" as the group's list prints it, or "Huolto/3".
void addRecordIdArgument(CLI::App& command, const RecordKind& kind, std::string& id);

// The record an ID argument names; an unknown id is a UsageError naming it and the list command.
template <typename Record>
std::shared_ptr<Record> recordById(CliEnvironment& env, const RecordKind& kind,
                                   const std::string& id) {
  return recordById<Record>(env, id, kind.command,
                            "tockary " + std::string(kind.command) + " list");
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

// The help of a record form's option: its caption, what it takes, an example.
std::string recordOptionHelp(const FieldDescriptor& field);

// One option per field, named by the descriptor's option, with `help` for it. A picture option
// takes a file path, any other option text.
std::shared_ptr<FormOptions> addFormOptions(
    CLI::App& command, std::span<const FieldDescriptor> fields,
    const std::function<std::string(const FieldDescriptor&)>& help = recordOptionHelp);

// The picture files given, by their field's outlet, each read once through the outside-file
// reader, before the store opens so that a refused one leaves nothing behind: a folder, a missing
// file or one beyond the size limit is a UsageError naming the file.
using ChosenPictures = std::map<std::string_view, Bytes>;
ChosenPictures readPictures(const FormOptions& options);

// A subcommand about one record: adds its ID argument; when chosen, `action` runs `run` with the
// id as given.
using RecordAction = std::function<int(CliEnvironment&, const std::string& id)>;
void addRecordCommand(CLI::App& command, const RecordKind& kind, CommandAction& action,
                      RecordAction run);

// A watch named by its bare id ("3") as `tockary list` prints it becomes "Kello/3", which the
// watch wheel takes; a label the wheel offers, or anything else, stays as it is.
std::string watchValue(CliEnvironment& env, const std::vector<std::string>& labels,
                       const std::string& value);

// One row of a record list as a list command prints it.
struct ListedRow {
  std::int64_t id = 0;
  std::string title;
  std::optional<std::string> subtitle;  // a list without subtitles has none
};
// "ID  title" a row, the subtitle (when not empty) indented on the line below, or `none` when
// there are no rows; --json: an array of {"id", "title"} with "subtitle" where the list has one.
int printRecordList(CliEnvironment& env, const std::vector<ListedRow>& rows, std::string_view none);

// `delete ID [--yes]`: without `yes` says what it would delete and changes nothing; with it,
// deletes the record from `list` as its swipe does. `title` names the record after its id.
int deleteRecord(CliEnvironment& env, const RecordKind& kind, RecordListTableViewController& list,
                 std::shared_ptr<ManagedObject> record, const std::string& title, bool yes);

}  // namespace tockary::cli

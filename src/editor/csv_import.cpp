#include "editor/csv_import.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "editor/insert_watch_table_view_controller.h"
#include "forms/field_input.h"
#include "platform/format/number_text.h"
#include "platform/format/utf8_text.h"
#include "settings/csv_columns.h"
#include "settings/csv_reader.h"
#include "store/collection_model.h"
#include "watch/watch_status.h"

namespace tockary {

namespace {

// The four texts that make two watches the same one.
constexpr std::array<std::string_view, 4> kIdentity = {"merkki", "malli", "refkoodi",
                                                       "sarjanumero"};
using Identity = std::array<std::string, 4>;

constexpr std::string_view kStatusAttribute = "varasarake2";

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
  return equalIgnoringAsciiCase(trimmed(a), trimmed(b));
}

std::string columnNames() {
  std::string names;
  for (const CsvColumn& column : kCsvColumns) {
    if (!names.empty()) names += ", ";
    names += trimmed(column.name);
  }
  return names;
}

const FieldDescriptor* formField(std::string_view attribute) {
  for (const FieldDescriptor& field : InsertWatchTableViewController::formFields()) {
    if (field.attribute == attribute) return &field;
  }
  return nullptr;
}

std::string textOf(const Value& value) {
  const auto* text = std::get_if<std::string>(&value);
  return text != nullptr ? *text : std::string();
}

}  // namespace

struct CsvImport::Row {
  // One value per column of kCsvColumns.
  std::vector<Value> values;
  bool bad = false;

  Identity identity() const {
    Identity key;
    for (std::size_t i = 0; i < kIdentity.size(); ++i) {
      const auto column = std::ranges::find(kCsvColumns, kIdentity[i], &CsvColumn::attribute);
      key[i] = textOf(values[static_cast<std::size_t>(column - kCsvColumns.begin())]);
    }
    return key;
  }
};

CsvImport::CsvImport(AppServices& services) : services_(services) {}

CsvImport::~CsvImport() = default;

Status CsvImport::read(std::string_view text) {
  // The whole file is checked as comma-separated text before any row is looked at, so that a
  // file refused for its form leaves the store unopened.
  std::vector<CsvRecord> records;
  CsvReader reader(text);
  while (true) {
    auto record = reader.next();
    if (!record) return record.status();
    if (!record->has_value()) break;
    records.push_back(std::move(record).value().value());
  }
  if (records.empty()) return Status::error("is empty: it has no header row");
  columnOfField_.clear();
  for (const std::string& name : records.front().fields) {
    const auto column = std::ranges::find_if(
        kCsvColumns, [&](const CsvColumn& c) { return sameName(c.name, name); });
    if (column == kCsvColumns.end()) {
      return Status::error("has the column \"" + name +
                           "\" in its header row, which is no column of the export; accepted "
                           "(in any order): " +
                           columnNames());
    }
    const int index = static_cast<int>(column - kCsvColumns.begin());
    if (std::ranges::find(columnOfField_, index) != columnOfField_.end()) {
      return Status::error("names the column \"" + std::string(trimmed(column->name)) +
                           "\" twice in its header row");
    }
    columnOfField_.push_back(index);
  }
  for (std::size_t i = 1; i < records.size(); ++i) {
    // Spreadsheets save rows that were only formatted as commas alone; they hold no watch.
    if (std::ranges::all_of(records[i].fields, &std::string::empty)) continue;
    readRow(records[i].row, records[i].fields);
  }
  return Status::ok();
}

void CsvImport::readRow(std::int64_t row, const std::vector<std::string>& fields) {
  // Made at the first row: a file without any leaves the store unopened.
  if (!form_) {
    form_ = std::make_unique<InsertWatchTableViewController>(services_);
    form_->openForInsert();
    form_->viewDidLoad();
    blankRecord_ = form_->insertRecord();
  }
  ++rowCount_;
  Row read;
  read.values.assign(kCsvColumns.size(), Value());
  for (std::size_t i = 0; i < kCsvColumns.size(); ++i) {
    read.values[i] = blankRecord_->valueForKey(kCsvColumns[i].attribute);
  }
  const auto refuse = [&](std::string_view column, std::string_view value, std::string refusal) {
    badValues_.push_back({row, std::string(column), std::string(value), std::move(refusal)});
    read.bad = true;
  };
  if (fields.size() != columnOfField_.size()) {
    refuse({}, {},
           "has " + std::to_string(fields.size()) + " fields where the header row has " +
               std::to_string(columnOfField_.size()));
  }
  const std::size_t count = std::min(fields.size(), columnOfField_.size());
  for (std::size_t f = 0; f < count; ++f) {
    const auto index = static_cast<std::size_t>(columnOfField_[f]);
    const CsvColumn& column = kCsvColumns[index];
    const std::string_view name = trimmed(column.name);
    const std::string& value = fields[f];
    Value& stored = read.values[index];
    if (column.attribute == kStatusAttribute) {
      // Stored as exported; the picker's "Not Set" is stored as its marker.
      if (value.empty()) continue;
      if (value == kNotSetMarker || findWatchStatus(value) != nullptr) {
        stored = storedStatus(value == kNotSetMarker ? kNotSetStatus : value);
      } else {
        refuse(name, value, fieldRefusal(value, watchStatusNames() + ", or nothing").description());
      }
      continue;
    }
    if (column.attribute == kWearCountAttribute) {
      // A new watch has no count; 0 is what the export writes for it.
      using Screen = TarkasteleKelloaTableViewController;
      const auto worn = value.empty() ? std::optional<double>(0) : Screen::typedWearCount(value);
      if (!worn) {
        refuse(name, value,
               "\"" + value + "\" is refused: " + std::string(Screen::kWearCountRefused));
      } else if (*worn != 0) {
        stored = *worn;
      }
      continue;
    }
    if (value.empty()) continue;  // as the untouched field saves
    const FieldDescriptor* field = formField(column.attribute);
    if (field == nullptr) continue;
    switch (field->kind) {
      case FieldKind::Date: {
        auto date = dateFromUserText(services_.formatters, value);
        if (!date) {
          refuse(name, value, date.status().description());
        } else {
          stored = **date;
        }
        break;
      }
      case FieldKind::Number:
        if (!isReadableNumber(value)) {
          refuse(name, value,
                 fieldRefusal(value, form_->acceptedValues(field->outlet)).description());
        } else {
          stored = parseTypedNumber(value);
        }
        break;
      default: {
        const std::string_view entered =
            column.attribute == kCsvBeatRateAttribute ? csvBeatRate(value) : value;
        // The form's own rules: catalogues, wheels and measures take only what their controls
        // can show.
        if (Status entry = form_->enterValue(field->outlet, entered); !entry) {
          refuse(name, value, entry.description());
        } else {
          stored = form_->text(field->outlet);
        }
        break;
      }
    }
  }
  if (read.bad) ++badRows_;
  rows_.push_back(std::move(read));
}

Result<CsvImportSummary> CsvImport::add(bool dryRun) {
  ManagedObjectContext& context = services_.context();
  CsvImportSummary summary{rowCount_, 0, 0, badRows_, false};
  Status fetched;
  std::vector<const Row*> added;
  const auto choose = [&] {
    added.clear();
    summary.duplicates = 0;
    std::map<std::int64_t, Identity> stored;
    for (std::size_t i = 0; i < kIdentity.size(); ++i) {
      auto values = context.executeForKeys(Kello::fetchRequest(), kIdentity[i]);
      if (!values) {
        fetched = values.status();
        return;
      }
      for (auto& [key, value] : values.value()) stored[key][i] = textOf(value);
    }
    std::set<Identity> before;
    for (auto& [key, identity] : stored) before.insert(std::move(identity));
    for (const Row& row : rows_) {
      if (row.bad) continue;
      if (before.contains(row.identity())) {
        ++summary.duplicates;
        continue;
      }
      added.push_back(&row);
    }
  };
  if (rows_.empty()) return summary;
  if (dryRun) {
    choose();
    if (!fetched) return fetched;
    summary.imported = static_cast<std::int64_t>(added.size());
    return summary;
  }
  const auto record = context.makeDetachedObject<Kello>();
  for (const auto& attribute : record->entity().attributes) {
    record->setValueForKey(attribute.name, blankRecord_->valueForKey(attribute.name));
  }
  Status saved = context.performWrite({}, [&] {
    choose();
    if (!fetched) return;
    for (const Row* row : added) {
      for (std::size_t i = 0; i < kCsvColumns.size(); ++i) {
        record->setValueForKey(kCsvColumns[i].attribute, row->values[i]);
      }
      (void)insertWatch(context, *record);
    }
  });
  if (!fetched) return fetched;
  if (!saved) return saved;
  summary.imported = static_cast<std::int64_t>(added.size());
  summary.written = !added.empty();
  return summary;
}

}  // namespace tockary

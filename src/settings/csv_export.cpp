#include "settings/csv_export.h"

#include <array>
#include <cstdlib>
#include <optional>

#include "platform/format/utf8_text.h"
#include "platform/replaced_file.h"
#include "platform/store/fetched_results_controller.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"
#include "store/watch_captions.h"

namespace tockary {

namespace {

// Written to the file whenever this much text has gathered.
constexpr std::size_t kChunkBytes = 256 * 1024;

void appendNumber(std::string& line, double value, const Formatters& formatters) {
  const std::string text = formatters.number(value);
  appendCsvField(line, text.empty() ? kNoFigure : std::string_view(text));
}

void appendDate(std::string& line, const std::optional<Date>& date, const Formatters& formatters) {
  if (date) appendCsvField(line, formatters.shortDate(*date));
}

Status writeFailure(Status error) {
  diagnostic("Failed to create file");
  diagnostic(error.description());
  return error;
}

}  // namespace

std::filesystem::path csvExportFile() {
  // Taken as it is: a TMPDIR that is not a usable folder makes the export fail, rather than
  // putting the file somewhere the user did not choose.
  const char* folder = std::getenv("TMPDIR");
  return std::filesystem::path(folder != nullptr && *folder != '\0' ? folder : "/tmp") /
         kCsvFileName;
}

ShareRequest csvShareRequest(const std::filesystem::path& file) {
  return {
      {ShareItem::file(file)},
      {ShareActivity::AssignToContact, ShareActivity::SaveToCameraRoll, ShareActivity::PostToFlickr,
       ShareActivity::PostToVimeo, ShareActivity::PostToTencentWeibo, ShareActivity::PostToTwitter,
       ShareActivity::PostToFacebook, ShareActivity::OpenInIBooks}};
}

void appendCsvField(std::string& line, std::string_view field) {
  if (!isValidUtf8(field)) {
    appendCsvField(line, replacingInvalidUtf8(field));
    return;
  }
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    line += field;
    return;
  }
  line += '"';
  for (const char c : field) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

void appendCsvLine(std::string& text, const Kello& watch, const Formatters& formatters) {
  for (const CsvColumn& column : kCsvColumns) {
    switch (column.value) {
      case CsvValue::Text: {
        const std::string* stored = watch.textAt(column.index);
        const std::string_view shown = stored != nullptr ? std::string_view(*stored) : "";
        appendCsvField(text,
                       column.attribute == kCsvBeatRateAttribute ? csvBeatRate(shown) : shown);
        break;
      }
      case CsvValue::Number: {
        const Value value = watch.valueForKey(column.attribute);
        // Numbers never set read 0, as everywhere in the app.
        double number = 0;
        if (const auto* real = std::get_if<double>(&value)) number = *real;
        if (const auto* whole = std::get_if<std::int64_t>(&value))
          number = static_cast<double>(*whole);
        appendNumber(text, number, formatters);
        break;
      }
      case CsvValue::Date: {
        const Value value = watch.valueForKey(column.attribute);
        const auto* date = std::get_if<Date>(&value);
        appendDate(text, date != nullptr ? std::optional<Date>(*date) : std::nullopt, formatters);
        break;
      }
    }
    text += ',';
  }
  text.back() = '\n';
}

Result<CsvExportSummary> writeCollectionCsv(ManagedObjectContext& context,
                                            const Formatters& formatters,
                                            const std::filesystem::path& file) {
  auto opened = ReplacedFile::create(file);
  if (!opened) return writeFailure(opened.status());
  ReplacedFile& out = opened.value();

  CsvExportSummary summary{file, 0, Status::ok()};
  FetchRequest request = Kello::fetchRequest();
  request.sortDescriptors = watchOrder(WatchOrder::BrandAndModel);
  FetchedResultsController watches(std::move(request), context);
  summary.fetch = watches.performFetch();
  if (!summary.fetch) {
    diagnostic("Could not fetch " + summary.fetch.description() + ", " +
               summary.fetch.userInfoText());
  }

  std::string text;
  text.reserve(kChunkBytes + 4096);
  text += kCsvHeader;
  // The live list builds the records a batch at a time and keeps only the latest batches.
  for (const std::shared_ptr<ManagedObject>& object : watches.fetchedObjects()) {
    if (!object) continue;  // deleted by another program since the fetch
    appendCsvLine(text, static_cast<const Kello&>(*object), formatters);
    ++summary.watches;
    if (text.size() >= kChunkBytes) {
      if (Status written = out.append(text); !written) return writeFailure(written);
      text.clear();
    }
  }
  if (Status written = out.append(text); !written) return writeFailure(written);
  if (Status committed = out.commit(); !committed) return writeFailure(committed);
  return summary;
}

}  // namespace tockary

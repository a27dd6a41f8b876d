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

// The beat-rate catalogue groups the digits of two quartz rates; in a comma-separated file the
// grouping would split the field.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kUngroupedBeatRates = {{
    {"32,768Hz", "32768Hz"},
    {"262,144Hz", "262144Hz"},
}};

// The text attributes of the 35 columns, in column order, around the numbers and dates.
constexpr std::array<int, 25> kLeadingTexts = {
    Kello::attribute("merkki"),
    Kello::attribute("malli"),
    Kello::attribute("vuosimalli"),
    Kello::attribute("refkoodi"),
    Kello::attribute("sarjanumero"),
    Kello::attribute("koneistotyyppi"),
    Kello::attribute("koneisto"),
    Kello::attribute("powerreserve"),
    Kello::attribute("bph"),
    Kello::attribute("halkaisija"),
    Kello::attribute("paksuus"),
    Kello::attribute("varasarake1"),
    Kello::attribute("lugivali"),
    Kello::attribute("kuorenmateriaali"),
    Kello::attribute("bezelmateriaali"),
    Kello::attribute("tauluvari"),
    Kello::attribute("lasi"),
    Kello::attribute("kruunu"),
    Kello::attribute("vedenpitavyys"),
    Kello::attribute("komplikaatio1"),
    Kello::attribute("komplikaatio2"),
    Kello::attribute("komplikaatio3"),
    Kello::attribute("komplikaatio4"),
    Kello::attribute("komplikaatio5"),
    Kello::attribute("komplikaatio6"),
};
constexpr int kBeatRate = Kello::attribute("bph");

// Written to the file whenever this much text has gathered.
constexpr std::size_t kChunkBytes = 256 * 1024;

std::string_view storedText(const Kello& watch, int attribute) {
  const std::string* text = watch.textAt(attribute);
  return text != nullptr ? std::string_view(*text) : std::string_view();
}

std::string_view beatRateText(std::string_view stored) {
  for (const auto& [grouped, plain] : kUngroupedBeatRates) {
    if (stored == grouped) return plain;
  }
  return stored;
}

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
  for (const int attribute : kLeadingTexts) {
    const std::string_view stored = storedText(watch, attribute);
    appendCsvField(text, attribute == kBeatRate ? beatRateText(stored) : stored);
    text += ',';
  }
  appendCsvField(text, storedText(watch, Kello::attribute("ostoliike")));
  text += ',';
  appendNumber(text, watch.ostohinta(), formatters);
  text += ',';
  appendCsvField(text, storedText(watch, Kello::attribute("myyntiliike")));
  text += ',';
  appendNumber(text, watch.myyntihinta(), formatters);
  text += ',';
  appendDate(text, watch.ostopvm(), formatters);
  text += ',';
  appendDate(text, watch.myyntipvm(), formatters);
  text += ',';
  appendDate(text, watch.takuupvm(), formatters);
  text += ',';
  appendCsvField(text, storedText(watch, Kello::attribute("varasarake2")));
  text += ',';
  appendNumber(text, watch.varasarake4(), formatters);
  text += ',';
  appendCsvField(text, storedText(watch, Kello::attribute("setlaajuus")));
  text += '\n';
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

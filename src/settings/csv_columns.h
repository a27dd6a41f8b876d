#pragma once

// The columns of the collection's comma-separated file, once, for the writer and the reader.

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "store/records.h"

namespace tockary {

// How a column's value is written: a stored text as it is, a number as a whole number of the
// locale, a date in the locale's short date style (empty for none).
enum class CsvValue { Text, Number, Date };

struct CsvColumn {
  std::string_view name;       // as the header writes it
  std::string_view attribute;  // of Kello
  CsvValue value;
  int index;  // of the attribute in Kello
};

consteval CsvColumn csvColumn(std::string_view name, std::string_view attribute, CsvValue value) {
  return {name, attribute, value, Kello::attribute(attribute)};
}

// The 35 columns in file order. The blanks before CrownType and WaterResistance are part of the
// format readers of earlier exports know.
inline constexpr std::array<CsvColumn, 35> kCsvColumns = {
    csvColumn("Brand", "merkki", CsvValue::Text),
    csvColumn("Model", "malli", CsvValue::Text),
    csvColumn("Year", "vuosimalli", CsvValue::Text),
    csvColumn("Reference", "refkoodi", CsvValue::Text),
    csvColumn("SerialNumber", "sarjanumero", CsvValue::Text),
    csvColumn("MovementType", "koneistotyyppi", CsvValue::Text),
    csvColumn("Caliber", "koneisto", CsvValue::Text),
    csvColumn("ReserveHours", "powerreserve", CsvValue::Text),
    csvColumn("VPH", "bph", CsvValue::Text),
    csvColumn("Diameter", "halkaisija", CsvValue::Text),
    csvColumn("Thickness", "paksuus", CsvValue::Text),
    csvColumn("LugtoLug", "varasarake1", CsvValue::Text),
    csvColumn("LugWidth", "lugivali", CsvValue::Text),
    csvColumn("CaseMaterial", "kuorenmateriaali", CsvValue::Text),
    csvColumn("BezelMaterial", "bezelmateriaali", CsvValue::Text),
    csvColumn("DialColor", "tauluvari", CsvValue::Text),
    csvColumn("Glass", "lasi", CsvValue::Text),
    csvColumn(" CrownType", "kruunu", CsvValue::Text),
    csvColumn(" WaterResistance", "vedenpitavyys", CsvValue::Text),
    csvColumn("Comp1", "komplikaatio1", CsvValue::Text),
    csvColumn("Comp2", "komplikaatio2", CsvValue::Text),
    csvColumn("Comp3", "komplikaatio3", CsvValue::Text),
    csvColumn("Comp4", "komplikaatio4", CsvValue::Text),
    csvColumn("Comp5", "komplikaatio5", CsvValue::Text),
    csvColumn("Comp6", "komplikaatio6", CsvValue::Text),
    csvColumn("PurchasedFrom", "ostoliike", CsvValue::Text),
    csvColumn("PurchasePrice", "ostohinta", CsvValue::Number),
    csvColumn("SoldTo", "myyntiliike", CsvValue::Text),
    csvColumn("SoldPrice", "myyntihinta", CsvValue::Number),
    csvColumn("PurchaseDate", "ostopvm", CsvValue::Date),
    csvColumn("SoldDate", "myyntipvm", CsvValue::Date),
    csvColumn("WarrantyEndDate", "takuupvm", CsvValue::Date),
    csvColumn("Status", "varasarake2", CsvValue::Text),
    csvColumn("WearCount", "varasarake4", CsvValue::Number),
    csvColumn("SetCompleteness", "setlaajuus", CsvValue::Text),
};

// The beat-rate catalogue once grouped the digits of two quartz rates, and older watches keep
// those texts; in a comma-separated file the grouping would split the field, so the file holds
// every beat rate ungrouped, as the catalogue now has it.
inline constexpr std::string_view kCsvBeatRateAttribute = "bph";
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 2> kUngroupedBeatRates =
    {{
        {"32,768Hz", "32768Hz"},
        {"262,144Hz", "262144Hz"},
    }};

// The beat rate as the file holds it.
constexpr std::string_view csvBeatRate(std::string_view text) {
  for (const auto& [grouped, plain] : kUngroupedBeatRates) {
    if (text == grouped) return plain;
  }
  return text;
}

namespace csv_detail {

consteval std::size_t headerSize() {
  std::size_t size = 0;
  for (const CsvColumn& column : kCsvColumns) size += column.name.size() + 1;
  return size;
}

consteval std::array<char, headerSize()> headerText() {
  std::array<char, headerSize()> text{};
  std::size_t at = 0;
  for (const CsvColumn& column : kCsvColumns) {
    for (const char c : column.name) text[at++] = c;
    text[at++] = ',';
  }
  text[at - 1] = '\n';
  return text;
}

inline constexpr std::array<char, headerSize()> kHeaderText = headerText();

}  // namespace csv_detail

// The first line of the file, its line feed included.
inline constexpr std::string_view kCsvHeader(csv_detail::kHeaderText.data(),
                                             csv_detail::kHeaderText.size());

}  // namespace tockary

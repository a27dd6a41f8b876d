#include "platform/format/formatters.h"

#include <charconv>
#include <cstring>
#include <unordered_map>

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/numfmt.h>
#include <unicode/smpdtfmt.h>

#include "platform/format/icu_support.h"

namespace tockary {

using icu_support::fromUtf8;
using icu_support::toUDate;
using icu_support::toUtf8;

namespace {

template <typename T>
std::unique_ptr<T> cloneOf(const std::unique_ptr<T>& source) {
  return source ? std::unique_ptr<T>(source->clone()) : nullptr;
}

std::unique_ptr<icu::DateFormat> dateFormat(icu::DateFormat::EStyle dateStyle,
                                            icu::DateFormat::EStyle timeStyle,
                                            const icu::Locale& locale, const icu::TimeZone& zone) {
  std::unique_ptr<icu::DateFormat> format(
      icu::DateFormat::createDateTimeInstance(dateStyle, timeStyle, locale));
  if (format) format->setTimeZone(zone);
  return format;
}

// The amount styles share 0-2 fraction digits and grouping; ICU rounds half-even by default,
// as the reference platform's formatters do.
std::unique_ptr<icu::NumberFormat> numberFormat(UNumberFormatStyle style, const icu::Locale& locale,
                                                int maxFractionDigits, bool grouping) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::NumberFormat> format(
      icu::NumberFormat::createInstance(locale, style, status));
  if (U_FAILURE(status) || !format) return nullptr;
  format->setMinimumFractionDigits(0);
  format->setMaximumFractionDigits(maxFractionDigits);
  format->setGroupingUsed(grouping);
  return format;
}

std::string formatted(const std::unique_ptr<icu::DateFormat>& format, Date date) {
  if (!format) return {};
  icu::UnicodeString text;
  format->format(toUDate(date), text);
  return toUtf8(text);
}

std::string formatted(const std::unique_ptr<icu::NumberFormat>& format, double value) {
  if (!format) return {};
  icu::UnicodeString text;
  format->format(value, text);
  return toUtf8(text);
}

// Reads exactly `width` ASCII digits.
std::optional<int> fixedDigits(std::string_view text, std::size_t width) {
  if (text.size() != width) return std::nullopt;
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;  // from_chars would take a leading '-'
  }
  return value;
}

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

struct Formatters::Impl {
  icu::Locale locale;
  std::string localeId;
  Calendar calendar;
  Calendar utc{"UTC"};
  std::unique_ptr<icu::DateFormat> shortDate;
  // Parsing happens in UTC and only the calendar date is kept, because a strict parse in the
  // user's zone fails for a day whose midnight DST skips (the day would exist, its 00:00 not).
  std::unique_ptr<icu::DateFormat> shortDateParser;
  std::unique_ptr<icu::DateFormat> fullDateMediumTime;
  std::unique_ptr<icu::DateFormat> shortDateMediumTime;
  std::unique_ptr<icu::NumberFormat> currency;
  std::unique_ptr<icu::NumberFormat> decimal;
  std::unique_ptr<icu::NumberFormat> plainDecimal;
  std::unique_ptr<icu::NumberFormat> number;
  // Short dates already written, by local day: a list shows the same few days again and again,
  // and the day decides the whole text.
  std::unordered_map<int, std::string> shortDates;

  Impl(std::string_view localeIdText, std::string_view timeZoneId)
      : locale(icu_support::makeLocale(localeIdText)),
        localeId(locale.getName()),
        calendar(timeZoneId) {
    const std::unique_ptr<icu::TimeZone> zone = icu_support::makeTimeZone(calendar.timeZoneId());
    using Style = icu::DateFormat;
    shortDate = dateFormat(Style::kShort, Style::kNone, locale, *zone);
    shortDateParser = dateFormat(Style::kShort, Style::kNone, locale, *icu::TimeZone::getGMT());
    if (shortDateParser) shortDateParser->setLenient(false);
    fullDateMediumTime = dateFormat(Style::kFull, Style::kMedium, locale, *zone);
    shortDateMediumTime = dateFormat(Style::kShort, Style::kMedium, locale, *zone);
    currency = numberFormat(UNUM_CURRENCY, locale, 2, true);
    decimal = numberFormat(UNUM_DECIMAL, locale, 2, true);
    plainDecimal = numberFormat(UNUM_DECIMAL, locale, 2, false);
    number = numberFormat(UNUM_DECIMAL, locale, 0, false);
  }

  Impl(const Impl& other)
      : locale(other.locale),
        localeId(other.localeId),
        calendar(other.calendar),
        utc(other.utc),
        shortDate(cloneOf(other.shortDate)),
        shortDateParser(cloneOf(other.shortDateParser)),
        fullDateMediumTime(cloneOf(other.fullDateMediumTime)),
        shortDateMediumTime(cloneOf(other.shortDateMediumTime)),
        currency(cloneOf(other.currency)),
        decimal(cloneOf(other.decimal)),
        plainDecimal(cloneOf(other.plainDecimal)),
        number(cloneOf(other.number)) {}
};

Formatters::Formatters(std::string_view localeId, std::string_view timeZoneId)
    : impl_(std::make_unique<Impl>(localeId, timeZoneId)) {}

Formatters::~Formatters() = default;

Formatters::Formatters(const Formatters& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

Formatters& Formatters::operator=(const Formatters& other) {
  if (this != &other) impl_ = std::make_unique<Impl>(*other.impl_);
  return *this;
}

Formatters::Formatters(Formatters&&) noexcept = default;
Formatters& Formatters::operator=(Formatters&&) noexcept = default;

const std::string& Formatters::localeId() const { return impl_->localeId; }
const std::string& Formatters::timeZoneId() const { return impl_->calendar.timeZoneId(); }
const Calendar& Formatters::calendar() const { return impl_->calendar; }

std::string Formatters::shortDate(Date date) const {
  const int day = impl_->calendar.daysBetween(Date{}, date);
  if (const auto known = impl_->shortDates.find(day); known != impl_->shortDates.end()) {
    return known->second;
  }
  if (impl_->shortDates.size() >= 4096) impl_->shortDates.clear();
  return impl_->shortDates.emplace(day, formatted(impl_->shortDate, date)).first->second;
}

std::optional<Date> Formatters::parseShortDate(std::string_view text) const {
  if (!impl_->shortDateParser) return std::nullopt;
  icu::UnicodeString input = fromUtf8(text);
  input.trim();
  if (input.isEmpty()) return std::nullopt;
  icu::ParsePosition position(0);
  const UDate parsed = impl_->shortDateParser->parse(input, position);
  // ICU stops at the first character it cannot use and reports success for what came before;
  // "5/17/24x" must not read as a date.
  if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
  const LocalDateTime day = impl_->utc.localDateTime(icu_support::fromUDate(parsed));
  return impl_->calendar.dateFrom(day.year, day.month, day.day);
}

std::optional<Date> Formatters::parseIsoDate(std::string_view text) const {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const std::optional<int> year = fixedDigits(text.substr(0, 4), 4);
  const std::optional<int> month = fixedDigits(text.substr(5, 2), 2);
  const std::optional<int> day = fixedDigits(text.substr(8, 2), 2);
  if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 ||
      *day > daysInMonth(*year, *month)) {
    return std::nullopt;
  }
  return impl_->calendar.dateFrom(*year, *month, *day);
}

std::optional<Date> Formatters::parseIsoDateTime(std::string_view text) const {
  if ((text.size() != 16 && text.size() != 19) || text[10] != 'T' || text[13] != ':' ||
      (text.size() == 19 && text[16] != ':')) {
    return std::nullopt;
  }
  const std::optional<Date> day = parseIsoDate(text.substr(0, 10));
  const std::optional<int> hour = fixedDigits(text.substr(11, 2), 2);
  const std::optional<int> minute = fixedDigits(text.substr(14, 2), 2);
  const std::optional<int> second =
      text.size() == 19 ? fixedDigits(text.substr(17, 2), 2) : std::optional<int>(0);
  if (!day || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  const LocalDateTime date = impl_->calendar.localDateTime(*day);
  return impl_->calendar.dateFrom(date.year, date.month, date.day, *hour, *minute, *second);
}

std::string Formatters::fullDateMediumTime(Date date) const {
  return formatted(impl_->fullDateMediumTime, date);
}

std::string Formatters::shortDateMediumTime(Date date) const {
  return formatted(impl_->shortDateMediumTime, date);
}

std::string Formatters::currency(double amount) const { return formatted(impl_->currency, amount); }

std::string Formatters::decimal(double value) const { return formatted(impl_->decimal, value); }

std::string Formatters::plainDecimal(double value) const {
  return formatted(impl_->plainDecimal, value);
}

std::vector<std::string> Formatters::monthNames() const {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DateFormatSymbols symbols(impl_->locale, status);
  std::int32_t count = 0;
  const icu::UnicodeString* names =
      U_SUCCESS(status) ? symbols.getMonths(count, icu::DateFormatSymbols::STANDALONE,
                                            icu::DateFormatSymbols::WIDE)
                        : nullptr;
  std::vector<std::string> months;
  for (std::int32_t i = 0; names != nullptr && i < count && i < 12; ++i) {
    months.push_back(toUtf8(names[i]));
  }
  // Without ICU's data the wheel still needs twelve rows.
  for (auto month = static_cast<int>(months.size()); month < 12; ++month) {
    months.push_back(std::to_string(month + 1));
  }
  return months;
}

std::string Formatters::dateFieldOrder() const {
  std::string order;
  const auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(impl_->shortDate.get());
  if (simple != nullptr) {
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    bool quoted = false;
    for (std::int32_t i = 0; i < pattern.length(); ++i) {
      const char16_t c = pattern.charAt(i);
      if (c == u'\'') quoted = !quoted;
      if (quoted) continue;
      const char field = c == u'd' ? 'D' : (c == u'M' || c == u'L') ? 'M' : c == u'y' ? 'Y' : 0;
      if (field != 0 && order.find(field) == std::string::npos) order += field;
    }
  }
  return order.size() == 3 ? order : "MDY";
}

std::string Formatters::number(double value) const { return formatted(impl_->number, value); }

std::string Formatters::upperCase(std::string_view text) const {
  icu::UnicodeString unicode = fromUtf8(text);
  unicode.toUpper(impl_->locale);
  return toUtf8(unicode);
}

bool isKnownLocale(std::string_view id) {
  if (id.empty()) return false;
  const icu::Locale locale = icu::Locale::createCanonical(std::string(id).c_str());
  if (locale.isBogus() || locale.getLanguage()[0] == '\0') return false;

  std::int32_t count = 0;
  const icu::Locale* available = icu::Locale::getAvailableLocales(count);
  bool languageKnown = false;
  for (std::int32_t i = 0; i < count; ++i) {
    if (std::strcmp(available[i].getBaseName(), locale.getBaseName()) == 0) return true;
    if (std::strcmp(available[i].getBaseName(), locale.getLanguage()) == 0) languageKnown = true;
  }
  if (!languageKnown) return false;
  const char* country = locale.getCountry();
  if (country[0] == '\0') return true;
  for (const char* const* code = icu::Locale::getISOCountries(); *code != nullptr; ++code) {
    if (std::strcmp(*code, country) == 0) return true;
  }
  return false;
}

bool isKnownTimeZone(std::string_view id) {
  if (id.empty()) return false;
  const std::unique_ptr<icu::TimeZone> zone = icu_support::makeTimeZone(id);
  icu::UnicodeString resolved;
  zone->getID(resolved);
  return resolved != icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID, -1, US_INV);
}

}  // namespace tockary

#include "platform/format/icu_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <unicode/ucal.h>

namespace tockary::icu_support {

namespace {

// ICU's own calendar limits (Calendar's MIN_MILLIS / MAX_MILLIS); beyond them setTime fails.
constexpr double kMinMillis = -184303902528000000.0;
constexpr double kMaxMillis = 183882168921600000.0;

}  // namespace

icu::Locale makeLocale(std::string_view id) {
  if (id.empty()) {
    icu::Locale locale = icu::Locale::getDefault();
    // ICU maps the C/POSIX locale to en_US_POSIX, whose numbers have no grouping and whose
    // currency reads "$ 1200"; nobody chooses that for display, so use plain en_US instead.
    if (std::strcmp(locale.getName(), "en_US_POSIX") == 0 || locale.getLanguage()[0] == '\0') {
      return icu::Locale("en", "US");
    }
    return locale;
  }
  // Canonicalising accepts the environment's forms too ("de_DE.UTF-8", "de-DE").
  return icu::Locale::createCanonical(std::string(id).c_str());
}

std::unique_ptr<icu::TimeZone> makeTimeZone(std::string_view id) {
  if (id.empty()) {
    // detectHostTimeZone reads TZ afresh; createDefault would keep the first answer for good.
    // An empty TZ means UTC to the C library but "Etc/Unknown" to ICU; both behave as UTC, so
    // only the id would differ, and "UTC" is the one a person recognises.
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString zoneId;
    if (zone && zone->getID(zoneId) != icu::UnicodeString(UCAL_UNKNOWN_ZONE_ID, -1, US_INV)) {
      return zone;
    }
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone("UTC"));
  }
  return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(fromUtf8(id)));
}

std::string toUtf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

icu::UnicodeString fromUtf8(std::string_view text) {
  return icu::UnicodeString::fromUTF8(
      icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

UDate toUDate(Date date) {
  return std::clamp(static_cast<double>(date.time_since_epoch().count()), kMinMillis, kMaxMillis);
}

Date fromUDate(UDate date) {
  return Date(std::chrono::milliseconds(static_cast<std::int64_t>(std::llround(date))));
}

}  // namespace tockary::icu_support

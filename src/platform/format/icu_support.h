#pragma once

// Conversions shared by the ICU-backed services of this folder. Not part of the public interface:
// include it only from .cpp files here, so that no ICU header leaks to the app's logic.

#include <memory>
#include <string>
#include <string_view>

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include "platform/date.h"

namespace tockary::icu_support {

// The locale for an id; empty = the environment's locale.
icu::Locale makeLocale(std::string_view id);

// The zone for an IANA id; empty = TZ or the system's zone. Never null: an unknown id gives
// ICU's "Etc/Unknown", which behaves as UTC.
std::unique_ptr<icu::TimeZone> makeTimeZone(std::string_view id);

std::string toUtf8(const icu::UnicodeString& text);
icu::UnicodeString fromUtf8(std::string_view text);

// ICU calendars cover about +-5.8 million years; dates beyond are clamped to that range.
UDate toUDate(Date date);
Date fromUDate(UDate date);

}  // namespace tockary::icu_support

#pragma once

// Rules for what a user may put into an editor's fields, shared by every editor so that each
// rule and its refusal text exist once.

#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "platform/format/formatters.h"
#include "platform/status.h"

namespace tockary {

// The signs the editors' change filter refuses anywhere in a typed or pasted text.
inline constexpr std::string_view kRefusedCurrencySigns = "€₳$₡£₵¥₮";

// The change filter: false when `replacement` holds any of kRefusedCurrencySigns.
bool passesCurrencySignFilter(std::string_view replacement);

// Whether a typed price reads as a number by the two-separator rule (else it would be stored as
// 0): a true zero is accepted, text that only falls back to 0 is not.
bool isReadableNumber(std::string_view text);

// "\"VALUE\" is refused; accepted: ACCEPTED".
Status fieldRefusal(std::string_view value, std::string_view accepted);

// What a date field accepts, in words, with an example in the locale's short date.
std::string acceptedDateValues(const Formatters& formatters);

// A date given from outside the wheel: ISO 8601 ("2024-05-17") or the locale's short date; empty
// gives nullopt (the field is cleared). A date whose short text would read back as another day
// (a two-digit year of another century) is refused rather than stored wrongly.
Result<std::optional<Date>> dateFromUserText(const Formatters& formatters, std::string_view text);

}  // namespace tockary

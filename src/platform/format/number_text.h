#pragma once

#include <string>
#include <string_view>

namespace tockary {

// A number the user typed (a price, a count), independent of the process locale.
//
// The text, without surrounding blanks, must be one whole number: an optional sign, digits with
// at most one decimal separator, nothing else (no exponent, no currency sign, no "inf"/"nan").
// It is read with "." as decimal separator first and, when that fails, with ",":
//   "12.5" -> 12.5     "12,5" -> 12.5     ".5" -> 0.5     "-3" -> -3
//   "1 200.50", "1 200,50" -> 1200.5   (blank, no-break space or narrow no-break space between
//                                       well-formed groups of three digits)
//   "1,200.50" -> 1200.5, "1.200,50" -> 1200.5   (the other separator groups the digits only
//                                                 when the decimal one is also present)
//   "1,200" -> 1.2, "1.200" -> 1.2   (a single separator is always a decimal separator)
// Anything else - empty text, letters, "12 5", "1,2.5", a value beyond the range of a double -
// reads as 0.
double parseTypedNumber(std::string_view text);

// The value as printf's "%.1f" writes it in the C locale ("0.1", "-2.5", "100.0"), except that
// every NaN is "nan" (never "-nan"); infinities are "inf" and "-inf".
std::string formatOneDecimal(double value);

// A whole count kept in a double, as every screen and entry writes it: plain decimal digits
// whatever the locale ("60", "-3"), rounded to the nearest whole; "0" for NaN and infinities.
std::string wholeNumberText(double value);

}  // namespace tockary

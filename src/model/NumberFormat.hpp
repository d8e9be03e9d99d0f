// Number formats and conversions: the picture patterns of the entry boxes,
// table cells and printed report, the general decimal forms of the CSV file,
// and the conversions of entered text to numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace potelan {

// Formats a value with a picture pattern such as "###.##", "0.0000", "##0.0".
// "0" is a digit that is always written, "#" a digit written only when
// significant (integer digits beyond the pattern are still written), "." the
// decimal point, always written. The value is first taken to 15 significant
// decimal digits and then rounded to the pattern's decimals, halves away from
// zero, so 12.345 with "###.##" gives "12.35". A value that rounds to zero is
// written without a minus sign.
std::string FormatNumber(double value, std::string_view pattern);

// The text of a table cell: the formatted value right-aligned to six
// characters, or the empty text when the formatted value is longer than six.
std::string CellText(double value, std::string_view pattern);

// The printed report's value: "  ----" above 9999, otherwise "####.0"
// right-aligned to six characters (empty when longer).
std::string FormatPrintValue(double value);

// General decimal form of a double: up to 15 significant digits, no trailing
// zeros, no thousands separators (10000.0 gives "10000", 0.5 gives "0.5").
std::string GeneralDouble(double value);

// General decimal form of a single: up to 7 significant digits.
std::string GeneralSingle(float value);

// Shortest text that reads back to the same double (for machine-readable output).
std::string RoundTripDouble(double value);

// Rounds to a 16-bit integer, halves to even; nothing when the value is not
// finite or lies outside -32768..32767 after rounding.
std::optional<std::int16_t> RoundToInt16(double value);

// Reads a decimal number: optional blanks, an optional sign, digits with at
// most one decimal point (at least one digit), an optional exponent, optional
// blanks. Anything else ("1.2.3", "1-2", "-", "", "1,5") gives nothing.
std::optional<double> ParseDecimal(std::string_view text);

// As ParseDecimal, correctly rounded to single precision (12.3 gives the float
// nearest to 12.3). Values beyond the single range give nothing.
std::optional<float> ParseSingle(std::string_view text);

}  // namespace potelan

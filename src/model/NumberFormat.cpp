// Number formats and conversions. Everything here works on fixed char
// buffers with std::to_chars / std::from_chars: no streams, no locale, and no
// heap beyond what a std::string needs for a text longer than its small
// buffer. The table sweep formats about 150 cells per pass, so this is on the
// hot path.
#include "model/NumberFormat.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <system_error>

namespace potelan {
namespace {

// Significant decimal digits a double is taken to before any rounding.
constexpr int kDoubleDigits = 15;
// Significant decimal digits of the general form of a single.
constexpr int kSingleDigits = 7;
// Width of a table cell and of a printed value.
constexpr std::size_t kCellWidth = 6;

// A value split into decimal digits: value = 0.d0 d1 d2 ... x 10^(exp + 1),
// i.e. digits[0] has the weight 10^exp. Only the first `count` digits are
// meaningful; every later position is zero.
struct DecimalDigits {
  char digits[24];
  int count = 0;
  int exp = 0;
};

// Splits the text of std::to_chars in scientific form ("d.ddde+XX", no sign)
// into its digits and exponent.
DecimalDigits SplitScientific(const char* first, const char* last) {
  DecimalDigits d;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.' && d.count < static_cast<int>(sizeof d.digits)) {
      d.digits[d.count++] = *p;
    }
  }
  if (p != last) {
    ++p;  // 'e'
    bool negative = false;
    if (p != last && (*p == '+' || *p == '-')) {
      negative = *p == '-';
      ++p;
    }
    int e = 0;
    for (; p != last; ++p) {
      e = e * 10 + (*p - '0');
    }
    d.exp = negative ? -e : e;
  }
  return d;
}

// Rounds d to its first `keep` digits, halves away from zero. A carry out of
// the leading digit (or a round-up when nothing is kept) gives 1 followed by
// zeros, one decimal place higher.
void RoundAt(DecimalDigits& d, int keep) {
  if (keep >= d.count) {
    return;
  }
  if (keep < 0) {
    d.count = 0;  // far below the last kept place: zero
    return;
  }
  const bool up = d.digits[keep] >= '5';
  d.count = keep;
  if (!up) {
    return;
  }
  int i = keep - 1;
  while (i >= 0 && d.digits[i] == '9') {
    d.digits[i] = '0';
    --i;
  }
  if (i >= 0) {
    ++d.digits[i];
    return;
  }
  d.digits[0] = '1';
  for (int j = 1; j < keep; ++j) {
    d.digits[j] = '0';
  }
  d.count = std::max(keep, 1);
  ++d.exp;
}

// The magnitude of a finite double to 15 significant digits, correctly
// rounded from the exact binary value.
DecimalDigits DoubleDigits(double magnitude) {
  char buf[40];
  // Fast path for normal values: the shortest text that reads back to the
  // value. With at most 15 digits it is the 15-digit rounding itself (two
  // 15-digit decimals never read back to the same normal double). With 16 or
  // 17 digits, rounding it once more gives the same result as rounding the
  // exact value, except when it ends on a lone 5 in the 16th place: then the
  // exact value decides. Subnormals carry fewer bits and take the exact path.
  if (magnitude == 0 || magnitude >= std::numeric_limits<double>::min()) {
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    DecimalDigits d = SplitScientific(buf, r.ptr);
    if (d.count <= kDoubleDigits) {
      return d;
    }
    if (d.count > kDoubleDigits + 1 || d.digits[kDoubleDigits] != '5') {
      RoundAt(d, kDoubleDigits);
      return d;
    }
  }
  const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                               kDoubleDigits - 1);
  return SplitScientific(buf, r.ptr);
}

// Rounds d to the decimal place 10^-decimals, halves away from zero.
void RoundToDecimals(DecimalDigits& d, int decimals) { RoundAt(d, d.exp + 1 + decimals); }

// The digit of d with the weight 10^power.
char DigitAt(const DecimalDigits& d, int power) {
  const int index = d.exp - power;
  return (index >= 0 && index < d.count) ? d.digits[index] : '0';
}

bool IsZero(const DecimalDigits& d) {
  for (int i = 0; i < d.count; ++i) {
    if (d.digits[i] != '0') {
      return false;
    }
  }
  return true;
}

// The layout a picture pattern asks for. Only '#', '0' and '.' carry meaning.
struct Picture {
  int minIntegerDigits = 0;  // placeholders from the leftmost integer '0' to the point
  int minDecimals = 0;       // decimal placeholders up to the last decimal '0'
  int maxDecimals = 0;       // all decimal placeholders
  bool point = false;
};

Picture ReadPicture(std::string_view pattern) {
  Picture pic;
  const std::size_t dot = pattern.find('.');
  const std::string_view integerPart = pattern.substr(0, dot);
  int placeholders = 0;
  for (auto it = integerPart.rbegin(); it != integerPart.rend(); ++it) {
    if (*it == '#' || *it == '0') {
      ++placeholders;
      if (*it == '0') {
        pic.minIntegerDigits = placeholders;
      }
    }
  }
  if (dot != std::string_view::npos) {
    pic.point = true;
    for (const char c : pattern.substr(dot + 1)) {
      if (c == '#' || c == '0') {
        ++pic.maxDecimals;
        if (c == '0') {
          pic.minDecimals = pic.maxDecimals;
        }
      }
    }
  }
  return pic;
}

// Formats value with a picture pattern into buf and returns the length of the
// text; nothing is written when the text is longer than capacity.
std::size_t FormatInto(double value, std::string_view pattern, char* buf, std::size_t capacity) {
  if (!std::isfinite(value)) {
    return 0;
  }
  const Picture pic = ReadPicture(pattern);
  DecimalDigits d = DoubleDigits(std::fabs(value));
  RoundToDecimals(d, pic.maxDecimals);
  const bool zero = IsZero(d);

  const int integerDigits = zero || d.exp < 0 ? 0 : d.exp + 1;
  const int integerLength = std::max(integerDigits, pic.minIntegerDigits);
  int decimalLength = pic.minDecimals;
  for (int k = pic.maxDecimals; k > pic.minDecimals; --k) {
    if (DigitAt(d, -k) != '0') {
      decimalLength = k;
      break;
    }
  }
  const bool minus = value < 0 && !zero;
  const std::size_t length = (minus ? 1u : 0u) + static_cast<std::size_t>(integerLength) +
                             (pic.point ? 1u : 0u) + static_cast<std::size_t>(decimalLength);
  if (length > capacity) {
    return length;
  }
  char* out = buf;
  if (minus) {
    *out++ = '-';
  }
  for (int power = integerLength - 1; power >= 0; --power) {
    *out++ = DigitAt(d, power);
  }
  if (pic.point) {
    *out++ = '.';
  }
  for (int k = 1; k <= decimalLength; ++k) {
    *out++ = DigitAt(d, -k);
  }
  return length;
}

// The formatted value right-aligned to a cell, or empty when longer than a
// cell. An empty formatted value gives a cell of blanks.
std::string CellFromPicture(double value, std::string_view pattern) {
  char buf[kCellWidth];
  const std::size_t length = FormatInto(value, pattern, buf, kCellWidth);
  if (length > kCellWidth) {
    return std::string();
  }
  std::string cell(kCellWidth, ' ');
  std::memcpy(cell.data() + (kCellWidth - length), buf, length);
  return cell;
}

// Writes digits and exponent in the general decimal form: plain decimals
// when the decimal exponent lies in -5..(precision - 1), otherwise a mantissa
// with "E", the exponent's sign and at least two exponent digits. Trailing
// zeros and a trailing point are never written.
std::string WriteGeneral(bool negative, DecimalDigits d, int precision) {
  while (d.count > 1 && d.digits[d.count - 1] == '0') {
    --d.count;
  }
  char buf[48];
  char* out = buf;
  if (negative) {
    *out++ = '-';
  }
  if (d.exp >= precision || d.exp < -5) {
    *out++ = d.digits[0];
    if (d.count > 1) {
      *out++ = '.';
      out = std::copy(d.digits + 1, d.digits + d.count, out);
    }
    *out++ = 'E';
    *out++ = d.exp < 0 ? '-' : '+';
    const int e = d.exp < 0 ? -d.exp : d.exp;
    if (e < 10) {
      *out++ = '0';
    }
    out = std::to_chars(out, buf + sizeof buf, e).ptr;
  } else if (d.exp >= 0) {
    for (int power = d.exp; power >= 0; --power) {
      *out++ = DigitAt(d, power);
    }
    if (d.count > d.exp + 1) {
      *out++ = '.';
      out = std::copy(d.digits + d.exp + 1, d.digits + d.count, out);
    }
  } else {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -d.exp - 1, '0');
    out = std::copy(d.digits, d.digits + d.count, out);
  }
  return std::string(buf, out);
}

// Checks the grammar of a decimal number and returns the part to hand to
// std::from_chars (blanks and a leading '+' removed), or nothing. Also tells
// whether the magnitude is at least 1, so that an out-of-range report can be
// told apart as overflow or underflow.
struct CheckedNumber {
  std::string_view core;
  bool negative = false;
  bool atLeastOne = false;  // decimal exponent of the leading nonzero digit >= 0
};

std::optional<CheckedNumber> CheckDecimal(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && text[b] == ' ') {
    ++b;
  }
  while (e > b && text[e - 1] == ' ') {
    --e;
  }
  const std::string_view s = text.substr(b, e - b);
  CheckedNumber out;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    out.negative = s[i] == '-';
    ++i;
  }
  // from_chars accepts a leading minus but no plus.
  const std::size_t coreStart = (out.negative ? 0 : i);
  int digits = 0;
  bool point = false;
  bool nonzero = false;
  long long integerDigits = 0;
  long long zerosAfterPoint = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      ++digits;
      if (!point) {
        if (nonzero || c != '0') {
          ++integerDigits;
        }
      } else if (!nonzero && c == '0') {
        ++zerosAfterPoint;
      }
      nonzero = nonzero || c != '0';
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) {
    return std::nullopt;
  }
  // Decimal exponent of the first nonzero mantissa digit.
  const long long leadingPower = integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1);
  long long exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
      negativeExponent = s[i] == '-';
      ++i;
    }
    int exponentDigits = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
      ++exponentDigits;
      if (exponent < 100000000) {  // saturate; any such exponent is out of range
        exponent = exponent * 10 + (s[i] - '0');
      }
    }
    if (exponentDigits == 0) {
      return std::nullopt;
    }
    if (negativeExponent) {
      exponent = -exponent;
    }
  }
  if (i != s.size()) {
    return std::nullopt;
  }
  out.core = s.substr(coreStart);
  out.atLeastOne = nonzero && leadingPower + exponent >= 0;
  return out;
}

// Converts a checked number with std::from_chars. A value beyond the type's
// range gives nothing; a nonzero value below its smallest magnitude reads as
// zero of the text's sign.
template <typename T>
std::optional<T> ConvertChecked(const CheckedNumber& n) {
  T value{};
  const char* first = n.core.data();
  const char* last = first + n.core.size();
  const auto r = std::from_chars(first, last, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    if (n.atLeastOne) {
      return std::nullopt;
    }
    return n.negative ? -T(0) : T(0);
  }
  if (r.ec != std::errc() || r.ptr != last || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
  char buf[64];
  const std::size_t length = FormatInto(value, pattern, buf, sizeof buf);
  if (length <= sizeof buf) {
    return std::string(buf, length);
  }
  std::string text(length, '0');  // huge magnitudes only
  FormatInto(value, pattern, text.data(), length);
  return text;
}

std::string CellText(double value, std::string_view pattern) {
  return CellFromPicture(value, pattern);
}

std::string FormatPrintValue(double value) {
  if (value > 9999) {
    return "  ----";
  }
  return CellFromPicture(value, "####.0");
}

std::string GeneralDouble(double value) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Inf" : "Inf";
  }
  if (value == 0) {
    return "0";
  }
  return WriteGeneral(value < 0, DoubleDigits(std::fabs(value)), kDoubleDigits);
}

std::string GeneralSingle(float value) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Inf" : "Inf";
  }
  if (value == 0) {
    return "0";
  }
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                               std::chars_format::scientific, kSingleDigits - 1);
  return WriteGeneral(value < 0, SplitScientific(buf, r.ptr), kSingleDigits);
}

std::string RoundTripDouble(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every double
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0)) {
    rounded = below + 1;
  }
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

std::optional<double> ParseDecimal(std::string_view text) {
  const auto checked = CheckDecimal(text);
  if (!checked) {
    return std::nullopt;
  }
  return ConvertChecked<double>(*checked);
}

std::optional<float> ParseSingle(std::string_view text) {
  const auto checked = CheckDecimal(text);
  if (!checked) {
    return std::nullopt;
  }
  return ConvertChecked<float>(*checked);
}

}  // namespace potelan

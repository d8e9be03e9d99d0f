#include "model/NumberFormat.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace potelan {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", c.value);
  return os << buf << " with \"" << c.pattern << "\" -> \"" << c.expected << "\"";
}

// ---------------------------------------------------------------------------
// FormatNumber

class FormatNumberTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTable, WritesExpectedText) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected);
}

// The entry boxes, the table cells and the report use these results directly.
INSTANTIATE_TEST_SUITE_P(
    DocumentedResults, FormatNumberTable,
    ::testing::Values(FormatCase{12, "###.##", "12."}, FormatCase{0.5, "###.##", ".5"},
                      FormatCase{12.345, "###.##", "12.35"}, FormatCase{0, "###.##", "."},
                      FormatCase{3, "##.#", "3."}, FormatCase{0, "#0.#", "0."},
                      FormatCase{-1.5, "#0.#", "-1.5"}, FormatCase{0.53216, "0.0000", "0.5322"},
                      FormatCase{5, "##0", "5"}, FormatCase{1234.56, "##0.0", "1234.6"},
                      FormatCase{0.04, "##0.0", "0.0"}, FormatCase{0.5, "####.0", ".5"},
                      FormatCase{0, "####.0", ".0"}, FormatCase{0.5, "0.0000", "0.5000"},
                      FormatCase{12.34, "##0.0", "12.3"}, FormatCase{0, "####", ""},
                      FormatCase{0, "###", ""}));

// Every pattern in use, required and optional digits on both sides of the point.
INSTANTIATE_TEST_SUITE_P(
    PatternsInUse, FormatNumberTable,
    ::testing::Values(FormatCase{0.4, "0.000", "0.400"}, FormatCase{1.2345, "0.000", "1.235"},
                      FormatCase{0, "0.000", "0.000"}, FormatCase{7, "##.0", "7.0"},
                      FormatCase{0.25, "##.0", ".3"}, FormatCase{123.45, "##.0", "123.5"},
                      FormatCase{250.04, "###.0", "250.0"}, FormatCase{-0.3, "###.0", "-.3"},
                      FormatCase{0, "###0.0", "0.0"}, FormatCase{-12.25, "###0.0", "-12.3"},
                      FormatCase{9999.94, "###0.0", "9999.9"}, FormatCase{123.4, "####", "123"},
                      FormatCase{0.5, "####", "1"}, FormatCase{0.49, "####", ""},
                      FormatCase{12.5, "##0", "13"}, FormatCase{0.2, "##0", "0"},
                      FormatCase{150, "##0", "150"}, FormatCase{271.8, "###", "272"},
                      FormatCase{0.6, "#0.#", "0.6"}, FormatCase{12.04, "#0.#", "12."},
                      FormatCase{120.5, "###.##", "120.5"}, FormatCase{120.10, "###.##", "120.1"},
                      FormatCase{-35.125, "###.##", "-35.13"}, FormatCase{30, "##.#", "30."}));

// Rounding works on the value taken to 15 significant digits, halves away
// from zero, with carries into new integer digits.
INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatNumberTable,
    ::testing::Values(
        // Binary doubles just below a decimal half still round up.
        FormatCase{1.005, "0.00", "1.01"}, FormatCase{2.675, "0.00", "2.68"},
        FormatCase{0.999995, "0.0000", "1.0000"}, FormatCase{0.999995, "###.##", "1."},
        FormatCase{0.99994999, "0.0000", "0.9999"},
        // Exact halves.
        FormatCase{0.125, "0.00", "0.13"}, FormatCase{-0.125, "0.00", "-0.13"},
        FormatCase{2.5, "##0", "3"}, FormatCase{-2.5, "##0", "-3"},
        // Carries through all digits.
        FormatCase{9.96, "##.#", "10."}, FormatCase{99.95, "##0.0", "100.0"},
        FormatCase{999.96, "###.0", "1000.0"}, FormatCase{-9.96, "##.#", "-10."},
        FormatCase{-9.995, "###.##", "-10."}, FormatCase{-99.99, "##0.0", "-100.0"},
        FormatCase{0.96, "#0.#", "1."}, FormatCase{0.05, "####.0", ".1"},
        FormatCase{0.00005, "0.0000", "0.0001"}, FormatCase{0.00004999, "0.0000", "0.0000"},
        // Values that round to zero lose their sign.
        FormatCase{-0.04, "##0.0", "0.0"}, FormatCase{-0.004, "###.##", "."},
        FormatCase{-0.0, "#0.#", "0."}, FormatCase{-0.4, "####", ""},
        FormatCase{-1e-20, "0.0000", "0.0000"}, FormatCase{-0.05, "##0.0", "-0.1"},
        // Large and tiny magnitudes.
        FormatCase{1e6, "##0.0", "1000000.0"}, FormatCase{-1e6, "##0.0", "-1000000.0"},
        FormatCase{123456789.987, "##0.0", "123456790.0"},
        FormatCase{1e20, "####", "100000000000000000000"}, FormatCase{1e-300, "0.000", "0.000"},
        FormatCase{4.9406564584124654e-324, "#0.#", "0."}));

// Doubles just below a decimal half whose shortest text still shows the
// difference: the 15-digit step makes them halves, which round up.
TEST(FormatNumber, FifteenDigitStepBeforeRounding) {
  const double belowHalf = std::nextafter(0.12345, 0.0);
  ASSERT_NE(RoundTripDouble(belowHalf), "0.12345");
  EXPECT_EQ(FormatNumber(belowHalf, "0.0000"), "0.1235");
  EXPECT_EQ(FormatNumber(-belowHalf, "0.0000"), "-0.1235");
  const double twelve = std::nextafter(std::nextafter(12.345, 0.0), 0.0);
  ASSERT_NE(RoundTripDouble(twelve), "12.345");
  EXPECT_EQ(FormatNumber(twelve, "###.##"), "12.35");
  // Sixteen significant digits away from the half are not lost.
  EXPECT_EQ(FormatNumber(0.1234499999999, "0.0000"), "0.1234");
  EXPECT_EQ(FormatNumber(12.34499999999, "###.##"), "12.34");
}

// Non-finite values have no text.
TEST(FormatNumber, NonFiniteValuesGiveEmptyText) {
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "##0.0"), "");
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "##0.0"), "");
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "0.0000"), "");
}

// The patterns with only required decimal digits and a required units digit
// write exactly what printf's "%.Nf" writes, except near a decimal half (where
// printf rounds the binary value) and for a negative zero.
TEST(FormatNumber, AgreesWithPrintfAwayFromHalves) {
  struct Fixed {
    const char* pattern;
    int decimals;
  };
  const Fixed patterns[] = {{"0.0000", 4}, {"0.000", 3}, {"##0.0", 1}, {"###0.0", 1}};
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<double> exponent(-6.0, 9.0);
  std::bernoulli_distribution negative(0.3);
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    double v = std::pow(10.0, exponent(rng));
    if (negative(rng)) v = -v;
    for (const Fixed& f : patterns) {
      const double scaled = std::fabs(v) * std::pow(10.0, f.decimals);
      const double frac = scaled - std::floor(scaled);
      // The 15-digit step moves a value by up to 5e-15 of itself.
      if (std::fabs(frac - 0.5) < std::max(1e-6, scaled * 1e-13)) continue;
      char buf[64];
      std::snprintf(buf, sizeof buf, "%.*f", f.decimals, v);
      std::string expected = buf;
      if (expected[0] == '-' && expected.find_first_of("123456789") == std::string::npos) {
        expected.erase(0, 1);
      }
      ASSERT_EQ(FormatNumber(v, f.pattern), expected) << "value " << v << " pattern " << f.pattern;
      ++compared;
    }
  }
  EXPECT_GT(compared, 70000);
}

// Reads a formatted text back; a text without digits ("", ".") stands for 0.
double ReadBack(const std::string& text) {
  if (text.find_first_of("0123456789") == std::string::npos) return 0.0;
  const auto v = ParseDecimal(text);
  EXPECT_TRUE(v.has_value()) << "unreadable \"" << text << "\"";
  return v.value_or(std::numeric_limits<double>::quiet_NaN());
}

// For every pattern in use and many values: the text reads back to within half
// a unit of the last decimal, has the optional/required digits right, and
// carries no superfluous zeros.
TEST(FormatNumber, PatternsInUseKeepTheirShape) {
  struct Shape {
    const char* pattern;
    int minInt, minDec, maxDec;
    bool point;
  };
  const Shape shapes[] = {
      {"###.##", 0, 0, 2, true}, {"0.0000", 1, 4, 4, true}, {"##0.0", 1, 1, 1, true},
      {"###0.0", 1, 1, 1, true}, {"####", 0, 0, 0, false},  {"#0.#", 1, 0, 1, true},
      {"##.#", 0, 0, 1, true},   {"###.0", 0, 1, 1, true},  {"####.0", 0, 1, 1, true},
      {"##0", 1, 0, 0, false},   {"0.000", 1, 3, 3, true},  {"###", 0, 0, 0, false},
      {"##.0", 0, 1, 1, true}};
  std::mt19937_64 rng(77);
  std::uniform_real_distribution<double> exponent(-5.0, 7.0);
  std::uniform_int_distribution<int> cents(-200000, 200000);
  for (int i = 0; i < 5000; ++i) {
    // Half the values are continuous, half are short decimals (ties included).
    const double v = (i % 2 == 0) ? ((i % 4 == 0) ? 1 : -1) * std::pow(10.0, exponent(rng))
                                  : cents(rng) / 1000.0;
    for (const Shape& s : shapes) {
      const std::string t = FormatNumber(v, s.pattern);
      SCOPED_TRACE(::testing::Message()
                   << "value " << v << " pattern " << s.pattern << " text \"" << t << "\"");
      const double unit = std::pow(10.0, -s.maxDec);
      EXPECT_LE(std::fabs(ReadBack(t) - v), unit / 2 * (1 + 1e-9) + std::fabs(v) * 1e-14);

      const std::string_view body = std::string_view(t).substr(t.size() > 0 && t[0] == '-');
      const std::size_t dot = body.find('.');
      ASSERT_EQ(dot != std::string_view::npos, s.point);
      const std::string_view intPart = body.substr(0, dot);
      const std::string_view decPart =
          dot == std::string_view::npos ? std::string_view() : body.substr(dot + 1);
      EXPECT_GE(static_cast<int>(intPart.size()), s.minInt);
      if (static_cast<int>(intPart.size()) > s.minInt) {
        EXPECT_NE(intPart[0], '0');
      }
      EXPECT_GE(static_cast<int>(decPart.size()), s.minDec);
      EXPECT_LE(static_cast<int>(decPart.size()), s.maxDec);
      if (static_cast<int>(decPart.size()) > s.minDec) {
        EXPECT_NE(decPart.back(), '0');
      }
      if (t.size() > 0 && t[0] == '-') {
        EXPECT_NE(ReadBack(t), 0.0) << "minus sign on a zero";
      }
    }
  }
}

// ---------------------------------------------------------------------------
// CellText and FormatPrintValue

struct CellCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(CellText, RightAlignsToSixOrHides) {
  const CellCase cases[] = {{0, "##0", "     0"},         {150, "##0", "   150"},
                            {12.34, "##0.0", "  12.3"},   {10000, "###0.0", ""},
                            {-1000, "###0.0", ""},        {9999.9, "###0.0", "9999.9"},
                            {-999.9, "###0.0", "-999.9"}, {0.53216, "0.0000", "0.5322"},
                            {-0.5, "0.0000", ""},         {12.345, "0.0000", ""},
                            {1e6, "##0.0", ""},           {99999.4, "##0", " 99999"},
                            {-99999.4, "##0", "-99999"},  {999999.5, "##0", ""}};
  for (const CellCase& c : cases) {
    const std::string t = CellText(c.value, c.pattern);
    EXPECT_EQ(t, c.expected) << c.value << " with " << c.pattern;
    EXPECT_TRUE(t.empty() || t.size() == 6);
  }
}

TEST(CellText, EmptyFormattedTextBecomesSixBlanks) {
  EXPECT_EQ(CellText(0, "####"), "      ");
  EXPECT_EQ(CellText(std::numeric_limits<double>::quiet_NaN(), "##0.0"), "      ");
}

TEST(FormatPrintValue, WritesOneDecimalInSixCharacters) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {{0.5, "    .5"},    {0, "    .0"},           {10000, "  ----"},   {-1000, ""},
               {9999, "9999.0"},   {9998.96, "9999.0"},     {9999.01, "  ----"}, {1e30, "  ----"},
               {-999.9, "-999.9"}, {-999.95, ""},           {123.45, " 123.5"},  {-0.04, "    .0"},
               {-0.5, "   -.5"},   {9999.0000001, "  ----"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatPrintValue(c.value), c.expected) << c.value;
  }
}

// ---------------------------------------------------------------------------
// GeneralDouble and GeneralSingle

TEST(GeneralDouble, WritesPlainDecimals) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {{0.5, "0.5"},
               {-0.25, "-0.25"},
               {10000.0, "10000"},
               {static_cast<double>(12.3f), "12.3000001907349"},
               {0, "0"},
               {-0.0, "0"},
               {150, "150"},
               {-7, "-7"},
               {0.1, "0.1"},
               {1.0 / 3.0, "0.333333333333333"},
               {2.0 / 3.0, "0.666666666666667"},
               {123456789012345.0, "123456789012345"},
               {999999999999999.0, "999999999999999"},
               {0.00001, "0.00001"},
               {0.000012345, "0.000012345"},
               {0.9999999999999999, "1"},
               {99.99999999999999, "100"},
               {1e15, "1E+15"},
               {1.5e20, "1.5E+20"},
               {-1.5e20, "-1.5E+20"},
               {9999999999999999.0, "1E+16"},
               {1.2e-7, "1.2E-07"},
               {0.000001, "1E-06"},
               {0.0000099999999999999999, "0.00001"},
               {1e300, "1E+300"},
               {-2.5e-300, "-2.5E-300"},
               {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
               {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"}};
  for (const auto& c : cases) {
    EXPECT_EQ(GeneralDouble(c.value), c.expected) << c.value;
  }
}

// Reading the general form back gives the value rounded to 15 significant
// digits, as the C library writes it with "%.14e".
TEST(GeneralDouble, ReadsBackAsFifteenDigitValue) {
  std::mt19937_64 rng(4242);
  std::uniform_real_distribution<double> exponent(-12.0, 22.0);
  for (int i = 0; i < 5000; ++i) {
    double v = std::pow(10.0, exponent(rng));
    if (i % 3 == 0) v = -v;
    if (i % 7 == 0) v = std::round(v);
    const std::string t = GeneralDouble(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    const double fifteen = std::strtod(buf, nullptr);
    const auto back = ParseDecimal(t);
    ASSERT_TRUE(back.has_value()) << t;
    EXPECT_EQ(*back, fifteen) << t;
    // No trailing zeros after a point, no trailing point, no separators.
    const std::size_t e = t.find('E');
    const std::string mantissa = t.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
      EXPECT_NE(mantissa.back(), '0') << t;
    }
    EXPECT_NE(mantissa.back(), '.') << t;
    EXPECT_EQ(t.find(','), std::string::npos) << t;
    EXPECT_EQ(t.find(' '), std::string::npos) << t;
    // The exponent form is used exactly outside 1e-5 <= |v| < 1e15.
    const double a = std::fabs(fifteen);
    EXPECT_EQ(e != std::string::npos, a >= 1e15 || (a < 1e-5 && a != 0)) << t;
  }
}

// The same over random bit patterns (subnormals included) and over values
// whose shortest text has a 5 in the 16th place, where rounding the shortest
// text instead of the exact value would go the wrong way.
TEST(GeneralDouble, FifteenDigitRoundingOfTheExactValue) {
  auto check = [](double v) {
    const std::string t = GeneralDouble(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    const auto back = ParseDecimal(t);
    ASSERT_TRUE(back.has_value()) << t;
    EXPECT_EQ(*back, std::strtod(buf, nullptr)) << t << " for " << buf;
  };
  std::mt19937_64 rng(31337);
  for (int i = 0; i < 5000; ++i) {
    const double v = std::bit_cast<double>(rng());
    if (std::isfinite(v)) check(v);
  }
  for (int i = 0; i < 5000; ++i) {
    check(std::bit_cast<double>(rng() & 0x000FFFFFFFFFFFFFull));  // subnormals
  }
  std::uniform_int_distribution<std::int64_t> digits15(100000000000000, 999999999999999);
  std::uniform_int_distribution<int> exponent(-30, 30);
  int ambiguous = 0;
  for (int i = 0; i < 20000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld5e%d", static_cast<long long>(digits15(rng)),
                  exponent(rng));
    const double v = std::strtod(text, nullptr);
    char shortest[64];
    const auto r = std::to_chars(shortest, shortest + sizeof shortest, v);
    if (std::string_view(shortest, static_cast<std::size_t>(r.ptr - shortest)).find("5e") !=
        std::string_view::npos) {
      ++ambiguous;
    }
    check(v);
  }
  EXPECT_GT(ambiguous, 1000);  // the awkward case was really exercised
}

TEST(GeneralSingle, WritesSevenSignificantDigits) {
  const struct {
    float value;
    const char* expected;
  } cases[] = {{0.5f, "0.5"},
               {0.1f, "0.1"},
               {12.3f, "12.3"},
               {150.f, "150"},
               {0.f, "0"},
               {-0.f, "0"},
               {-1.5f, "-1.5"},
               {1.0f / 3.0f, "0.3333333"},
               {123.45f, "123.45"},
               {0.5322f, "0.5322"},
               {9999999.f, "9999999"},
               {1e7f, "1E+07"},
               {12345678.f, "1.234568E+07"},
               {0.00001f, "0.00001"},
               {1.2e-7f, "1.2E-07"},
               {FLT_MAX, "3.402823E+38"}};
  for (const auto& c : cases) {
    EXPECT_EQ(GeneralSingle(c.value), c.expected) << c.value;
  }
}

// Reading the single form back as a single gives the float nearest to the
// value rounded to 7 significant digits.
TEST(GeneralSingle, ReadsBackAsSevenDigitValue) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> exponent(-4.0f, 6.5f);
  for (int i = 0; i < 5000; ++i) {
    float v = std::pow(10.0f, exponent(rng));
    if (i % 2 == 0) v = -v;
    const std::string t = GeneralSingle(v);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(v));
    const float seven = std::strtof(buf, nullptr);
    const auto back = ParseSingle(t);
    ASSERT_TRUE(back.has_value()) << t;
    EXPECT_EQ(*back, seven) << t;
  }
}

TEST(GeneralForms, NonFiniteValues) {
  EXPECT_EQ(GeneralDouble(std::numeric_limits<double>::quiet_NaN()), "NaN");
  EXPECT_EQ(GeneralDouble(-std::numeric_limits<double>::infinity()), "-Inf");
  EXPECT_EQ(GeneralSingle(std::numeric_limits<float>::infinity()), "Inf");
}

// ---------------------------------------------------------------------------
// RoundTripDouble

TEST(RoundTripDouble, RandomBitPatternsReadBackExactly) {
  std::mt19937_64 rng(12345);
  int checked = 0;
  while (checked < 5000) {
    const double v = std::bit_cast<double>(rng());
    if (!std::isfinite(v)) continue;
    ++checked;
    const std::string t = RoundTripDouble(v);
    const auto back = ParseDecimal(t);
    ASSERT_TRUE(back.has_value()) << t;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*back), std::bit_cast<std::uint64_t>(v)) << t;
    // Never longer than the 17 digits that always suffice.
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.17g", v);
    EXPECT_LE(static_cast<int>(t.size()), n) << t << " vs " << buf;
  }
}

TEST(RoundTripDouble, ShortValuesStayShort) {
  EXPECT_EQ(RoundTripDouble(0.1), "0.1");
  EXPECT_EQ(RoundTripDouble(12.5), "12.5");
  EXPECT_EQ(RoundTripDouble(-150), "-150");
  EXPECT_EQ(RoundTripDouble(static_cast<double>(12.3f)), "12.300000190734863");
  const double third = 1.0 / 3.0;
  EXPECT_EQ(ParseDecimal(RoundTripDouble(third)), third);
  EXPECT_EQ(ParseDecimal(RoundTripDouble(std::numeric_limits<double>::denorm_min())),
            std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ParseDecimal(RoundTripDouble(-std::numeric_limits<double>::max())),
            -std::numeric_limits<double>::max());
}

// ---------------------------------------------------------------------------
// RoundToInt16

TEST(RoundToInt16, RoundsHalvesToEven) {
  const struct {
    double value;
    int expected;
  } cases[] = {{2.5, 2},
               {3.5, 4},
               {-2.5, -2},
               {-3.5, -4},
               {2.6, 3},
               {2.4, 2},
               {-2.6, -3},
               {0.5, 0},
               {-0.5, 0},
               {1.5, 2},
               {0.49999999999999994, 0},
               {150, 150},
               {-0.0, 0},
               {32767.4, 32767},
               {32766.5, 32766},
               {-32768.5, -32768},
               {-32767.5, -32768},
               {-32768.4, -32768}};
  for (const auto& c : cases) {
    const auto r = RoundToInt16(c.value);
    ASSERT_TRUE(r.has_value()) << c.value;
    EXPECT_EQ(*r, c.expected) << c.value;
  }
}

TEST(RoundToInt16, RejectsOutOfRangeAndNonFinite) {
  for (const double v :
       {32767.5, 32768.0, -32768.51, -32769.5, 1e10, -1e300,
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(RoundToInt16(v).has_value()) << v;
  }
}

// Over the whole range, the result agrees with the C library's rounding to
// nearest (halves to even) in the default rounding mode.
TEST(RoundToInt16, AgreesWithNearbyIntAcrossTheRange) {
  for (int k = -32768 * 4 - 4; k <= 32767 * 4 + 4; ++k) {
    const double v = k / 4.0;  // integers, quarters and exact halves
    const double n = std::nearbyint(v);
    const auto r = RoundToInt16(v);
    if (n < -32768 || n > 32767) {
      EXPECT_FALSE(r.has_value()) << v;
    } else {
      ASSERT_TRUE(r.has_value()) << v;
      EXPECT_EQ(*r, n) << v;
    }
  }
}

// ---------------------------------------------------------------------------
// ParseDecimal and ParseSingle

TEST(ParseDecimal, ReadsValidNumbers) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {{"12.3", 12.3},
               {" 7", 7},
               {"-5", -5},
               {"+5", 5},
               {".5", 0.5},
               {"5.", 5},
               {"1e3", 1000},
               {"1E+3", 1000},
               {"2.5e-3", 0.0025},
               {"  -0.25  ", -0.25},
               {"007", 7},
               {"-.5", -0.5},
               {"+.5e1", 5},
               {"0", 0},
               {"120.50", 120.5},
               {"1.7976931348623157e308", DBL_MAX},
               {"123456789012345678901234567890", 123456789012345678901234567890.0}};
  for (const auto& c : cases) {
    const auto v = ParseDecimal(c.text);
    ASSERT_TRUE(v.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*v, c.expected) << '"' << c.text << '"';
  }
}

const char* const kInvalidNumbers[] = {
    "",    " ",    ".",       "-",   "+",     "1.2.3", "1-2",  "1,5",  "12a",  "--5",
    "1e",  "1e+",  "e5",      ".e5", "- 5",   "1 2",   "\t5",  "5\t",  "0x10", "inf",
    "nan", "1e5.", "1.5e2.5", "+-1", "1e--2", "5 .",   "１２", "12 a", "1d5",  "Infinity"};

TEST(ParseDecimal, RejectsEverythingElse) {
  for (const char* t : kInvalidNumbers) {
    EXPECT_FALSE(ParseDecimal(t).has_value()) << '"' << t << '"';
  }
}

TEST(ParseDecimal, OverflowGivesNothingUnderflowGivesZero) {
  EXPECT_FALSE(ParseDecimal("1e999").has_value());
  EXPECT_FALSE(ParseDecimal("-1e999").has_value());
  EXPECT_FALSE(ParseDecimal("1.8e308").has_value());
  EXPECT_FALSE(ParseDecimal("0.001e99999999999999999999").has_value());
  const auto tiny = ParseDecimal("1e-999");
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(*tiny, 0.0);
  const auto negativeTiny = ParseDecimal("-0.0001e-400");
  ASSERT_TRUE(negativeTiny.has_value());
  EXPECT_EQ(*negativeTiny, 0.0);
  // A long run of zeros is no overflow.
  EXPECT_EQ(ParseDecimal("0e999"), 0.0);
  EXPECT_EQ(ParseDecimal("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(ParseSingle, RoundsCorrectlyToSingle) {
  const auto a = ParseSingle("12.3");
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(static_cast<double>(*a), 12.300000190734863);
  const auto b = ParseSingle("123.45");
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(static_cast<double>(*b), 123.4499969482421875);
  EXPECT_EQ(ParseSingle(" -0.5 "), -0.5f);
  EXPECT_EQ(ParseSingle("+1e3"), 1000.0f);
  EXPECT_EQ(ParseSingle("3.4028235e38"), FLT_MAX);
  // Just above the half-way point between 1 and the next single: going through
  // a double would land exactly on the half and round down to 1.
  EXPECT_EQ(ParseSingle("1.0000000596046447753906251"), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(ParseSingle("1.0000000596046447753906249"), 1.0f);
}

TEST(ParseSingle, RejectsInvalidAndOutOfRange) {
  for (const char* t : kInvalidNumbers) {
    EXPECT_FALSE(ParseSingle(t).has_value()) << '"' << t << '"';
  }
  EXPECT_FALSE(ParseSingle("1e39").has_value());
  EXPECT_FALSE(ParseSingle("-3.5e38").has_value());
  EXPECT_FALSE(ParseSingle("3.4028236e38").has_value());
  const auto tiny = ParseSingle("1e-50");
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(*tiny, 0.0f);
  EXPECT_EQ(ParseSingle("1.4e-45"), std::numeric_limits<float>::denorm_min());
}

// Every single that the general single form writes reads back through
// ParseSingle as the same single as the C library's strtof.
TEST(ParseSingle, AgreesWithStrtofOnDecimalTexts) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> digits(0, 9999999);
  std::uniform_int_distribution<int> exponent(-12, 12);
  for (int i = 0; i < 5000; ++i) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%d.%07de%d", (i % 2) ? "-" : "", digits(rng) % 1000,
                  digits(rng), exponent(rng));
    const auto v = ParseSingle(buf);
    ASSERT_TRUE(v.has_value()) << buf;
    EXPECT_EQ(*v, std::strtof(buf, nullptr)) << buf;
    const auto d = ParseDecimal(buf);
    ASSERT_TRUE(d.has_value()) << buf;
    EXPECT_EQ(*d, std::strtod(buf, nullptr)) << buf;
  }
}

}  // namespace
}  // namespace potelan

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stowbel {

// The decimal separator that the order text and the report use. The programs take it from the
// user's regional settings; the calculation never reads the locale itself.
struct NumberFormat {
    char decimalSeparator = '.';

    static NumberFormat FromEnvironment();
};

// Reads a text as a double. Valid: digits and at most one decimal separator, at least one
// digit, nothing else (no sign, exponent, blank or letter) and a finite value.
std::optional<double> ReadDecimal(std::string_view text, const NumberFormat& format);

// Reads a text of digits only as an integer up to 2147483647.
std::optional<std::int64_t> ReadDigits(std::string_view text);

// The same, throwing an OrderError of the line (0-based lineIndex) that quotes the text in
// Russian: "«2.5.5» — не число", "«x» — не целое число".
double ParseFloatRun(std::string_view run, const NumberFormat& format, int lineIndex);
std::int64_t ParseIntegerRun(std::string_view run, int lineIndex);

std::string FormatInteger(long long value);

// Shortest decimal form with at most 15 significant digits, no trailing zeros, no separator for
// whole values, no grouping. Plain for magnitudes from 0.00001 to below 10^15, else d.dddE±x.
std::string FormatGeneral(double value, const NumberFormat& format);

// Metres to a tenth and to a hundredth of a length in millimetres: Round(x / 100) / 10 and
// Round(x / 10) / 100, divided in extended precision and rounded ties to even.
std::string FormatMetresToTenths(long double millimetres, const NumberFormat& format);
std::string FormatMetresToHundredths(long double millimetres, const NumberFormat& format);

}  // namespace stowbel

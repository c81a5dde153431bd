#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stowbel {

// The decimal separator that the order text and the report use. The programs take it from the
// user's regional settings; the calculation never reads the locale itself.
struct NumberFormat {
    char decimalSeparator = '.';

    static NumberFormat FromEnvironment();
};

// Reads a run of the number set ("1234567890.") as a double. Valid: at least one digit and at
// most one decimal separator. Throws an OrderError with the runtime's conversion message
// otherwise; lineIndex (0-based) is the line it names.
double ParseFloatRun(std::string_view run, const NumberFormat& format, int lineIndex);

// Reads a run of digits as an integer; empty or above 2147483647 throws an OrderError.
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

#include "order/number_format.h"

#include <langinfo.h>
#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "order/errors.h"
#include "order/rounding.h"

namespace stowbel {

NumberFormat NumberFormat::FromEnvironment() {
    NumberFormat format;
    // A private locale object: the process-wide locale is never changed.
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) {
        return format;
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    if (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') {
        format.decimalSeparator = radix[0];
    }
    freelocale(loc);
    return format;
}

namespace {

[[noreturn]] void ThrowFloatError(std::string_view run, int lineIndex) {
    throw OrderError(OrderError::Kind::Conversion,
                     "'" + std::string(run) + "' is not a valid floating point value",
                     lineIndex + 1);
}

}  // namespace

double ParseFloatRun(std::string_view run, const NumberFormat& format, int lineIndex) {
    std::string text;
    text.reserve(run.size());
    int digits = 0;
    int separators = 0;
    for (char ch : run) {
        if (ch >= '0' && ch <= '9') {
            ++digits;
            text.push_back(ch);
        } else if (ch == format.decimalSeparator) {
            ++separators;
            text.push_back('.');
        } else {
            ThrowFloatError(run, lineIndex);
        }
    }
    if (digits == 0 || separators > 1) {
        ThrowFloatError(run, lineIndex);
    }
    double value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec != std::errc() || end != last || !std::isfinite(value)) {
        ThrowFloatError(run, lineIndex);
    }
    return value;
}

std::int64_t ParseIntegerRun(std::string_view run, int lineIndex) {
    constexpr std::int64_t kMaxInt32 = 2147483647;
    std::int64_t value = 0;
    bool valid = !run.empty();
    for (char ch : run) {
        if (ch < '0' || ch > '9') {
            valid = false;
            break;
        }
        value = value * 10 + (ch - '0');
        if (value > kMaxInt32) {
            valid = false;
            break;
        }
    }
    if (!valid) {
        throw OrderError(OrderError::Kind::Conversion,
                         "'" + std::string(run) + "' is not a valid integer value", lineIndex + 1);
    }
    return value;
}

std::string FormatInteger(long long value) {
    return std::to_string(value);
}

std::string FormatGeneral(double value, const NumberFormat& format) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "INF" : "-INF";
    }
    if (value == 0) {
        return "0";
    }
    // 15 significant digits, correctly rounded from the binary value.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string_view text(buffer);
    std::string sign;
    if (text.front() == '-') {
        sign = "-";
        text.remove_prefix(1);
    }
    std::string digits;
    digits.push_back(text[0]);
    const std::size_t ePos = text.find('e');
    digits.append(text.substr(2, ePos - 2));
    const int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string result = sign;
    const char sep = format.decimalSeparator;
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            result += "0";
            result += sep;
            result.append(static_cast<std::size_t>(-exponent - 1), '0');
            result += digits;
        } else {
            const auto intLen = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intLen) {
                result += digits;
                result.append(intLen - digits.size(), '0');
            } else {
                result += digits.substr(0, intLen);
                result += sep;
                result += digits.substr(intLen);
            }
        }
        return result;
    }
    result += digits.substr(0, 1);
    if (digits.size() > 1) {
        result += sep;
        result += digits.substr(1);
    }
    result += "E";
    result += std::to_string(exponent);
    return result;
}

std::string FormatMetresToTenths(long double millimetres, const NumberFormat& format) {
    const long double tenths = Round(millimetres / 100.0L);
    return FormatGeneral(static_cast<double>(tenths / 10.0L), format);
}

std::string FormatMetresToHundredths(long double millimetres, const NumberFormat& format) {
    const long double hundredths = Round(millimetres / 10.0L);
    return FormatGeneral(static_cast<double>(hundredths / 100.0L), format);
}

}  // namespace stowbel

#include "ui/main/TrafficFigures.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace velnix {
namespace {

constexpr double kKilo = 1024.0;
constexpr double kMega = 1048576.0;
constexpr double kGiga = 1073741824.0;

constexpr std::string_view kWholePattern = "# ### ### ### ##0";
constexpr std::string_view kFractionPattern = "# ### ### ### ##0.00";

// The digits of a rounded magnitude.
struct Digits {
    std::string whole;     // without leading zeros: empty for a magnitude below 1
    std::string fraction;  // exactly `decimals` digits
};

// The magnitude of `value` rounded to `decimals` places, halves away from zero, judged on the
// exact binary value: every double has a finite decimal expansion of at most 1074 places, so
// printing that many places is exact and the first dropped digit decides the rounding.
Digits RoundAwayFromZero(double value, std::size_t decimals) {
    constexpr int kExactPlaces = 1074;
    std::array<char, 1500> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::fixed, kExactPlaces);
    const std::string_view exact(buffer.data(),
                                 static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t point = exact.find('.');
    std::string kept(exact.substr(0, point));
    kept += exact.substr(point + 1, decimals);
    if (exact[point + 1 + decimals] >= '5') {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') {
            kept[--i] = '0';
        }
        if (i == 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[i - 1];
        }
    }
    Digits digits{kept.substr(0, kept.size() - decimals), kept.substr(kept.size() - decimals)};
    const std::size_t firstSignificant = digits.whole.find_first_not_of('0');
    digits.whole.erase(
        0, firstSignificant == std::string::npos ? digits.whole.size() : firstSignificant);
    return digits;
}

// Lays `value` into a pattern of "#" (a digit if the number has one here), "0" (a digit, "0"
// if none), spaces (always copied) and at most one "." followed only by "0"s (the decimal
// separator; the number is rounded to that many places). Digits beyond the pattern's leftmost
// placeholder go in front of it. A negative number gets its minus sign at the very start.
std::string FormatWithPattern(double value, std::string_view pattern,
                              std::string_view decimalSeparator) {
    const std::size_t point = pattern.find('.');
    const std::string_view wholePattern = pattern.substr(0, point);
    const std::string_view fractionPattern =
        point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    const Digits digits = RoundAwayFromZero(value, fractionPattern.size());

    // The whole part is filled from its right end.
    std::string whole;
    std::size_t remaining = digits.whole.size();
    const std::size_t leftmostPlaceholder = wholePattern.find_first_of("#0");
    for (std::size_t i = wholePattern.size(); i-- > 0;) {
        const char c = wholePattern[i];
        if (c != '#' && c != '0') {
            whole.insert(whole.begin(), c);
            continue;
        }
        if (i == leftmostPlaceholder && remaining > 0) {
            whole.insert(0, digits.whole.substr(0, remaining));
            remaining = 0;
        } else if (remaining > 0) {
            whole.insert(whole.begin(), digits.whole[--remaining]);
        } else if (c == '0') {
            whole.insert(whole.begin(), '0');
        }
    }

    std::string text;
    if (value < 0) {
        text += '-';
    }
    text += whole;
    if (point != std::string_view::npos) {
        text += decimalSeparator;
        text += digits.fraction;
    }
    return text;
}

}  // namespace

std::string FormatSize(int32_t value, std::string_view decimalSeparator) {
    const double bytes = value;
    if (bytes < kKilo) {
        return FormatWithPattern(bytes, kWholePattern, decimalSeparator) + " octets";
    }
    if (bytes < kMega) {
        return FormatWithPattern(bytes / kKilo, kFractionPattern, decimalSeparator) + " Ko";
    }
    if (bytes < kGiga) {
        return FormatWithPattern(bytes / kMega, kFractionPattern, decimalSeparator) + " Mo";
    }
    return FormatWithPattern(bytes / kGiga, kFractionPattern, decimalSeparator) + " Go";
}

std::string FormatDuration(int32_t milliseconds) {
    const auto s = static_cast<int64_t>(std::floor(milliseconds / 1000.0));
    const auto h = static_cast<int64_t>(std::floor(s / 3600.0));
    const auto m = static_cast<int64_t>(std::floor((s - 3600 * h) / 60.0));
    const int64_t r = s - 3600 * h - 60 * m;
    return FormatWithPattern(static_cast<double>(h), "00", "") + ":" +
           FormatWithPattern(static_cast<double>(m), "00", "") + ":" +
           FormatWithPattern(static_cast<double>(r), "00", "");
}

}  // namespace velnix

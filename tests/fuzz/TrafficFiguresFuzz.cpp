// Every 32-bit figure formats as its label shows it: a size as grouped digits and its unit, a
// duration as hours, minutes and seconds.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <regex>
#include <string>

#include "tests/fuzz/FuzzCheck.h"
#include "ui/main/TrafficFigures.h"

using namespace velnix;

namespace {

void CheckSize(int32_t value) {
    static const std::regex kSize("^(-?)( *)(\\d{1,3}(?: \\d{3})*)(,\\d\\d)? (octets|Ko|Mo|Go)$");
    const std::string text = FormatSize(value);
    std::smatch parts;
    Require(std::regex_match(text, parts, kSize), "a size has the size pattern");
    Require((parts[1].length() == 1) == (value < 0), "the minus sign marks a negative size");
    const std::string unit = parts[5];
    const double scale = unit == "octets" ? 1.0
                         : unit == "Ko"   ? 1024.0
                         : unit == "Mo"   ? 1048576.0
                                          : 1073741824.0;
    Require(parts[4].matched == (unit != "octets"), "two decimals beyond the octets");
    const double magnitude = std::fabs(static_cast<double>(value)) / scale;
    Require(unit == "octets" ? value < 1024 : magnitude >= 1.0 && magnitude <= 1024.0,
            "the unit fits the size");
    std::string digits = parts[3].str() + (parts[4].matched ? parts[4].str() : "");
    std::erase(digits, ' ');
    if (parts[4].matched) digits[digits.size() - 3] = '.';
    Require(std::fabs(std::stod(digits) - magnitude) <= 0.005 + 1e-9, "the digits are the size");
    const auto digitCount =
        std::count_if(parts[3].first, parts[3].second, [](char c) { return c != ' '; });
    Require(parts[2].length() + parts[3].length() == 4 + digitCount,
            "the pattern's four spaces stay");
}

void CheckDuration(int32_t milliseconds) {
    static const std::regex kDuration("^(-?\\d{2,}):([0-5]\\d):([0-5]\\d)$");
    const std::string text = FormatDuration(milliseconds);
    std::smatch parts;
    Require(std::regex_match(text, parts, kDuration), "a duration has the hh:mm:ss pattern");
    const int64_t seconds =
        std::stoll(parts[1]) * 3600 + std::stoll(parts[2]) * 60 + std::stoll(parts[3]);
    Require(seconds == static_cast<int64_t>(std::floor(milliseconds / 1000.0)),
            "the fields are the duration, rounded down");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const auto value = input.ConsumeIntegral<int32_t>();
    CheckSize(value);
    CheckDuration(value);
    return 0;
}

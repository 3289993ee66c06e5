#include "config/download_period.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace velmaron {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest leading number in text, as a sign, the mantissa digits around an optional
// decimal point, and an optional exponent that only counts with at least one digit.
struct NumberText {
    std::string sign;
    std::string integerDigits;
    std::string fractionDigits;
    std::string exponent; // "e-5" or empty
    std::string joined() const {
        return sign + (integerDigits.empty() ? "0" : integerDigits) + "." + fractionDigits + "0" +
               exponent;
    }
};

NumberText scanNumber(const std::string& text) {
    NumberText number;
    std::size_t i = 0;
    auto takeDigits = [&](std::string& into) {
        while (i < text.size() && isDigit(text[i]))
            into += text[i++];
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number.sign = text[i++] == '-' ? "-" : "";
    takeDigits(number.integerDigits);
    if (i < text.size() && text[i] == '.') {
        ++i;
        takeDigits(number.fractionDigits);
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::string exponent = "e";
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        const std::size_t digitsStart = exponent.size();
        takeDigits(exponent);
        if (exponent.size() > digitsStart)
            number.exponent = exponent;
    }
    return number;
}

// Whether a number too large or too small for a double is large: the power of ten of its
// leading digit, plus the exponent, is positive.
bool isHuge(const NumberText& number) {
    const std::string digits = number.integerDigits + number.fractionDigits;
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return false;
    long long power = static_cast<long long>(number.integerDigits.size()) -
                      static_cast<long long>(firstNonZero) - 1;
    if (!number.exponent.empty()) {
        const bool negative = number.exponent[1] == '-';
        const auto digitsStart = number.exponent.find_first_of("0123456789");
        const std::string_view expDigits(number.exponent.data() + digitsStart,
                                         number.exponent.size() - digitsStart);
        long long exponent = 0;
        for (char c : expDigits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        power += negative ? -exponent : exponent;
    }
    return power >= 0;
}

// Rounds to the nearest whole number, a half to the even neighbour.
double roundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        return lower + 1.0;
    return lower;
}

} // namespace

std::optional<std::int32_t> LeadingWholeNumber(std::string_view text) {
    std::string compact;
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char c) { return c != ' ' && c != '\t'; });
    const NumberText number = scanNumber(compact);
    if (number.integerDigits.empty() && number.fractionDigits.empty())
        return 0;
    // from_chars reads the same way in every locale, unlike strtod.
    const std::string joined = number.joined();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(joined.data(), joined.data() + joined.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (isHuge(number))
            return std::nullopt;
        return 0;
    }
    if (ec != std::errc())
        return 0;
    const double rounded = roundHalfToEven(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

bool IsDaysText(std::string_view text) {
    const std::size_t digits = text.find_first_not_of(' ');
    std::int32_t value = 0;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
        value = value * 10 + (text[i] - '0');
        if (value > MaxPeriodDays)
            return false;
    }
    return true;
}

int DaysOfText(std::string_view daysText) {
    return LeadingWholeNumber(daysText).value_or(std::numeric_limits<std::int32_t>::max());
}

std::optional<std::uint32_t> DownloadPeriod(int days) {
    if (days == 0)
        return SinceLastDownload;
    const std::int64_t seconds = std::int64_t{days} * SecondsPerDay;
    if (seconds < std::numeric_limits<std::int32_t>::min() ||
        seconds > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(seconds);
}

} // namespace velmaron

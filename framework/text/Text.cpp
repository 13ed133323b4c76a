#include "framework/text/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length in bytes of the UTF-8 character that starts at s[i]; an invalid or
// truncated sequence counts as one byte, so every byte belongs to a character.
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= 0xC2 && b <= 0xDF)
        n = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        n = 3;
    else if (b >= 0xF0 && b <= 0xF4)
        n = 4;
    if (n == 1 || i + n > s.size()) return 1;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

// Byte offset of the character with the given 0-based index; the text's
// size when it has fewer characters. Walks only as far as it must.
std::size_t OffsetOfChar(std::string_view s, std::int64_t index) {
    std::size_t i = 0;
    for (; index > 0 && i < s.size(); --index) i += CharLength(s, i);
    return i;
}

std::int64_t CharsBefore(std::string_view s, std::size_t offset) {
    std::int64_t n = 0;
    for (std::size_t i = 0; i < offset; i += CharLength(s, i)) ++n;
    return n;
}

}  // namespace

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    std::size_t intDigits = 0, fracDigits = 0;
    std::size_t firstSignificant = std::string_view::npos;  // index among all mantissa digits
    std::size_t digitIndex = 0;
    // The digits as one integer while they fit; see the short way below.
    std::uint64_t mantissa = 0;
    constexpr std::size_t kMantissaDigits = 19;
    while (i < text.size() && IsDigit(text[i])) {
        if (text[i] != '0' && firstSignificant == std::string_view::npos) firstSignificant = digitIndex;
        if (digitIndex < kMantissaDigits) mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
        ++i, ++intDigits, ++digitIndex;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < text.size() && IsDigit(text[j])) {
            if (text[j] != '0' && firstSignificant == std::string_view::npos) firstSignificant = digitIndex;
            if (digitIndex < kMantissaDigits) mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[j] - '0');
            ++j, ++fracDigits, ++digitIndex;
        }
        if (intDigits + fracDigits > 0) i = j;
    }
    if (intDigits + fracDigits == 0) return 0.0;
    std::size_t end = i;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (expNegative) exponent = -exponent;
            end = j;
        }
    }
    // Most numbers in a file are short: an integer up to 2^53 and a power of
    // ten up to 10^22 are both exact doubles, so one multiplication or
    // division rounds once, exactly as the full conversion does.
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    const long long scale = exponent - static_cast<long long>(fracDigits);
    if (digitIndex <= kMantissaDigits && mantissa <= kExactLimit && scale >= -22 && scale <= 22) {
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const auto m = static_cast<double>(mantissa);
        const double value = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
        return negative ? -value : value;
    }
    double value = 0.0;
    const auto result =
        std::from_chars(text.data() + numberStart, text.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow or underflow: judge by the decimal magnitude of the first
        // significant digit.
        if (firstSignificant == std::string_view::npos) {
            value = 0.0;
        } else {
            const long long magnitude =
                static_cast<long long>(intDigits) - 1 - static_cast<long long>(firstSignificant) + exponent;
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::string Str(std::int64_t value) { return std::to_string(value); }

std::string NthField(std::string_view text, std::string_view separator, std::int64_t n) {
    if (n < 1) return {};
    if (separator.empty()) return n == 1 ? std::string(text) : std::string();
    std::size_t start = 0;
    for (std::int64_t field = 1;; ++field) {
        const std::size_t pos = text.find(separator, start);
        if (field == n) return std::string(text.substr(start, pos == std::string_view::npos ? pos : pos - start));
        if (pos == std::string_view::npos) return {};
        start = pos + separator.size();
    }
}

std::int64_t InStr(std::int64_t start, std::string_view text, std::string_view find) {
    if (start < 1) start = 1;
    const std::size_t from = OffsetOfChar(text, start - 1);
    if (from == text.size() && CharsBefore(text, from) < start - 1) return 0;  // start beyond the end
    if (find.empty()) return start;
    const std::size_t pos = text.find(find, from);
    if (pos == std::string_view::npos) return 0;
    return CharsBefore(text, pos) + 1;
}

std::string Left(std::string_view text, std::int64_t count) {
    if (count <= 0) return {};
    return std::string(text.substr(0, OffsetOfChar(text, count)));
}

std::string Right(std::string_view text, std::int64_t count) {
    if (count <= 0) return {};
    const std::int64_t chars = Len(text);
    if (count >= chars) return std::string(text);
    return std::string(text.substr(OffsetOfChar(text, chars - count)));
}

std::int64_t Len(std::string_view text) {
    std::int64_t n = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) ++n;
    return n;
}

double Max(double a, double b) { return a < b ? b : a; }

std::int64_t TruncateToInt64(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exact as a double; everything at or above it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) return std::numeric_limits<std::int64_t>::max();
    if (value < -limit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(value);
}

std::string ShortestDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace fw

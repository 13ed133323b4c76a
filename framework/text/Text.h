#pragma once
// Text and number functions. Texts are UTF-8; positions and lengths count
// characters (code points), an invalid byte counting as one character.
#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Double of the longest leading number (sign, digits, point, exponent) after
// leading blanks and tabs; 0 when there is none. Never depends on the locale.
// Beyond the range of a double: plus or minus infinity.
double Val(std::string_view text);

// Decimal digits of an integer (the empty format).
std::string Str(std::int64_t value);

// Field n (from 1) of text split at separator; "" when absent.
std::string NthField(std::string_view text, std::string_view separator, std::int64_t n);

// 1-based character position of find in text, searching from character
// position start (0 or 1: the whole text); 0 when not found.
std::int64_t InStr(std::int64_t start, std::string_view text, std::string_view find);

std::string Left(std::string_view text, std::int64_t count);
std::string Right(std::string_view text, std::int64_t count);
std::int64_t Len(std::string_view text);

double Max(double a, double b);

// Truncation toward zero that is defined for every double: saturates at the
// 64-bit limits, NaN gives 0.
std::int64_t TruncateToInt64(double value);

// Shortest decimal form that reads back to the same double.
std::string ShortestDouble(double value);

namespace Bitwise {
inline std::uint64_t BitAnd(std::uint64_t a, std::uint64_t b) { return a & b; }
}  // namespace Bitwise

}  // namespace fw

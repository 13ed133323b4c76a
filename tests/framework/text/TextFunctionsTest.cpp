#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "framework/text/Text.h"

namespace {

TEST(Val, ReadsTheLongestLeadingNumber) {
    EXPECT_EQ(fw::Val("1.5"), 1.5);
    EXPECT_EQ(fw::Val("-2.9 7"), -2.9);
    EXPECT_EQ(fw::Val("+4abc"), 4.0);
    EXPECT_EQ(fw::Val("  12"), 12.0);
    EXPECT_EQ(fw::Val("\t3"), 3.0);
    EXPECT_EQ(fw::Val(".5"), 0.5);
    EXPECT_EQ(fw::Val("-.25x"), -0.25);
    EXPECT_EQ(fw::Val("7."), 7.0);
    EXPECT_EQ(fw::Val("1e3"), 1000.0);
    EXPECT_EQ(fw::Val("2.5E-1"), 0.25);
    EXPECT_EQ(fw::Val("1e"), 1.0);  // an exponent without digits is not part of the number
    EXPECT_EQ(fw::Val("1e+"), 1.0);
    EXPECT_EQ(fw::Val("3,5"), 3.0);  // a comma is never a decimal point
}

TEST(Val, GivesZeroWhereNoNumberStarts) {
    EXPECT_EQ(fw::Val(""), 0.0);
    EXPECT_EQ(fw::Val("abc"), 0.0);
    EXPECT_EQ(fw::Val("."), 0.0);
    EXPECT_EQ(fw::Val("-"), 0.0);
    EXPECT_EQ(fw::Val("nan"), 0.0);
    EXPECT_EQ(fw::Val("inf"), 0.0);
    EXPECT_EQ(fw::Val("Infinity"), 0.0);
    EXPECT_EQ(fw::Val("0x10"), 0.0);
    EXPECT_EQ(fw::Val("4\t5"), 4.0);
}

TEST(Val, SaturatesBeyondTheRangeOfADouble) {
    EXPECT_EQ(fw::Val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(fw::Val("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(fw::Val("1e-400"), 0.0);
    EXPECT_EQ(fw::Val("0.000e999999999999"), 0.0);
    EXPECT_EQ(fw::Val("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(fw::Val("0.001e310"), 1e307);
}

// Short numbers take a quicker way than long ones; both must round exactly
// as a correctly rounding conversion does, bit for bit, at every edge.
TEST(Val, RoundsLikeTheFullConversionOnBothSidesOfTheShortWay) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "C");
    for (const char* text : {"0.1",
                             "0.3",
                             "2.675",
                             "4.35",
                             "-1.5",
                             "750",
                             "0.25",
                             "9007199254740992",
                             "9007199254740993",
                             "9007199254740991.5",
                             "900719925474099.25",
                             "1e22",
                             "1e23",
                             "1e-22",
                             "1e-23",
                             "12.5e21",
                             "125e-24",
                             "1234567890123456789",
                             "12345678901234567890",
                             "0000000000000000000001.5",
                             "0.30000000000000004",
                             "3.0000000000000004",
                             "1.7976931348623157e308",
                             "4.9e-324",
                             "123456.789e-3",
                             "9007206926572459e-8",
                             "9007291562105381e-4",
                             "32491475e24",
                             "64605520e-23"}) {
        const double expected = std::strtod(text, nullptr);
        const double got = fw::Val(text);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << ": " << got << " != " << expected;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(std::signbit(fw::Val("-0")));
    EXPECT_TRUE(std::signbit(fw::Val("-0.000")));
}

TEST(Val, IgnoresTheLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_EQ(fw::Val("1.5"), 1.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TruncateToInt64, IsDefinedForEveryDouble) {
    EXPECT_EQ(fw::TruncateToInt64(2.9), 2);
    EXPECT_EQ(fw::TruncateToInt64(-2.9), -2);
    EXPECT_EQ(fw::TruncateToInt64(-0.5), 0);
    EXPECT_EQ(fw::TruncateToInt64(std::nan("")), 0);
    EXPECT_EQ(fw::TruncateToInt64(1e30), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(fw::TruncateToInt64(-1e30), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(fw::TruncateToInt64(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(fw::TruncateToInt64(9223372036854775808.0), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(fw::TruncateToInt64(-9223372036854775808.0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(fw::TruncateToInt64(9223372036854774784.0), 9223372036854774784LL);  // largest double below 2^63
}

TEST(CharacterFunctions, CountCharactersNotBytes) {
    const std::string umlaut =
        "\xC3\x9C"
        "ber";  // "Über"
    EXPECT_EQ(fw::Len(umlaut), 4);
    EXPECT_EQ(fw::Left(umlaut, 1), "\xC3\x9C");
    EXPECT_EQ(fw::Right(umlaut, 3), "ber");
    EXPECT_EQ(fw::InStr(0, "a\xC3\x9C  b", "  "), 3);
    EXPECT_EQ(fw::Len("\xFF\xFE"), 2);  // invalid bytes count one each
    EXPECT_EQ(fw::Left("abc", 0), "");
    EXPECT_EQ(fw::Left("abc", 9), "abc");
    EXPECT_EQ(fw::Right("abc", -1), "");
    EXPECT_EQ(fw::Right("abc", 9), "abc");
}

TEST(CharacterFunctions, InStrSearchesFromTheStart) {
    EXPECT_EQ(fw::InStr(0, "1  2", "  "), 2);
    EXPECT_EQ(fw::InStr(1, "1  2", "  "), 2);
    EXPECT_EQ(fw::InStr(3, "1  2  3", "  "), 5);
    EXPECT_EQ(fw::InStr(0, "1 2", "  "), 0);
    EXPECT_EQ(fw::InStr(0, "", "  "), 0);
}

TEST(NthField, SplitsAtTheSeparatorOnly) {
    EXPECT_EQ(fw::NthField("1 2 3", " ", 1), "1");
    EXPECT_EQ(fw::NthField("1 2 3", " ", 2), "2");
    EXPECT_EQ(fw::NthField("1 2 3", " ", 4), "");
    EXPECT_EQ(fw::NthField("7", " ", 2), "");
    EXPECT_EQ(fw::NthField("4\t5", " ", 1), "4\t5");
    EXPECT_EQ(fw::NthField(" 5", " ", 1), "");
    EXPECT_EQ(fw::NthField("a b", " ", 0), "");
}

TEST(Numbers, ShortestDoubleReadsBack) {
    EXPECT_EQ(fw::ShortestDouble(20.0), "20");
    EXPECT_EQ(fw::ShortestDouble(390.5), "390.5");
    EXPECT_EQ(fw::ShortestDouble(0.1), "0.1");
    EXPECT_EQ(fw::Str(-9223372036854775807LL - 1), "-9223372036854775808");
    EXPECT_EQ(fw::Bitwise::BitAnd(static_cast<std::uint64_t>(-3), 15), 13u);
}

}  // namespace

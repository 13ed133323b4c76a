#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "framework/text/Text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The cases are in tests/data/text/val.txt.
TEST(Val, ReadsTheLongestLeadingNumberOrZero) {
    std::ifstream cases(KZP_TEST_DATA "/text/val.txt");
    int read = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto bar = line.rfind('|');
        EXPECT_EQ(fw::Val(line.substr(0, bar)), std::strtod(line.c_str() + bar + 1, nullptr)) << line;
        ++read;
    }
    EXPECT_GT(read, 20);
    EXPECT_TRUE(std::signbit(fw::Val("-0.000")));
}

// Short numbers take a quicker way than long ones; both must round exactly
// as a correctly rounding conversion does, bit for bit, at every edge, and
// in any locale.
TEST(Val, RoundsLikeTheFullConversionOnBothSidesOfTheShortWay) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::istringstream texts(
        "0.1 0.3 2.675 4.35 750 9007199254740992 9007199254740993 9007199254740991.5 900719925474099.25 1e22 1e23 "
        "1e-22 1e-23 12.5e21 125e-24 1234567890123456789 12345678901234567890 0000000000000000000001.5 "
        "0.30000000000000004 1.7976931348623157e308 4.9e-324 9007206926572459e-8 9007291562105381e-4 32491475e24 "
        "64605520e-23");
    for (std::string text; texts >> text;) {
        std::setlocale(LC_NUMERIC, "C");
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C.UTF-8");
        const double got = fw::Val(text);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << ": " << got << " != " << expected;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(TruncateToInt64, IsDefinedForEveryDouble) {
    std::istringstream cases(
        "2.9 2 -2.9 -2 -0.5 0 nan 0 1e30 9223372036854775807 -1e30 -9223372036854775808 inf 9223372036854775807 "
        "9223372036854775808 9223372036854775807 -9223372036854775808 -9223372036854775808 "
        "9223372036854774784 9223372036854774784");  // the largest double below 2^63
    for (std::string value, expected; cases >> value >> expected;) {
        EXPECT_EQ(fw::TruncateToInt64(std::strtod(value.c_str(), nullptr)), std::stoll(expected)) << value;
    }
}

// Characters, not bytes: an invalid or cut-short sequence counts one a byte.
TEST(CharacterFunctions, CountCharactersNotBytes) {
    // Each case: the bytes in hex, then how many characters they make.
    std::istringstream cases(
        "C39C626572 4 FFFE 2 8061 2 C3 1 C181 2 E2809E 1 E28061 3 F09F9880 1 F5808080 4 C280DFBF 2 E0A080EFBFBF 2 "
        "F48FBFBF 1");
    for (std::string hex, length; cases >> hex >> length;) {
        std::string text;
        for (std::size_t i = 0; i < hex.size(); i += 2) text += char(std::stoi(hex.substr(i, 2), nullptr, 16));
        EXPECT_EQ(fw::Len(text), std::stoll(length)) << hex;
    }
    EXPECT_EQ(fw::Left("\u00DCber", 1), "\u00DC");
    EXPECT_EQ(fw::Right("\u00DCber", 3), "ber");
    EXPECT_EQ(fw::Left("abc", 0), "");
    EXPECT_EQ(fw::Left("abc", 9), "abc");
    EXPECT_EQ(fw::Right("abc", -1), "");
    EXPECT_EQ(fw::Right("abc", 9), "abc");
    EXPECT_EQ(fw::InStr(0, "a\xC3\x9C  b", "  "), 3);
    EXPECT_EQ(fw::InStr(2, "a  b  c", "  "), 2);
    EXPECT_EQ(fw::InStr(9, "1  2", "  "), 0);
    EXPECT_EQ(fw::InStr(0, "1 2", "  "), 0);
}

}  // namespace

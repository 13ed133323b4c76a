#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/text/Text.h"

namespace {

// The cases are in tests/data/text/val.txt. A result must equal strtod's bit for
// bit, in any locale.
TEST(Val, ReadsTheLongestLeadingNumberOrZeroRoundedExactly) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    std::ifstream cases(KZP_TEST_DATA "/text/val.txt");
    int read = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto bar = line.rfind('|');
        std::setlocale(LC_NUMERIC, "C");
        const double expected = std::strtod(line.c_str() + bar + 1, nullptr);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) std::setlocale(LC_NUMERIC, "C.UTF-8");
        const double got = fw::Val(line.substr(0, bar));
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << line << ": " << got;
        ++read;
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_GT(read, 40);
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
// Each case: the bytes in hex, then how many characters they make.
TEST(CharacterFunctions, CountCharactersNotBytes) {
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
    EXPECT_EQ(fw::InStr(4, "abc", ""), 4);
    EXPECT_EQ(fw::NthField("a b", "", 1), "a b");
    EXPECT_EQ(fw::NthField("a b", "", 2), "");
}

}  // namespace

#include "framework/properties/PropertyRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/properties/PropertyRecordBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Ascii(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The message of the format error that decoding raises, or "" if none.
std::string DecodeError(const Bytes& record) {
    try {
        fw::DecodePropertyRecord(record);
    } catch (const fw::UnsupportedFormatException& e) {
        return e.what();
    }
    return "";
}

const Bytes kTimerBytes = {
    0x52, 0x75, 0x6E, 0x4D, 0x6F, 0x64, 0x65, 0x20, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x50, 0x65, 0x72, 0x69, 0x6F, 0x64, 0x20, 0xF4, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x45, 0x6E, 0x61, 0x62, 0x6C, 0x65, 0x64, 0x20, 0x01,
};

constexpr auto kTimer = fw::MakeRecord(fw::Int("RunMode", 1), fw::Int("Period", 500), fw::Bool("Enabled", true));
static_assert(kTimer.size() == 40);

// The shared table is what makes a wrong name or type fail to compile.
static_assert(fw::EntryMatchesTable("Period", fw::PropertyType::Integer));
static_assert(!fw::EntryMatchesTable("Period", fw::PropertyType::String));
static_assert(fw::EntryMatchesTable("MacProcID", fw::PropertyType::Integer));
static_assert(fw::EntryMatchesTable("Multiline", fw::PropertyType::Boolean));
static_assert(!fw::EntryMatchesTable("MacProcId", fw::PropertyType::Integer));
static_assert(fw::EntryMatchesTable("FontSize", fw::PropertyType::Single));
static_assert(fw::EntryMatchesTable("FontUnit", fw::PropertyType::Enum8));
static_assert(!fw::EntryMatchesTable("Bogus", fw::PropertyType::Boolean));

TEST(PropertyRecordTest, TimerBuildsAndReadsByteForByte) {
    EXPECT_EQ(Bytes(kTimer.begin(), kTimer.end()), kTimerBytes);

    const auto entries = fw::DecodePropertyRecord(kTimerBytes);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "RunMode");
    EXPECT_EQ(std::get<std::int64_t>(entries[0].value), 1);
    // Begins at byte 23, an odd position.
    EXPECT_EQ(entries[1].name, "Period");
    EXPECT_EQ(std::get<std::int64_t>(entries[1].value), 500);
    EXPECT_EQ(entries[2].name, "Enabled");
    EXPECT_TRUE(std::get<bool>(entries[2].value));
}

TEST(PropertyRecordTest, StringThenNegativeIntegerThenInteger) {
    constexpr auto record =
        fw::MakeRecord(fw::String("Name", "GroupBox1"), fw::Int("Index", -2147483648LL), fw::Int("Left", 16));
    const Bytes expected = Cat({Ascii("Name "),
                                {0x09, 0, 0, 0},
                                Ascii("GroupBox1"),
                                Ascii("Index "),
                                {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF},
                                Ascii("Left "),
                                {0x10, 0, 0, 0, 0, 0, 0, 0}});
    ASSERT_EQ(expected.size(), 45u);
    EXPECT_EQ(Bytes(record.begin(), record.end()), expected);
}

TEST(PropertyRecordTest, IntegersAreSignedLittleEndian) {
    const auto entries = fw::DecodePropertyRecord(Cat({Ascii("Index "),
                                                       {0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0xFF},
                                                       Ascii("Top "),
                                                       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                                                       Ascii("Width "),
                                                       {0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0}}));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(std::get<std::int64_t>(entries[0].value), -2147483648LL);
    EXPECT_EQ(std::get<std::int64_t>(entries[1].value), -1);
    EXPECT_EQ(std::get<std::int64_t>(entries[2].value), 2147483648LL);
}

TEST(PropertyRecordTest, EmptyStringIsFourZeroBytesWithTheNextNameRightAfter) {
    constexpr auto record = fw::MakeRecord(fw::String("Tooltip", ""), fw::Bool("Visible", true));
    EXPECT_EQ(Bytes(record.begin(), record.end()), Cat({Ascii("Tooltip "), {0, 0, 0, 0}, Ascii("Visible "), {1}}));

    const auto entries = fw::DecodePropertyRecord(record);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::get<std::string>(entries[0].value), "");
    EXPECT_EQ(entries[1].name, "Visible");
}

TEST(PropertyRecordTest, FontSizeIsFourBytesAndFontUnitOne) {
    constexpr auto record =
        fw::MakeRecord(fw::Single("FontSize", 12.0f), fw::Enum8("FontUnit", 0), fw::Single("FontSize", 16.0f),
                       fw::Single("FontSize", 9.0f), fw::Single("FontSize", 0.0f), fw::Enum8("FontUnit", 200));
    const Bytes expected = Cat({Ascii("FontSize "),
                                {0x00, 0x00, 0x40, 0x41},
                                Ascii("FontUnit "),
                                {0x00},
                                Ascii("FontSize "),
                                {0x00, 0x00, 0x80, 0x41},
                                Ascii("FontSize "),
                                {0x00, 0x00, 0x10, 0x41},
                                Ascii("FontSize "),
                                {0x00, 0x00, 0x00, 0x00},
                                Ascii("FontUnit "),
                                {200}});
    EXPECT_EQ(Bytes(record.begin(), record.end()), expected);

    const auto entries = fw::DecodePropertyRecord(expected);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(std::get<float>(entries[0].value), 12.0f);
    EXPECT_EQ(std::get<std::uint8_t>(entries[1].value), 0);
    EXPECT_EQ(std::get<float>(entries[2].value), 16.0f);
    EXPECT_EQ(std::get<float>(entries[3].value), 9.0f);
    EXPECT_EQ(std::get<float>(entries[4].value), 0.0f);
    EXPECT_EQ(std::get<std::uint8_t>(entries[5].value), 200);
}

TEST(PropertyRecordTest, ColoursAreRedGreenBlueAlpha) {
    constexpr auto record = fw::MakeRecord(fw::ColorValue("BackgroundColor", fw::RGB(255, 255, 255)),
                                           fw::ColorValue("TextColor", fw::Color{1, 2, 3, 4}));
    EXPECT_EQ(Bytes(record.begin(), record.end()),
              Cat({Ascii("BackgroundColor "), {0xFF, 0xFF, 0xFF, 0x00}, Ascii("TextColor "), {1, 2, 3, 4}}));

    const auto entries = fw::DecodePropertyRecord(record);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::get<fw::Color>(entries[0].value), fw::RGB(255, 255, 255, 0));
    EXPECT_EQ(std::get<fw::Color>(entries[1].value), (fw::Color{1, 2, 3, 4}));
}

TEST(PropertyRecordTest, LongRecordsAndEdgeContent) {
    // Past 255 bytes the length lives only in the span, never in a leading byte.
    constexpr auto record =
        fw::MakeRecord(fw::String("Text",
                                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                                  "0123456789012345678901234567890123456789012345678901234567890123456789"
                                  "0123456789012345678901234567890123456789012345678901234567890123456789"),
                       fw::Int("Width", 400));
    static_assert(record.size() == 5 + 4 + 280 + 6 + 8);
    const std::span<const std::uint8_t> bytes = record;
    const auto entries = fw::DecodePropertyRecord(bytes);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::get<std::string>(entries[0].value).size(), 280u);
    EXPECT_EQ(std::get<std::int64_t>(entries[1].value), 400);

    // Value bytes are data, not text: a blank or a zero inside a value is no separator.
    const auto odd = fw::DecodePropertyRecord(Cat({Ascii("Left "),
                                                   {0x20, 0x00, 0x20, 0, 0, 0, 0, 0},
                                                   Ascii("Caption "),
                                                   {3, 0, 0, 0, 0x00, 0x20, 0xFF},
                                                   Ascii("Bold "),
                                                   {0}}));
    ASSERT_EQ(odd.size(), 3u);
    EXPECT_EQ(std::get<std::int64_t>(odd[0].value), 0x200020);
    EXPECT_EQ(std::get<std::string>(odd[1].value), std::string("\0 \xFF", 3));
    EXPECT_FALSE(std::get<bool>(odd[2].value));

    EXPECT_TRUE(fw::DecodePropertyRecord(Bytes{}).empty());
}

TEST(PropertyRecordTest, RepeatedNamesAreReadEachTime) {
    constexpr auto record =
        fw::MakeRecord(fw::Bool("Transparent", true), fw::Bool("DoubleBuffer", false), fw::Bool("Transparent", true));
    const auto entries = fw::DecodePropertyRecord(record);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Transparent");
    EXPECT_EQ(entries[2].name, "Transparent");
    EXPECT_TRUE(std::get<bool>(entries[2].value));
}

TEST(PropertyRecordTest, MalformedRecordsAreRefusedNamingTheEntry) {
    // Unknown name, also one that differs only in case from a known one.
    auto message = DecodeError(Cat({kTimerBytes, Ascii("Colour "), {0}}));
    EXPECT_NE(message.find("Eintrag 4"), std::string::npos) << message;
    EXPECT_NE(message.find("\"Colour\""), std::string::npos) << message;
    EXPECT_NE(message.find("Byte 40"), std::string::npos) << message;
    EXPECT_NE(DecodeError(Cat({Ascii("visible "), {1}})), "");
    // A blank where a name should start is an empty, unknown name.
    EXPECT_NE(DecodeError(Cat({Ascii(" "), {1}})), "");

    // Name runs to the end without its blank.
    message = DecodeError(Cat({kTimerBytes, Ascii("Visible")}));
    EXPECT_NE(message.find("Byte 40"), std::string::npos) << message;
    EXPECT_NE(message.find("Leerzeichen"), std::string::npos) << message;
    // A junk name is shown cut short and printable.
    message = DecodeError(Bytes(300, 0x80));
    EXPECT_NE(message.find("?..."), std::string::npos) << message;
    EXPECT_LT(message.size(), 200u);

    // Values that run past the end, for every width.
    for (const Bytes& truncated : {
             Cat({Ascii("Period "), {0xF4, 0x01, 0, 0, 0, 0, 0}}),
             Cat({Ascii("Enabled ")}),
             Cat({Ascii("TextColor "), {0, 0, 0}}),
             Cat({Ascii("FontSize "), {0, 0, 0x40}}),
             Cat({Ascii("FontUnit ")}),
             Cat({Ascii("Title "), {4, 0, 0}}),                   // count cut short
             Cat({Ascii("Title "), {4, 0, 0, 0}, Ascii("Inf")}),  // text cut short
             Cat({Ascii("Title "), {0xFF, 0xFF, 0xFF, 0xFF}, Ascii("Info")}),
         }) {
        message = DecodeError(truncated);
        EXPECT_NE(message.find("Satzende"), std::string::npos) << message;
        EXPECT_NE(message.find("Byte 0"), std::string::npos) << message;
    }
    message = DecodeError(Cat({kTimerBytes, Ascii("Title "), {5, 0, 0, 0}, Ascii("Info")}));
    EXPECT_NE(message.find("\"Title\" bei Byte 40"), std::string::npos) << message;

    // A boolean is 00 or 01 and nothing else.
    message = DecodeError(Cat({Ascii("Visible "), {2}}));
    EXPECT_NE(message.find("Wahrheitswert"), std::string::npos) << message;
}

}  // namespace

#include "framework/properties/PropertyRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/properties/PropertyRecordBuilder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Cat(std::initializer_list<std::variant<const char*, Bytes>> parts) {
    Bytes all;
    for (const auto& p : parts) {
        if (const auto* text = std::get_if<const char*>(&p)) {
            all.insert(all.end(), *text, *text + std::strlen(*text));
        } else {
            all.insert(all.end(), std::get<Bytes>(p).begin(), std::get<Bytes>(p).end());
        }
    }
    return all;
}

template <typename Record>
Bytes Of(const Record& record) {
    return Bytes(record.begin(), record.end());
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

// Each record built by the program's builder, byte for byte, and read back.
TEST(PropertyRecordTest, BuiltRecordsHaveTheirBytesAndReadBackEntryForEntry) {
    const struct {
        Bytes built, bytes;
        std::vector<fw::PropertyValue> values;
    } cases[] = {
        // Period begins at byte 23, an odd position.
        {Of(fw::MakeRecord(fw::Int("RunMode", 1), fw::Int("Period", 500), fw::Bool("Enabled", true))),
         Cat({"RunMode ", Bytes{1, 0, 0, 0, 0, 0, 0, 0}, "Period ", Bytes{0xF4, 1, 0, 0, 0, 0, 0, 0}, "Enabled ",
              Bytes{1}}),
         {std::int64_t{1}, std::int64_t{500}, true}},
        {Of(fw::MakeRecord(fw::String("Name", "Box"), fw::Int("Index", -2147483648LL), fw::Int("Top", -1),
                           fw::Int("Width", 2147483648LL))),
         Cat({"Name ", Bytes{3, 0, 0, 0}, "Box", "Index ", Bytes{0, 0, 0, 0x80, 0xFF, 0xFF, 0xFF, 0xFF}, "Top ",
              Bytes(8, 0xFF), "Width ", Bytes{0, 0, 0, 0x80, 0, 0, 0, 0}}),
         {std::string("Box"), std::int64_t{-2147483648LL}, std::int64_t{-1}, std::int64_t{2147483648LL}}},
        {Of(fw::MakeRecord(fw::String("Tooltip", ""), fw::Bool("Visible", false), fw::Single("FontSize", 12.0f),
                           fw::Enum8("FontUnit", 200))),
         Cat({"Tooltip ", Bytes{0, 0, 0, 0}, "Visible ", Bytes{0}, "FontSize ", Bytes{0, 0, 0x40, 0x41}, "FontUnit ",
              Bytes{200}}),
         {std::string(), false, 12.0f, std::uint8_t{200}}},
        {Of(fw::MakeRecord(fw::ColorValue("BackgroundColor", fw::RGB(255, 255, 255)),
                           fw::ColorValue("TextColor", fw::Color{1, 2, 3, 4}))),
         Cat({"BackgroundColor ", Bytes{0xFF, 0xFF, 0xFF, 0}, "TextColor ", Bytes{1, 2, 3, 4}}),
         {fw::RGB(255, 255, 255, 0), fw::Color{1, 2, 3, 4}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.built, c.bytes);
        const auto entries = fw::DecodePropertyRecord(c.bytes);
        ASSERT_EQ(entries.size(), c.values.size());
        for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].value, c.values[i]) << entries[i].name;
    }
    // Value bytes are data, not text: a blank or a zero inside a value is no separator.
    const auto odd = fw::DecodePropertyRecord(
        Cat({"Left ", Bytes{0x20, 0, 0x20, 0, 0, 0, 0, 0}, "Caption ", Bytes{3, 0, 0, 0, 0, 0x20, 0xFF}}));
    ASSERT_EQ(odd.size(), 2u);
    EXPECT_EQ(odd[0].value, fw::PropertyValue(std::int64_t{0x200020}));
    EXPECT_EQ(odd[1].value, fw::PropertyValue(std::string("\0 \xFF", 3)));
    EXPECT_TRUE(fw::DecodePropertyRecord(Bytes{}).empty());
}

TEST(PropertyRecordTest, MalformedRecordsAreRefusedNamingTheEntry) {
    const Bytes timer = Of(fw::MakeRecord(fw::Int("RunMode", 1), fw::Int("Period", 500), fw::Bool("Enabled", true)));
    const struct {
        Bytes record;
        std::string message;
    } cases[] = {
        // Unknown names, also one that differs only in case from a known one.
        {Cat({timer, "Colour ", Bytes{0}}), "Eintrag 4 \"Colour\" bei Byte 40: unbekannte Eigenschaft."},
        {Cat({"visible ", Bytes{1}}), "Eintrag 1 \"visible\" bei Byte 0: unbekannte"},
        {Cat({timer, "Visible"}), "Eintrag 4 \"Visible\" bei Byte 40: der Name endet ohne Leerzeichen am Satzende."},
        // A junk name is shown cut short and printable.
        {Cat({"!~", Bytes(39, 0x7F), " "}), "\"!~??????????????????????????????????????...\""},
        {Cat({"!~", Bytes(38, 0x80), " "}), "\"!~??????????????????????????????????????\""},
        {Cat({"Visible ", Bytes{2}}), "ungültiger Wahrheitswert 2."},
        // Values that run past the end, for every width.
        {Cat({"Period ", Bytes{0xF4, 1, 0, 0, 0, 0, 0}}), "Satzende"},
        {Cat({"Enabled "}), "Satzende"},
        {Cat({"TextColor ", Bytes{0, 0, 0}}), "Satzende"},
        {Cat({"FontSize ", Bytes{0, 0, 0x40}}), "Satzende"},
        {Cat({"FontUnit "}), "Satzende"},
        {Cat({"Title ", Bytes{4, 0, 0}}), "Satzende"},
        {Cat({"Title ", Bytes{4, 0, 0, 0}, "Inf"}), "Satzende"},
        {Cat({"Title ", Bytes{0xFF, 0xFF, 0xFF, 0xFF}, "Info"}), "Satzende"},
    };
    for (const auto& c : cases) {
        const std::string message = DecodeError(c.record);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

}  // namespace

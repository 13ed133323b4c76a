#include "framework/properties/PropertyRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/properties/PropertyRecordBuilder.h"
#include "framework/properties/SetProperties.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/Timer.h"
#include "tests/support/UiTestSupport.h"

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

template <typename F>
std::string FormatError(F f) {
    try {
        f();
    } catch (const fw::UnsupportedFormatException& e) {
        return e.what();
    }
    return "";
}

TEST(PropertyRecordTest, BuiltRecordsHaveTheirBytesAndReadBackEntryForEntry) {
    const struct {
        Bytes built, bytes;  // built empty: a record no builder makes; bytes empty: as built
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
         {},
         {std::string(), false, 12.0f, std::uint8_t{200}}},
        {Of(fw::MakeRecord(fw::ColorValue("BackgroundColor", fw::RGB(255, 255, 255)),
                           fw::ColorValue("TextColor", fw::Color{1, 2, 3, 4}))),
         {},
         {fw::RGB(255, 255, 255, 0), fw::Color{1, 2, 3, 4}}},
        // Value bytes are data, not text: a blank or a zero inside a value is no separator.
        {{},
         Cat({"Left ", Bytes{0x20, 0, 0x20, 0, 0, 0, 0, 0}, "Caption ", Bytes{3, 0, 0, 0, 0, 0x20, 0xFF}}),
         {std::int64_t{0x200020}, std::string("\0 \xFF", 3)}},
        {{}, {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.built.empty() || c.bytes.empty() || c.built == c.bytes);
        const auto entries = fw::DecodePropertyRecord(c.bytes.empty() ? c.built : c.bytes);
        ASSERT_EQ(entries.size(), c.values.size());
        for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].value, c.values[i]) << entries[i].name;
    }
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
        const std::string message = FormatError([&] { fw::DecodePropertyRecord(c.record); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

class SetPropertiesTest : public uitest::UiTest {};

TEST_F(SetPropertiesTest, EveryEntryIsAppliedInOrderUntilOneTheClassLacks) {
    auto w = Build();
    auto canvas = uitest::Add<fw::Canvas>(*w, "CA", 0, 0, 1, 1);
    constexpr auto record =
        fw::MakeRecord(fw::Int("Left", 156), fw::Int("Top", -1), fw::Int("Width", 400), fw::Bool("Visible", false),
                       fw::Int("Width", 300), fw::String("InitialParent", ""));
    fw::SetProperties(*canvas, record.bytes());
    EXPECT_EQ((std::array{canvas->Left(), canvas->Top(), canvas->Width()}),
              (std::array<std::int64_t, 3>{156, -1, 300}));
    EXPECT_FALSE(canvas->Widget()->isVisible());
    canvas->SetVisible(true);
    EXPECT_TRUE(canvas->Widget()->isVisible());

    auto label = std::make_shared<fw::Label>();
    constexpr auto refused =
        fw::MakeRecord(fw::String("Text", "Zoom"), fw::Int("RunMode", 1), fw::String("Text", "nie"));
    const std::string message = FormatError([&] { fw::SetProperties(*label, refused.bytes()); });
    EXPECT_NE(message.find("Eintrag 2 des"), std::string::npos) << message;
    EXPECT_NE(message.find("RunMode"), std::string::npos) << message;
    EXPECT_EQ(label->Text(), "Zoom");
    // A timer has no place on the window, and a value must have its entry's type.
    EXPECT_THROW(fw::SetProperties(*std::make_shared<fw::Timer>(), fw::MakeRecord(fw::Int("Left", 3)).bytes()),
                 fw::UnsupportedFormatException);
    EXPECT_THROW(w->SetProperty("Width", true), fw::UnsupportedFormatException);
}

}  // namespace

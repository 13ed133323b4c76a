#include <QLabel>

#include "framework/properties/PropertyRecordBuilder.h"
#include "framework/properties/SetProperties.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/Timer.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class SetPropertiesTest : public UiTest {};

std::string Refusal(fw::Object& object, std::span<const std::uint8_t> record) {
    try {
        fw::SetProperties(object, record);
    } catch (const fw::UnsupportedFormatException& e) {
        return e.what();
    }
    return "";
}

TEST_F(SetPropertiesTest, EveryEntryIsAppliedInOrderAndARepeatedNameTwice) {
    auto w = Build();
    auto canvas = w->New<fw::Canvas>();
    w->AddControl("CA", canvas);
    constexpr auto record =
        fw::MakeRecord(fw::Int("Left", 156), fw::Int("Top", -1), fw::Int("Width", 400), fw::Int("Height", 400),
                       fw::Bool("Transparent", true), fw::Bool("Visible", false), fw::Bool("Transparent", true),
                       fw::String("InitialParent", ""));
    fw::SetProperties(*canvas, record.bytes());
    EXPECT_EQ(canvas->Left(), 156);
    EXPECT_EQ(canvas->Top(), -1);
    EXPECT_EQ(canvas->Width(), 400);
    EXPECT_FALSE(canvas->Visible());
}

TEST_F(SetPropertiesTest, ANameTheClassLacksIsRefusedNamingItAfterTheEntriesBeforeIt) {
    auto label = std::make_shared<fw::Label>();
    constexpr auto record =
        fw::MakeRecord(fw::String("Text", "Zoom"), fw::Int("RunMode", 1), fw::String("Caption", "nie"));
    const std::string refusal = Refusal(*label, record.bytes());
    EXPECT_NE(refusal.find("RunMode"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("Eintrag 2"), std::string::npos) << refusal;
    EXPECT_EQ(label->Text(), "Zoom");

    // The timer has no place on the window.
    auto timer = std::make_shared<fw::Timer>();
    constexpr auto placed = fw::MakeRecord(fw::Int("Left", 3));
    EXPECT_NE(Refusal(*timer, placed.bytes()).find("Left"), std::string::npos);
}

TEST_F(SetPropertiesTest, UnknownNamesAndValuesPastTheEndAreRefused) {
    auto label = std::make_shared<fw::Label>();
    const std::string unknown = "Colour \x01";
    const std::vector<std::uint8_t> bytes(unknown.begin(), unknown.end());
    EXPECT_NE(Refusal(*label, bytes).find("Colour"), std::string::npos);

    // "Left " and only three of its eight bytes.
    const std::vector<std::uint8_t> cut = {'L', 'e', 'f', 't', ' ', 1, 0, 0};
    EXPECT_NE(Refusal(*label, cut).find("Left"), std::string::npos);
    EXPECT_EQ(label->Left(), 0);
}

}  // namespace

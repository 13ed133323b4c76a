#include "framework/properties/PropertyRecordBuilder.h"
#include "framework/properties/SetProperties.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/Timer.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class SetPropertiesTest : public UiTest {};

TEST_F(SetPropertiesTest, EveryEntryIsAppliedInOrderUntilOneTheClassLacks) {
    auto w = Build();
    auto canvas = w->New<fw::Canvas>();
    w->AddControl("CA", canvas);
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
    try {
        fw::SetProperties(*label, refused.bytes());
        ADD_FAILURE() << "not refused";
    } catch (const fw::UnsupportedFormatException& e) {
        EXPECT_NE(std::string(e.what()).find("Eintrag 2 des"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("RunMode"), std::string::npos) << e.what();
    }
    EXPECT_EQ(label->Text(), "Zoom");
    // A timer has no place on the window, and a value must have its entry's type.
    EXPECT_THROW(fw::SetProperties(*std::make_shared<fw::Timer>(), fw::MakeRecord(fw::Int("Left", 3)).bytes()),
                 fw::UnsupportedFormatException);
    EXPECT_THROW(w->SetProperty("Width", true), fw::UnsupportedFormatException);
}

}  // namespace

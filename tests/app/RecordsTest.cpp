// The program's records read back with the shared type table: each in its
// class's order, to its last byte, with the values the windows rely on.
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/WIInfoRecords.h"
#include "app/WINhauptRecords.h"
#include "framework/properties/PropertyRecord.h"

namespace {

using Names = std::vector<std::string>;

// Written out again here, not taken from the record forms, so a slip in a
// form's order shows.
const Names kWindowOrder = {"Width",
                            "Height",
                            "MinimumWidth",
                            "MinimumHeight",
                            "MaximumWidth",
                            "MaximumHeight",
                            "Type",
                            "Title",
                            "HasCloseButton",
                            "HasMaximizeButton",
                            "HasMinimizeButton",
                            "HasFullScreenButton",
                            "Resizeable",
                            "Composite",
                            "MacProcID",
                            "FullScreen",
                            "DefaultLocation",
                            "Visible",
                            "HasBackgroundColor",
                            "BackgroundColor",
                            "MenuBarVisible",
                            "LiveResize"};
const Names kHead = {
    "Name",    "Index",     "Left",       "Top",      "Width",         "Height",  "LockLeft",
    "LockTop", "LockRight", "LockBottom", "TabIndex", "TabPanelIndex", "TabStop", "AllowAutoDeactivate"};

Names Join(const Names& a, const Names& b) {
    Names all = a;
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

const Names kGroupBoxOrder = Join(kHead, {"Caption", "Enabled", "Tooltip", "Transparent", "Visible", "Bold", "Italic",
                                          "FontName", "Underline", "FontSize", "FontUnit", "InitialParent"});
const Names kCheckBoxOrder =
    Join(kHead, {"Caption", "Enabled", "Tooltip", "Transparent", "Visible", "Bold", "Italic", "FontName", "FontSize",
                 "FontUnit", "Underline", "VisualState", "DataField", "DataSource", "InitialParent"});
const Names kPushButtonOrder =
    Join(kHead, {"MacButtonStyle", "Cancel", "Caption", "Default", "Enabled", "Tooltip", "Transparent", "Visible",
                 "FontName", "FontSize", "FontUnit", "Bold", "Italic", "Underline", "InitialParent"});
const Names kLabelOrder = Join(kHead, {"Enabled", "Tooltip", "Multiline", "Selectable", "TextAlignment", "TextColor",
                                       "Transparent", "Text", "Visible", "Bold", "Italic", "FontName", "Underline",
                                       "FontSize", "FontUnit", "DataSource", "DataField", "InitialParent"});
const Names kTextFieldOrder = Join(kHead, {"BackgroundColor",
                                           "HasBorder",
                                           "Enabled",
                                           "Format",
                                           "Tooltip",
                                           "Password",
                                           "TextColor",
                                           "Transparent",
                                           "AllowFocusRing",
                                           "Visible",
                                           "FontName",
                                           "FontSize",
                                           "FontUnit",
                                           "Bold",
                                           "Italic",
                                           "Underline",
                                           "Hint",
                                           "Text",
                                           "AllowTabs",
                                           "TextAlignment",
                                           "AllowSpellChecking",
                                           "MaximumCharactersAllowed",
                                           "ValidationMask",
                                           "ReadOnly",
                                           "DataSource",
                                           "DataField",
                                           "InitialParent"});
const Names kCanvasOrder = Join(kHead, {"Enabled", "Tooltip", "AllowFocusRing", "Visible", "AllowFocus", "AllowTabs",
                                        "Transparent", "DoubleBuffer", "Transparent", "InitialParent"});
const Names kImageWellOrder = {"AllowAutoDeactivate",
                               "Transparent",
                               "Name",
                               "Index",
                               "Left",
                               "Top",
                               "Width",
                               "Height",
                               "LockLeft",
                               "LockTop",
                               "LockRight",
                               "LockBottom",
                               "TabPanelIndex",
                               "TabIndex",
                               "TabStop",
                               "InitialParent",
                               "Visible",
                               "Tooltip",
                               "Enabled"};
const Names kUpDownArrowsOrder = Join(kImageWellOrder, {"AllowFocus"});
const Names kTimerOrder = {"RunMode", "Period", "Enabled"};

struct RecordCase {
    const char* what;
    std::span<const std::uint8_t> bytes;
    const Names& order;
    std::size_t length;
};

std::vector<RecordCase> AllRecords() {
    namespace H = WINhauptRecords;
    namespace I = WIInfoRecords;
    return {
        {"WINhaupt", H::kWindow, kWindowOrder, 377},
        {"GroupBox1", H::kGroupBox1, kGroupBoxOrder, 344},
        {"CBpunkte", H::kCBpunkte, kCheckBoxOrder, 400},
        {"CBlinien", H::kCBlinien, kCheckBoxOrder, 400},
        {"CBachsen", H::kCBachsen, kCheckBoxOrder, 400},
        {"GroupBox2", H::kGroupBox2, kGroupBoxOrder, 344},
        {"PushButton1", H::kPushButton1, kPushButtonOrder, 393},
        {"UPDzoom", H::kUPDzoom, kUpDownArrowsOrder, 277},
        {"Label1", H::kLabel1, kLabelOrder, 432},
        {"EFzoom", H::kEFzoom, kTextFieldOrder, 575},
        {"CAhaupt", H::kCAhaupt, kCanvasOrder, 322},
        {"PushButton2", H::kPushButton2, kPushButtonOrder, 388},
        {"Timer1", H::kTimer1, kTimerOrder, 40},
        {"WIInfo", I::kWindow, kWindowOrder, 371},
        {"Info PushButton1", I::kPushButton1, kPushButtonOrder, 381},
        {"ImageWell1", I::kImageWell1, kImageWellOrder, 259},
        {"Canvas1", I::kCanvas1, kCanvasOrder, 322},
        {"Info Label1", I::kLabel1, kLabelOrder, 429},
        {"Info Label2", I::kLabel2, kLabelOrder, 430},
        {"Info Label3", I::kLabel3, kLabelOrder, 419 + I::kNotice.size()},
    };
}

// The first entry of that name; records repeat a name only with one value.
const fw::PropertyValue& ValueOf(const std::vector<fw::PropertyEntry>& entries, const std::string& name) {
    for (const auto& e : entries) {
        if (e.name == name) return e.value;
    }
    throw std::runtime_error("no entry " + name);
}

TEST(RecordsTest, EveryRecordReadsInItsClassOrderToItsLastByte) {
    const auto records = AllRecords();
    ASSERT_EQ(records.size(), 20u);
    for (const auto& r : records) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(r.bytes.size(), r.length);
        // The reader refuses a record whose last value does not end at its last byte.
        const auto entries = fw::DecodePropertyRecord(r.bytes);
        Names names;
        for (const auto& e : entries) names.push_back(e.name);
        EXPECT_EQ(names, r.order);
    }
    EXPECT_EQ(kWindowOrder.size(), 22u);
    EXPECT_EQ(kGroupBoxOrder.size(), 26u);
    EXPECT_EQ(kCheckBoxOrder.size(), 29u);
    EXPECT_EQ(kPushButtonOrder.size(), 29u);
    EXPECT_EQ(kLabelOrder.size(), 32u);
    EXPECT_EQ(kTextFieldOrder.size(), 41u);
    EXPECT_EQ(kCanvasOrder.size(), 24u);
    EXPECT_EQ(kUpDownArrowsOrder.size(), 20u);
    EXPECT_EQ(kImageWellOrder.size(), 19u);
}

TEST(RecordsTest, ControlsAreNamedPlacedAndParentedAsCreated) {
    struct Expect {
        const char* name;
        std::int64_t left, top, width, height, tabIndex;
        const char* parent;
    };
    const std::vector<Expect> expected = {
        {"GroupBox1", 16, 15, 132, 97, 0, ""},         {"CBpunkte", 27, 37, 72, 22, 0, "GroupBox1"},
        {"CBlinien", 27, 56, 72, 22, 1, "GroupBox1"},  {"CBachsen", 27, 85, 114, 22, 2, "GroupBox1"},
        {"GroupBox2", 16, 124, 132, 95, 1, ""},        {"PushButton1", 49, 187, 68, 20, 0, "GroupBox2"},
        {"UPDzoom", 121, 153, 13, 23, 1, "GroupBox2"}, {"Label1", 28, 153, 43, 20, 3, "GroupBox2"},
        {"EFzoom", 72, 153, 41, 22, 4, "GroupBox2"},   {"CAhaupt", 156, 15, 400, 400, 2, ""},
        {"PushButton2", 29, 304, 109, 20, 3, ""},      {"PushButton1", 85, 270, 69, 20, 0, ""},
        {"ImageWell1", 39, 51, 160, 160, 3, ""},       {"Canvas1", 0, -1, 100, 50, 5, ""},
        {"Label1", 69, 223, 100, 20, 6, ""},           {"Label2", 69, 246, 100, 20, 7, ""},
        {"Label3", 98, 296, 140, 20, 8, ""},
    };
    std::vector<RecordCase> controls;
    for (const auto& r : AllRecords()) {
        if (r.order != kWindowOrder && r.order != kTimerOrder) controls.push_back(r);
    }
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i].what);
        const auto entries = fw::DecodePropertyRecord(controls[i].bytes);
        const auto& x = expected[i];
        EXPECT_EQ(std::get<std::string>(ValueOf(entries, "Name")), x.name);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "Index")), -2147483648LL);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "Left")), x.left);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "Top")), x.top);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "Width")), x.width);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "Height")), x.height);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "TabIndex")), x.tabIndex);
        EXPECT_EQ(std::get<std::int64_t>(ValueOf(entries, "TabPanelIndex")), 0);
        EXPECT_EQ(std::get<std::string>(ValueOf(entries, "InitialParent")), x.parent);
        EXPECT_TRUE(std::get<bool>(ValueOf(entries, "Visible")));
        EXPECT_TRUE(std::get<bool>(ValueOf(entries, "Enabled")));
    }
}

TEST(RecordsTest, GroupBox1BeginsWithNameIndexAndLeft) {
    const std::vector<std::uint8_t> expected = {
        0x4E, 0x61, 0x6D, 0x65, 0x20, 0x09, 0x00, 0x00, 0x00, 'G',  'r',  'o',  'u',  'p',  'B',
        'o',  'x',  '1',  0x49, 0x6E, 0x64, 0x65, 0x78, 0x20, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF,
        0xFF, 0xFF, 0x4C, 0x65, 0x66, 0x74, 0x20, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
    const auto& record = WINhauptRecords::kGroupBox1;
    EXPECT_EQ(std::vector<std::uint8_t>(record.begin(), record.begin() + 45), expected);
}

TEST(RecordsTest, ValuesTheWindowsRelyOn) {
    namespace H = WINhauptRecords;
    namespace I = WIInfoRecords;
    using S = std::string;
    using N = std::int64_t;
    const fw::Color white = fw::RGB(255, 255, 255, 0), black = fw::RGB(0, 0, 0, 0);
    const struct {
        const char* what;
        std::span<const std::uint8_t> record;
        const char* name;
        fw::PropertyValue expected;
    } cases[] = {
        {"WINhaupt", H::kWindow, "Title", S("KZP-Viewer")},
        {"WINhaupt", H::kWindow, "MinimumWidth", N{576}},
        {"WINhaupt", H::kWindow, "MinimumHeight", N{435}},
        {"WINhaupt", H::kWindow, "Resizeable", true},
        {"WINhaupt", H::kWindow, "HasMaximizeButton", false},
        {"WINhaupt", H::kWindow, "HasBackgroundColor", false},
        {"WINhaupt", H::kWindow, "BackgroundColor", white},
        {"WIInfo", I::kWindow, "Title", S("Info")},
        {"WIInfo", I::kWindow, "MinimumWidth", N{64}},
        {"WIInfo", I::kWindow, "Resizeable", false},
        {"WIInfo", I::kWindow, "HasBackgroundColor", true},
        {"Timer1", H::kTimer1, "RunMode", N{1}},
        {"Timer1", H::kTimer1, "Period", N{500}},
        {"GroupBox1", H::kGroupBox1, "Caption", S("Anzeige")},
        {"GroupBox2", H::kGroupBox2, "Caption", S("Ansicht")},
        {"CBpunkte", H::kCBpunkte, "Caption", S("Punkte")},
        {"CBpunkte", H::kCBpunkte, "VisualState", N{0}},
        {"CBlinien", H::kCBlinien, "VisualState", N{1}},
        {"CBachsen", H::kCBachsen, "VisualState", N{1}},
        {"PushButton1", H::kPushButton1, "Caption", S("reset")},
        {"PushButton2", H::kPushButton2, "Caption", S("KZP laden")},
        {"UPDzoom", H::kUPDzoom, "AllowFocus", false},
        {"Label1", H::kLabel1, "Text", S("Zoom")},
        {"Label1", H::kLabel1, "TextColor", black},
        {"EFzoom", H::kEFzoom, "Text", S("")},
        {"EFzoom", H::kEFzoom, "BackgroundColor", white},
        {"EFzoom", H::kEFzoom, "FontName", S("System")},
        {"EFzoom", H::kEFzoom, "FontSize", 0.0f},
        {"CAhaupt", H::kCAhaupt, "LockRight", true},
        {"CAhaupt", H::kCAhaupt, "LockBottom", true},
        {"PushButton2", H::kPushButton2, "LockBottom", false},
        {"Info OK", I::kPushButton1, "Caption", S("OK")},
        {"Info OK", I::kPushButton1, "Default", true},
        {"Info OK", I::kPushButton1, "FontSize", 12.0f},
        {"Label1", I::kLabel1, "Text", S("KZP-Viewer")},
        {"Label1", I::kLabel1, "Bold", true},
        {"Label1", I::kLabel1, "FontSize", 16.0f},
        {"Label1", I::kLabel1, "TextAlignment", N{2}},
        {"Label2", I::kLabel2, "Text", S("Version 2.0")},
        {"Label2", I::kLabel2, "FontSize", 0.0f},
        {"Label3", I::kLabel3, "Text", S(I::kNotice)},
        {"Label3", I::kLabel3, "TextAlignment", N{3}},
        {"Label3", I::kLabel3, "FontSize", 9.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValueOf(fw::DecodePropertyRecord(c.record), c.name), c.expected) << c.what << " " << c.name;
    }
    // The notice is one line.
    EXPECT_FALSE(I::kNotice.empty());
    EXPECT_EQ(I::kNotice.find('\n'), std::string_view::npos);
}

TEST(RecordsTest, CanvasesCarryTransparentTwiceBothTrue) {
    for (std::span<const std::uint8_t> record : {std::span<const std::uint8_t>(WINhauptRecords::kCAhaupt),
                                                 std::span<const std::uint8_t>(WIInfoRecords::kCanvas1)}) {
        const auto entries = fw::DecodePropertyRecord(record);
        int seen = 0;
        for (const auto& e : entries) {
            if (e.name == "Transparent") {
                ++seen;
                EXPECT_TRUE(std::get<bool>(e.value));
            }
        }
        EXPECT_EQ(seen, 2);
        EXPECT_FALSE(std::get<bool>(ValueOf(entries, "DoubleBuffer")));
    }
}

}  // namespace

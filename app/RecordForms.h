#pragma once
// The entry order of each class's property record, written once per class so
// that every record of a class keeps the same names in the same order. The
// records themselves (WINhauptRecords.h, WIInfoRecords.h) give only values.
#include <cstdint>
#include <string_view>

#include "framework/painting/Color.h"
#include "framework/properties/PropertyRecordBuilder.h"
#include "framework/widgets/Control.h"

namespace RecordForms {

using Record = fw::PropertyRecordBytes<fw::kPropertyRecordCapacity>;

inline constexpr fw::Color kWhite = fw::RGB(255, 255, 255, 0);
inline constexpr fw::Color kBlack = fw::RGB(0, 0, 0, 0);

struct WindowValues {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t minimumWidth = 0;
    std::int64_t minimumHeight = 0;
    std::int64_t maximumWidth = 0;
    std::int64_t maximumHeight = 0;
    std::int64_t type = 0;
    std::string_view title{};
    bool hasCloseButton = false;
    bool hasMaximizeButton = false;
    bool hasMinimizeButton = false;
    bool hasFullScreenButton = false;
    bool resizeable = false;
    bool composite = false;
    std::int64_t macProcID = 0;
    bool fullScreen = false;
    std::int64_t defaultLocation = 0;
    bool visible = false;
    bool hasBackgroundColor = false;
    fw::Color backgroundColor{};
    bool menuBarVisible = false;
    bool liveResize = false;
};

// What every control record has; the defaults are the values that all
// controls of the program share.
struct ControlValues {
    std::string_view name{};
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool lockLeft = false;
    bool lockTop = false;
    bool lockRight = false;
    bool lockBottom = false;
    std::int64_t tabIndex = 0;
    std::string_view initialParent{};  // empty: placed on the window itself
    std::int64_t index = fw::Control::kNoControlArray;
    std::int64_t tabPanelIndex = 0;
    bool tabStop = true;
    bool allowAutoDeactivate = true;
    bool enabled = true;
    bool visible = true;
    std::string_view tooltip{};
};

// FontSize 0 with "System": the platform's system font at its standard size.
struct FontValues {
    std::string_view fontName = "System";
    float fontSize = 0.0f;
    std::uint8_t fontUnit = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct GroupBoxValues {
    std::string_view caption{};
    bool transparent = false;
    FontValues font{};
};

struct CheckBoxValues {
    std::string_view caption{};
    bool transparent = false;
    std::int64_t visualState = 0;  // 0 not ticked, 1 ticked
    std::string_view dataField{};
    std::string_view dataSource{};
    FontValues font{};
};

struct PushButtonValues {
    std::int64_t macButtonStyle = 0;
    bool cancel = false;
    std::string_view caption{};
    bool isDefault = false;
    bool transparent = false;
    FontValues font{};
};

struct LabelValues {
    bool multiline = false;
    bool selectable = false;
    std::int64_t textAlignment = 0;  // 0 default, 2 centred, 3 right
    fw::Color textColor{};
    bool transparent = false;
    std::string_view text{};
    std::string_view dataSource{};
    std::string_view dataField{};
    FontValues font{};
};

struct TextFieldValues {
    fw::Color backgroundColor{};
    bool hasBorder = false;
    std::string_view format{};
    bool password = false;
    fw::Color textColor{};
    bool transparent = false;
    bool allowFocusRing = false;
    std::string_view hint{};
    std::string_view text{};
    bool allowTabs = false;
    std::int64_t textAlignment = 0;
    bool allowSpellChecking = false;
    std::int64_t maximumCharactersAllowed = 0;
    std::string_view validationMask{};
    bool readOnly = false;
    std::string_view dataSource{};
    std::string_view dataField{};
    FontValues font{};
};

// Transparent is stored twice in a canvas record, always with one value.
struct CanvasValues {
    bool allowFocusRing = false;
    bool allowFocus = false;
    bool allowTabs = false;
    bool transparent = false;
    bool doubleBuffer = false;
};

struct UpDownArrowsValues {
    bool transparent = false;
    bool allowFocus = false;
};

struct ImageWellValues {
    bool transparent = false;
};

struct TimerValues {
    std::int64_t runMode = 0;  // 1 fires once
    std::int64_t period = 0;   // milliseconds
    bool enabled = false;
};

consteval Record WindowRecord(const WindowValues& w) {
    using namespace fw;
    return MakeRecord(
        Int("Width", w.width), Int("Height", w.height), Int("MinimumWidth", w.minimumWidth),
        Int("MinimumHeight", w.minimumHeight), Int("MaximumWidth", w.maximumWidth),
        Int("MaximumHeight", w.maximumHeight), Int("Type", w.type), String("Title", w.title),
        Bool("HasCloseButton", w.hasCloseButton), Bool("HasMaximizeButton", w.hasMaximizeButton),
        Bool("HasMinimizeButton", w.hasMinimizeButton), Bool("HasFullScreenButton", w.hasFullScreenButton),
        Bool("Resizeable", w.resizeable), Bool("Composite", w.composite), Int("MacProcID", w.macProcID),
        Bool("FullScreen", w.fullScreen), Int("DefaultLocation", w.defaultLocation), Bool("Visible", w.visible),
        Bool("HasBackgroundColor", w.hasBackgroundColor), ColorValue("BackgroundColor", w.backgroundColor),
        Bool("MenuBarVisible", w.menuBarVisible), Bool("LiveResize", w.liveResize));
}

// The fourteen entries with which the record of every control but the
// plug-in ones begins.
consteval Record ControlHead(const ControlValues& c) {
    using namespace fw;
    return MakeRecord(String("Name", c.name), Int("Index", c.index), Int("Left", c.left), Int("Top", c.top),
                      Int("Width", c.width), Int("Height", c.height), Bool("LockLeft", c.lockLeft),
                      Bool("LockTop", c.lockTop), Bool("LockRight", c.lockRight), Bool("LockBottom", c.lockBottom),
                      Int("TabIndex", c.tabIndex), Int("TabPanelIndex", c.tabPanelIndex), Bool("TabStop", c.tabStop),
                      Bool("AllowAutoDeactivate", c.allowAutoDeactivate));
}

consteval Record GroupBoxRecord(const ControlValues& c, const GroupBoxValues& g) {
    using namespace fw;
    return ExtendRecord(ControlHead(c), String("Caption", g.caption), Bool("Enabled", c.enabled),
                        String("Tooltip", c.tooltip), Bool("Transparent", g.transparent), Bool("Visible", c.visible),
                        Bool("Bold", g.font.bold), Bool("Italic", g.font.italic), String("FontName", g.font.fontName),
                        Bool("Underline", g.font.underline), Single("FontSize", g.font.fontSize),
                        Enum8("FontUnit", g.font.fontUnit), String("InitialParent", c.initialParent));
}

consteval Record CheckBoxRecord(const ControlValues& c, const CheckBoxValues& b) {
    using namespace fw;
    return ExtendRecord(
        ControlHead(c), String("Caption", b.caption), Bool("Enabled", c.enabled), String("Tooltip", c.tooltip),
        Bool("Transparent", b.transparent), Bool("Visible", c.visible), Bool("Bold", b.font.bold),
        Bool("Italic", b.font.italic), String("FontName", b.font.fontName), Single("FontSize", b.font.fontSize),
        Enum8("FontUnit", b.font.fontUnit), Bool("Underline", b.font.underline), Int("VisualState", b.visualState),
        String("DataField", b.dataField), String("DataSource", b.dataSource), String("InitialParent", c.initialParent));
}

consteval Record PushButtonRecord(const ControlValues& c, const PushButtonValues& p) {
    using namespace fw;
    return ExtendRecord(ControlHead(c), Int("MacButtonStyle", p.macButtonStyle), Bool("Cancel", p.cancel),
                        String("Caption", p.caption), Bool("Default", p.isDefault), Bool("Enabled", c.enabled),
                        String("Tooltip", c.tooltip), Bool("Transparent", p.transparent), Bool("Visible", c.visible),
                        String("FontName", p.font.fontName), Single("FontSize", p.font.fontSize),
                        Enum8("FontUnit", p.font.fontUnit), Bool("Bold", p.font.bold), Bool("Italic", p.font.italic),
                        Bool("Underline", p.font.underline), String("InitialParent", c.initialParent));
}

consteval Record LabelRecord(const ControlValues& c, const LabelValues& l) {
    using namespace fw;
    return ExtendRecord(
        ControlHead(c), Bool("Enabled", c.enabled), String("Tooltip", c.tooltip), Bool("Multiline", l.multiline),
        Bool("Selectable", l.selectable), Int("TextAlignment", l.textAlignment), ColorValue("TextColor", l.textColor),
        Bool("Transparent", l.transparent), String("Text", l.text), Bool("Visible", c.visible),
        Bool("Bold", l.font.bold), Bool("Italic", l.font.italic), String("FontName", l.font.fontName),
        Bool("Underline", l.font.underline), Single("FontSize", l.font.fontSize), Enum8("FontUnit", l.font.fontUnit),
        String("DataSource", l.dataSource), String("DataField", l.dataField), String("InitialParent", c.initialParent));
}

consteval Record TextFieldRecord(const ControlValues& c, const TextFieldValues& t) {
    using namespace fw;
    return ExtendRecord(
        ControlHead(c), ColorValue("BackgroundColor", t.backgroundColor), Bool("HasBorder", t.hasBorder),
        Bool("Enabled", c.enabled), String("Format", t.format), String("Tooltip", c.tooltip),
        Bool("Password", t.password), ColorValue("TextColor", t.textColor), Bool("Transparent", t.transparent),
        Bool("AllowFocusRing", t.allowFocusRing), Bool("Visible", c.visible), String("FontName", t.font.fontName),
        Single("FontSize", t.font.fontSize), Enum8("FontUnit", t.font.fontUnit), Bool("Bold", t.font.bold),
        Bool("Italic", t.font.italic), Bool("Underline", t.font.underline), String("Hint", t.hint),
        String("Text", t.text), Bool("AllowTabs", t.allowTabs), Int("TextAlignment", t.textAlignment),
        Bool("AllowSpellChecking", t.allowSpellChecking), Int("MaximumCharactersAllowed", t.maximumCharactersAllowed),
        String("ValidationMask", t.validationMask), Bool("ReadOnly", t.readOnly), String("DataSource", t.dataSource),
        String("DataField", t.dataField), String("InitialParent", c.initialParent));
}

consteval Record CanvasRecord(const ControlValues& c, const CanvasValues& v) {
    using namespace fw;
    return ExtendRecord(ControlHead(c), Bool("Enabled", c.enabled), String("Tooltip", c.tooltip),
                        Bool("AllowFocusRing", v.allowFocusRing), Bool("Visible", c.visible),
                        Bool("AllowFocus", v.allowFocus), Bool("AllowTabs", v.allowTabs),
                        Bool("Transparent", v.transparent), Bool("DoubleBuffer", v.doubleBuffer),
                        Bool("Transparent", v.transparent), String("InitialParent", c.initialParent));
}

// The two plug-in controls open with AllowAutoDeactivate and Transparent,
// put TabPanelIndex before TabIndex and carry no font.
consteval Record UpDownArrowsRecord(const ControlValues& c, const UpDownArrowsValues& u) {
    using namespace fw;
    return MakeRecord(Bool("AllowAutoDeactivate", c.allowAutoDeactivate), Bool("Transparent", u.transparent),
                      String("Name", c.name), Int("Index", c.index), Int("Left", c.left), Int("Top", c.top),
                      Int("Width", c.width), Int("Height", c.height), Bool("LockLeft", c.lockLeft),
                      Bool("LockTop", c.lockTop), Bool("LockRight", c.lockRight), Bool("LockBottom", c.lockBottom),
                      Int("TabPanelIndex", c.tabPanelIndex), Int("TabIndex", c.tabIndex), Bool("TabStop", c.tabStop),
                      String("InitialParent", c.initialParent), Bool("Visible", c.visible),
                      String("Tooltip", c.tooltip), Bool("Enabled", c.enabled), Bool("AllowFocus", u.allowFocus));
}

consteval Record ImageWellRecord(const ControlValues& c, const ImageWellValues& i) {
    using namespace fw;
    return MakeRecord(Bool("AllowAutoDeactivate", c.allowAutoDeactivate), Bool("Transparent", i.transparent),
                      String("Name", c.name), Int("Index", c.index), Int("Left", c.left), Int("Top", c.top),
                      Int("Width", c.width), Int("Height", c.height), Bool("LockLeft", c.lockLeft),
                      Bool("LockTop", c.lockTop), Bool("LockRight", c.lockRight), Bool("LockBottom", c.lockBottom),
                      Int("TabPanelIndex", c.tabPanelIndex), Int("TabIndex", c.tabIndex), Bool("TabStop", c.tabStop),
                      String("InitialParent", c.initialParent), Bool("Visible", c.visible),
                      String("Tooltip", c.tooltip), Bool("Enabled", c.enabled));
}

consteval Record TimerRecord(const TimerValues& t) {
    using namespace fw;
    return MakeRecord(Int("RunMode", t.runMode), Int("Period", t.period), Bool("Enabled", t.enabled));
}

}  // namespace RecordForms

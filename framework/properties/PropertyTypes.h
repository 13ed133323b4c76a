#pragma once
// The value type of every property name a record may carry. A record has no
// type tags, so this table alone fixes each value's width; the builder and
// the reader share it so they cannot drift apart.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fw {

enum class PropertyType : std::uint8_t {
    Integer,  // 8 bytes, signed, also the framework's 64-bit enumerations
    String,   // 32-bit count, then that many bytes
    Boolean,  // 1 byte, 00 or 01
    Color,    // 4 bytes: red, green, blue, alpha
    Single,   // 4 bytes, IEEE binary32
    Enum8,    // 1 byte, unsigned
};

struct PropertyTypeEntry {
    std::string_view name;
    PropertyType type;
};

// Spelt as the records spell them (MacProcID, Multiline), not as the classes do.
inline constexpr std::array<PropertyTypeEntry, 70> kPropertyTypes{{
    {"DefaultLocation", PropertyType::Integer},
    {"Height", PropertyType::Integer},
    {"Index", PropertyType::Integer},
    {"Left", PropertyType::Integer},
    {"MacButtonStyle", PropertyType::Integer},
    {"MacProcID", PropertyType::Integer},
    {"MaximumCharactersAllowed", PropertyType::Integer},
    {"MaximumHeight", PropertyType::Integer},
    {"MaximumWidth", PropertyType::Integer},
    {"MinimumHeight", PropertyType::Integer},
    {"MinimumWidth", PropertyType::Integer},
    {"Period", PropertyType::Integer},
    {"RunMode", PropertyType::Integer},
    {"TabIndex", PropertyType::Integer},
    {"TabPanelIndex", PropertyType::Integer},
    {"TextAlignment", PropertyType::Integer},
    {"Top", PropertyType::Integer},
    {"Type", PropertyType::Integer},
    {"VisualState", PropertyType::Integer},
    {"Width", PropertyType::Integer},

    {"Caption", PropertyType::String},
    {"DataField", PropertyType::String},
    {"DataSource", PropertyType::String},
    {"FontName", PropertyType::String},
    {"Format", PropertyType::String},
    {"Hint", PropertyType::String},
    {"InitialParent", PropertyType::String},
    {"Name", PropertyType::String},
    {"Text", PropertyType::String},
    {"Title", PropertyType::String},
    {"Tooltip", PropertyType::String},
    {"ValidationMask", PropertyType::String},

    {"AllowAutoDeactivate", PropertyType::Boolean},
    {"AllowFocus", PropertyType::Boolean},
    {"AllowFocusRing", PropertyType::Boolean},
    {"AllowSpellChecking", PropertyType::Boolean},
    {"AllowTabs", PropertyType::Boolean},
    {"Bold", PropertyType::Boolean},
    {"Cancel", PropertyType::Boolean},
    {"Composite", PropertyType::Boolean},
    {"Default", PropertyType::Boolean},
    {"DoubleBuffer", PropertyType::Boolean},
    {"Enabled", PropertyType::Boolean},
    {"FullScreen", PropertyType::Boolean},
    {"HasBackgroundColor", PropertyType::Boolean},
    {"HasBorder", PropertyType::Boolean},
    {"HasCloseButton", PropertyType::Boolean},
    {"HasFullScreenButton", PropertyType::Boolean},
    {"HasMaximizeButton", PropertyType::Boolean},
    {"HasMinimizeButton", PropertyType::Boolean},
    {"Italic", PropertyType::Boolean},
    {"LiveResize", PropertyType::Boolean},
    {"LockBottom", PropertyType::Boolean},
    {"LockLeft", PropertyType::Boolean},
    {"LockRight", PropertyType::Boolean},
    {"LockTop", PropertyType::Boolean},
    {"MenuBarVisible", PropertyType::Boolean},
    {"Multiline", PropertyType::Boolean},
    {"Password", PropertyType::Boolean},
    {"ReadOnly", PropertyType::Boolean},
    {"Resizeable", PropertyType::Boolean},
    {"Selectable", PropertyType::Boolean},
    {"TabStop", PropertyType::Boolean},
    {"Transparent", PropertyType::Boolean},
    {"Underline", PropertyType::Boolean},
    {"Visible", PropertyType::Boolean},

    {"BackgroundColor", PropertyType::Color},
    {"TextColor", PropertyType::Color},

    {"FontSize", PropertyType::Single},

    {"FontUnit", PropertyType::Enum8},
}};

// Exact, case-sensitive match: the records are our own constants, and a
// near miss in spelling is a fault to report, not to guess around.
constexpr std::optional<PropertyType> PropertyTypeOf(std::string_view name) {
    for (const auto& entry : kPropertyTypes) {
        if (entry.name == name) return entry.type;
    }
    return std::nullopt;
}

namespace detail {
constexpr bool PropertyTypesWellFormed() {
    for (std::size_t i = 0; i < kPropertyTypes.size(); ++i) {
        const std::string_view name = kPropertyTypes[i].name;
        if (name.empty()) return false;
        for (char c : name) {
            if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
        }
        for (std::size_t j = i + 1; j < kPropertyTypes.size(); ++j) {
            if (kPropertyTypes[j].name == name) return false;
        }
    }
    return true;
}
}  // namespace detail

static_assert(detail::PropertyTypesWellFormed(), "property names must be unique and letters only");

}  // namespace fw

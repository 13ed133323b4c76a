#pragma once
// Property records are constants of the program. They are written as entry
// lists and turned into bytes while compiling, so each record's length can be
// pinned with static_assert and a name that is unknown or given a value of
// the wrong type does not compile.
//
//   constexpr auto kTimer = fw::MakeRecord(fw::Int("RunMode", 1), fw::Int("Period", 500),
//                                          fw::Bool("Enabled", true));
//   static_assert(kTimer.size() == 40);
#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "framework/painting/Color.h"
#include "framework/properties/PropertyTypes.h"

namespace fw {

// Room for the longest record of the program with a good margin.
inline constexpr std::size_t kPropertyRecordCapacity = 1024;

// The bytes of one record. A contiguous range, so it passes wherever a
// std::span<const std::uint8_t> is expected.
template <std::size_t Capacity>
class PropertyRecordBytes {
public:
    constexpr std::size_t size() const { return size_; }
    constexpr const std::uint8_t* data() const { return bytes_.data(); }
    constexpr const std::uint8_t* begin() const { return bytes_.data(); }
    constexpr const std::uint8_t* end() const { return bytes_.data() + size_; }
    constexpr std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }
    constexpr std::span<const std::uint8_t> bytes() const { return {bytes_.data(), size_}; }

    constexpr void Append(std::uint8_t byte);

private:
    std::array<std::uint8_t, Capacity> bytes_{};
    std::size_t size_ = 0;
};

// One entry to be written: the name and a value of the type the name calls for.
struct RecordEntry {
    std::string_view name{};
    PropertyType type = PropertyType::Integer;
    std::int64_t integer = 0;
    std::string_view text{};
    bool boolean = false;
    Color color{};
    float single = 0.0f;
    std::uint8_t enumeration = 0;
};

constexpr bool EntryMatchesTable(std::string_view name, PropertyType type) {
    const auto known = PropertyTypeOf(name);
    return known && *known == type;
}

namespace detail {
// Not constexpr on purpose: reaching one of these while compiling a record
// stops the build, and the compiler names the function in its message.
[[noreturn]] inline void PropertyNameUnknownOrOfAnotherType() {
    throw std::logic_error("property name unknown or given a value of another type");
}
[[noreturn]] inline void PropertyRecordCapacityExceeded() {
    throw std::length_error("property record longer than its capacity");
}
[[noreturn]] inline void PropertyStringNotAscii() { throw std::logic_error("property string holds a non-ASCII byte"); }

consteval RecordEntry Checked(RecordEntry entry) {
    if (!EntryMatchesTable(entry.name, entry.type)) PropertyNameUnknownOrOfAnotherType();
    return entry;
}
}  // namespace detail

template <std::size_t Capacity>
constexpr void PropertyRecordBytes<Capacity>::Append(std::uint8_t byte) {
    if (size_ == Capacity) detail::PropertyRecordCapacityExceeded();
    bytes_[size_++] = byte;
}

consteval RecordEntry Int(std::string_view name, std::int64_t value) {
    return detail::Checked({.name = name, .type = PropertyType::Integer, .integer = value});
}
// Records store ASCII only: what reads them need not know an encoding.
consteval RecordEntry String(std::string_view name, std::string_view value) {
    for (char c : value) {
        if (static_cast<unsigned char>(c) > 0x7F) detail::PropertyStringNotAscii();
    }
    return detail::Checked({.name = name, .type = PropertyType::String, .text = value});
}
consteval RecordEntry Bool(std::string_view name, bool value) {
    return detail::Checked({.name = name, .type = PropertyType::Boolean, .boolean = value});
}
consteval RecordEntry ColorValue(std::string_view name, Color value) {
    return detail::Checked({.name = name, .type = PropertyType::Color, .color = value});
}
consteval RecordEntry Single(std::string_view name, float value) {
    return detail::Checked({.name = name, .type = PropertyType::Single, .single = value});
}
consteval RecordEntry Enum8(std::string_view name, std::uint8_t value) {
    return detail::Checked({.name = name, .type = PropertyType::Enum8, .enumeration = value});
}

namespace detail {
template <std::size_t Capacity>
constexpr void AppendLittleEndian(PropertyRecordBytes<Capacity>& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out.Append(static_cast<std::uint8_t>(value >> (8 * i)));
}

template <std::size_t Capacity>
constexpr void AppendEntry(PropertyRecordBytes<Capacity>& out, const RecordEntry& entry) {
    for (char c : entry.name) out.Append(static_cast<std::uint8_t>(c));
    out.Append(0x20);
    switch (entry.type) {
        case PropertyType::Integer:
            AppendLittleEndian(out, static_cast<std::uint64_t>(entry.integer), 8);
            break;
        case PropertyType::String:
            if (entry.text.size() > 0xFFFFFFFFu) PropertyRecordCapacityExceeded();
            AppendLittleEndian(out, entry.text.size(), 4);
            for (char c : entry.text) out.Append(static_cast<std::uint8_t>(c));
            break;
        case PropertyType::Boolean:
            out.Append(entry.boolean ? 1 : 0);
            break;
        case PropertyType::Color:
            out.Append(entry.color.red);
            out.Append(entry.color.green);
            out.Append(entry.color.blue);
            out.Append(entry.color.alpha);
            break;
        case PropertyType::Single:
            AppendLittleEndian(out, std::bit_cast<std::uint32_t>(entry.single), 4);
            break;
        case PropertyType::Enum8:
            out.Append(entry.enumeration);
            break;
    }
}
}  // namespace detail

// The record of these entries, in the order given.
consteval PropertyRecordBytes<kPropertyRecordCapacity> MakeRecord(std::same_as<RecordEntry> auto... entries) {
    PropertyRecordBytes<kPropertyRecordCapacity> out;
    (detail::AppendEntry(out, entries), ...);
    return out;
}

// A record that begins with head and goes on with these entries.
consteval PropertyRecordBytes<kPropertyRecordCapacity> ExtendRecord(PropertyRecordBytes<kPropertyRecordCapacity> head,
                                                                    std::same_as<RecordEntry> auto... entries) {
    (detail::AppendEntry(head, entries), ...);
    return head;
}

}  // namespace fw

#pragma once
// Property records: the constant byte strings that give a window or a control
// all its initial properties. Entries of name, one blank and a value whose
// width follows from the name alone; little-endian; no header or terminator.
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "framework/painting/Color.h"
#include "framework/properties/PropertyTypes.h"

namespace fw {

// 64-bit integer, string, boolean, colour, single float, 8-bit enumeration.
using PropertyValue = std::variant<std::int64_t, std::string, bool, Color, float, std::uint8_t>;

struct PropertyEntry {
    std::string name;
    PropertyValue value;
};

// Reads every entry in order. Raises UnsupportedFormatException, naming the
// entry and its byte offset, for an unknown name, a name without its blank,
// a value that runs past the end, or a boolean byte other than 00 and 01.
std::vector<PropertyEntry> DecodePropertyRecord(std::span<const std::uint8_t> record);

}  // namespace fw

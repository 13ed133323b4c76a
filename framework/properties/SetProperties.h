#pragma once
#include <cstdint>
#include <span>

#include "framework/core/Object.h"

namespace fw {

// Applies every entry of a property record to the object, in record order.
// A name the reader does not know, a value past the end of the record, or a
// name the object's class lacks raises UnsupportedFormatException naming the
// entry; entries before it stay applied.
void SetProperties(Object& object, std::span<const std::uint8_t> record);

}  // namespace fw

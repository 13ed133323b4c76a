#include "framework/properties/SetProperties.h"

#include "framework/core/MainThread_p.h"

namespace fw {

void SetProperties(Object& object, std::span<const std::uint8_t> record) {
    CheckMainThread();
    const std::vector<PropertyEntry> entries = DecodePropertyRecord(record);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        try {
            object.SetProperty(entries[i].name, entries[i].value);
        } catch (const UnsupportedFormatException& e) {
            throw UnsupportedFormatException("Eintrag " + std::to_string(i + 1) +
                                             " des Eigenschaftssatzes: " + e.what());
        }
    }
}

}  // namespace fw

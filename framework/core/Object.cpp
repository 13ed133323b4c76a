#include "framework/core/Object.h"

namespace fw {

namespace {

template <typename T>
const T& As(const std::string& name, const PropertyValue& value) {
    if (const T* v = std::get_if<T>(&value)) return *v;
    throw UnsupportedFormatException("Die Eigenschaft „" + name + "“ hat einen Wert der falschen Art.");
}

}  // namespace

void Object::SetProperty(const std::string& name, const PropertyValue&) { UnknownProperty(name); }

void Object::UnknownProperty(const std::string& name) const {
    throw UnsupportedFormatException("Die Eigenschaft „" + name + "“ gibt es bei der Klasse „" + FrameworkClassName() +
                                     "“ nicht.");
}

bool AsBool(const std::string& name, const PropertyValue& value) { return As<bool>(name, value); }
std::int64_t AsInteger(const std::string& name, const PropertyValue& value) { return As<std::int64_t>(name, value); }
const std::string& AsString(const std::string& name, const PropertyValue& value) {
    return As<std::string>(name, value);
}
Color AsColor(const std::string& name, const PropertyValue& value) { return As<Color>(name, value); }
float AsSingle(const std::string& name, const PropertyValue& value) { return As<float>(name, value); }
std::uint8_t AsByte(const std::string& name, const PropertyValue& value) { return As<std::uint8_t>(name, value); }

}  // namespace fw

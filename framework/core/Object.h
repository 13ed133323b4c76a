#pragma once
// The root of every framework object: reference counted, with properties
// that a property record can set by name.
#include <memory>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/properties/PropertyRecord.h"

namespace fw {

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;

    // The framework's own class name ("CheckBox", "Window", ...).
    virtual std::string FrameworkClassName() const { return "Object"; }

    // Sets the property of that name; raises UnsupportedFormatException naming
    // the property when the class has none of that name.
    virtual void SetProperty(const std::string& name, const PropertyValue& value);

protected:
    // This object as the caller's class; nullptr when it is not shared.
    template <typename T>
    std::shared_ptr<T> SelfAs() {
        return std::static_pointer_cast<T>(weak_from_this().lock());
    }
    [[noreturn]] void UnknownProperty(const std::string& name) const;
};

using ObjectPtr = std::shared_ptr<Object>;

// A verifying cast: nil raises NilObjectException, another class a
// RuntimeException naming both classes.
template <typename T, typename U>
std::shared_ptr<T> Cast(const std::shared_ptr<U>& object) {
    if (!object) throw NilObjectException();
    auto cast = std::dynamic_pointer_cast<T>(object);
    if (!cast) {
        throw RuntimeException("Ein Objekt der Klasse „" + object->FrameworkClassName() +
                               "“ kann nicht als die verlangte Klasse benutzt werden.");
    }
    return cast;
}

// Value of a property entry as the type its name fixes; a value of another
// type raises UnsupportedFormatException naming the property.
bool AsBool(const std::string& name, const PropertyValue& value);
std::int64_t AsInteger(const std::string& name, const PropertyValue& value);
const std::string& AsString(const std::string& name, const PropertyValue& value);
Color AsColor(const std::string& name, const PropertyValue& value);
float AsSingle(const std::string& name, const PropertyValue& value);
std::uint8_t AsByte(const std::string& name, const PropertyValue& value);

}  // namespace fw

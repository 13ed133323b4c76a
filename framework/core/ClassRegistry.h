#pragma once
// The program's classes and the events each one handles, by class name.
#include <initializer_list>
#include <string>

namespace fw {

class Object;

// Registers a class once; later calls for the same name change nothing.
void RegisterClass(const std::string& className, std::initializer_list<const char*> events);

// Whether the class handles the event. With ownClass false the question is
// about the framework's own classes, which handle no program events.
// An unregistered class name raises RuntimeException.
bool RuntimeIsEventHandled(const Object& object, const std::string& className, const std::string& eventName,
                           bool ownClass);

}  // namespace fw

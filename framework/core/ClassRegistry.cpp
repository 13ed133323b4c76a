#include "framework/core/ClassRegistry.h"

#include <map>
#include <set>

#include "framework/core/Exceptions.h"
#include "framework/core/MainThread_p.h"

namespace fw {

namespace {

std::map<std::string, std::set<std::string>>& Classes() {
    static std::map<std::string, std::set<std::string>> classes;
    return classes;
}

}  // namespace

void RegisterClass(const std::string& className, std::initializer_list<const char*> events) {
    CheckMainThread();
    auto& classes = Classes();
    if (classes.count(className)) return;
    auto& set = classes[className];
    for (const char* e : events) set.insert(e);
}

bool RuntimeIsEventHandled(const Object&, const std::string& className, const std::string& eventName, bool ownClass) {
    CheckMainThread();
    if (!ownClass) return false;
    auto it = Classes().find(className);
    if (it == Classes().end()) throw RuntimeException("Die Klasse „" + className + "“ ist nicht angemeldet.");
    return it->second.count(eventName) != 0;
}

}  // namespace fw

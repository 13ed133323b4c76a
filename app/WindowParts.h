#pragma once
// How the program's windows are made and reached, the same for each: the
// implicit instance, controls made from their records, controls found by name.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "framework/properties/SetProperties.h"
#include "framework/widgets/Window.h"

namespace WindowParts {

// The open window of class W, or a new one built when there is none (its
// class registered first). Not kept here: the framework holds the window
// from its construction on, and a call from inside its Open event finds it.
template <typename W>
std::shared_ptr<W> ImplicitInstance(const std::string& className, void (*initClass)()) {
    fw::WindowPtr window = fw::GetImplicitWindow(className);
    if (!window) {
        initClass();
        auto made = std::make_shared<W>();
        made->Constructor();
        window = made;
    }
    return fw::Cast<W>(window);
}

// The window's control of that name as T; none, or another class, raises.
template <typename T>
std::shared_ptr<T> ControlNamed(const fw::Window& window, const std::string& name) {
    return fw::Cast<T>(window.ControlByName(name));
}

// One control: created (and constructed, where its class has a constructor
// of its own), registered under its name, prepared (what must come before
// the record), then given its record. The step keeps no reference of its
// own; the window holds the control.
template <typename T>
void MakeControl(fw::Window& window, const std::string& name, std::span<const std::uint8_t> record,
                 const std::function<void(T&)>& prepare = {}) {
    {
        auto control = window.New<T>();
        if constexpr (requires { control->Constructor(); }) control->Constructor();
        window.AddControl(name, control);
    }
    if (prepare) prepare(*ControlNamed<T>(window, name));
    fw::SetProperties(*ControlNamed<T>(window, name), record);
}

}  // namespace WindowParts

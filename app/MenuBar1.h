#pragma once
// The program's menu bar: the File and Edit menus, built once. Its one
// instance is both the application's and the main window's menu bar.
#include <memory>

#include "framework/menus/MenuItem.h"

namespace MenuBar1 {

inline constexpr const char* kClassName = "MenuBar1.MenuBar1";

class MenuBar1 : public fw::MenuBar {
public:
    std::string FrameworkClassName() const override { return kClassName; }
    // Builds both menus, each through the class's own operations (hence
    // virtual); a new bar holds none before.
    void Constructor() override;
    virtual void Untitled0();  // File menu
    virtual void Untitled1();  // Edit menu
};

// Registers the class with the framework; later calls change nothing.
void InitClass();

// The instance getter: the one instance, built on the first call; a failed
// build leaves none behind. C++ has no function of its class's name, so it
// is spelled Instance.
std::shared_ptr<MenuBar1> Instance();

}  // namespace MenuBar1

#pragma once
// The program's menu bar: the File and Edit menus, built once. Its one
// instance is both the application's and the main window's menu bar.
#include <memory>

#include "framework/menus/MenuItem.h"

namespace MenuBar1 {

class MenuBar1 : public fw::MenuBar {
public:
    std::string FrameworkClassName() const override { return "MenuBar1.MenuBar1"; }
    // Builds both menus; a new bar holds none before.
    void Constructor() override;
    virtual void Untitled0();  // File menu
    virtual void Untitled1();  // Edit menu
};

// The instance getter: the one instance, built on the first call. C++ has no
// function of its class's name, so it is spelled Instance.
std::shared_ptr<MenuBar1> Instance();

// The one instance once built; nullptr before, and after a failed build.
extern std::shared_ptr<MenuBar1> implicitInstance;

}  // namespace MenuBar1

#pragma once
// Menus: a tree of items. A menu bar is an item whose children are the
// menus; each menu is an item whose children are its entries.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace fw {

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;

class MenuItem : public Object {
public:
    MenuItem();
    ~MenuItem() override;
    std::string FrameworkClassName() const override { return "MenuItem"; }

    // The no-argument constructor of the framework's object model; a new
    // item holds no children.
    virtual void Constructor();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    // The caption with its "&" marks; "-" makes the item a separator.
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    // "Cmd+" and a letter: the platform's command key (Ctrl here); "" none.
    const std::string& Shortcut() const { return shortcut_; }
    void SetShortcut(const std::string& value);
    bool AutoEnabled() const { return autoEnabled_; }
    void SetAutoEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Used for items that are not AutoEnabled.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    bool IsSeparator() const { return text_ == "-"; }

    // Appends item after the existing children; nil raises NilObjectException.
    void AddMenu(const MenuItemPtr& item);
    // The direct child of that name; nullptr when none.
    MenuItemPtr Child(const std::string& name) const;
    // The item of that name anywhere below this one; nullptr when none.
    MenuItemPtr Lookup(const std::string& name) const;
    std::int64_t Count() const;
    // nullptr when index is out of range.
    MenuItemPtr Item(std::int64_t index) const;

    // What choosing the item does: the handler bound to its name, else the
    // standard edit action of its name on the focused text field.
    virtual void Choose();
    // Whether choosing it would do anything now (for AutoEnabled items).
    virtual bool CanAct() const;

    // Framework-internal: the item's one Qt action, shared by every menu
    // that shows it.
    QAction* Action();
    // Fills a Qt menu with this item's children.
    void FillMenu(QMenu& menu);
    // Gives the widget the actions of every item below this one, so that
    // their shortcuts work in the widget's window, which may show no menu.
    void AddActionsTo(QWidget& widget);

protected:
    std::string name_, text_, shortcut_;
    bool autoEnabled_ = true, visible_ = true, enabled_ = true;

private:
    void UpdateAction();
    // Items kept by module globals outlive the Qt application; their actions
    // go with it.
    static void ReleaseActions();
    std::vector<MenuItemPtr> children_;
    QAction* action_ = nullptr;
};

class MenuBar : public MenuItem {
public:
    std::string FrameworkClassName() const override { return "MenuBar"; }
    // Framework-internal: a Qt menu bar with this bar's menus.
    void Fill(QMenuBar& bar);
};

// Ends the application through the framework's quit action.
class QuitMenuItem : public MenuItem {
public:
    std::string FrameworkClassName() const override { return "QuitMenuItem"; }
    void Choose() override;
    bool CanAct() const override { return true; }
};

// An ordinary item; on macOS it stands where the platform puts About.
class AppleMenuItem : public MenuItem {
public:
    std::string FrameworkClassName() const override { return "AppleMenuItem"; }
};

// Recomputes the enabled state of every item on show (edit items follow the
// focused text field).
void RefreshMenuItems();

}  // namespace fw

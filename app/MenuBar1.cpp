#include "app/MenuBar1.h"

#include <optional>
#include <string>

#include "framework/core/ClassRegistry.h"

namespace MenuBar1 {

namespace {

// The one instance once built; nil before, and after a failed build.
std::shared_ptr<MenuBar1> implicitInstance;

// One menu or item: created, constructed, named, captioned and made
// visible; the shortcut is set only where a row has one, even empty.
template <typename T>
std::shared_ptr<T> NewItem(const std::string& name, const std::string& text,
                           const std::optional<std::string>& shortcut) {
    auto item = std::make_shared<T>();
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnabled(true);
    item->SetText(text);
    item->SetVisible(true);
    if (shortcut) item->SetShortcut(*shortcut);
    return item;
}

// Every item goes to its menu as the bar finds it by name at that moment.
void AddToMenu(fw::MenuItem& bar, const std::string& menu, const fw::MenuItemPtr& item) {
    auto parent = bar.Child(menu);
    if (!parent) throw fw::NilObjectException();
    parent->AddMenu(item);
}

}  // namespace

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0() {
    AddMenu(NewItem<fw::MenuItem>("FileMenu", "&File", ""));
    AddToMenu(*this, "FileMenu", NewItem<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
    AddToMenu(*this, "FileMenu",
              NewItem<fw::AppleMenuItem>("About",
                                         "\xC3\x9C"
                                         "ber... ",
                                         "Cmd+I"));
}

void MenuBar1::Untitled1() {
    AddMenu(NewItem<fw::MenuItem>("EditMenu", "&Edit", ""));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditUndo", "&Undo", "Cmd+Z"));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("UntitledMenu1", "-", std::nullopt));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditCut", "Cu&t", "Cmd+X"));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditCopy", "&Copy", "Cmd+C"));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditPaste", "&Paste", "Cmd+V"));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditClear", "Clear", ""));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("UntitledMenu0", "-", std::nullopt));
    AddToMenu(*this, "EditMenu", NewItem<fw::MenuItem>("EditSelectAll", "Select &All", "Cmd+A"));
}

void InitClass() { fw::RegisterClass(kClassName, {}); }

std::shared_ptr<MenuBar1> Instance() {
    if (implicitInstance) return implicitInstance;
    InitClass();
    auto bar = std::make_shared<MenuBar1>();
    bar->Constructor();
    // Stored only once complete: a failed build leaves nothing behind.
    implicitInstance = bar;
    return bar;
}

}  // namespace MenuBar1

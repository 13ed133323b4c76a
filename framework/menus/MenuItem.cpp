#include "framework/menus/MenuItem.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <set>

#include "framework/core/Application.h"
#include "framework/core/EventBoundary.h"
#include "framework/core/MainThread_p.h"
#include "framework/menus/EditActions_p.h"

namespace fw {

namespace {

// Set once the application has released the actions on its way out: the
// widgets it deletes afterwards still move the focus, and an action made
// then would never be freed.
bool gActionsReleased = false;

std::set<MenuItem*>& LiveItems() {
    // Never destroyed: items held by module globals die after it otherwise.
    static auto* items = new std::set<MenuItem*>();
    return *items;
}

QKeySequence ToKeySequence(const std::string& shortcut) {
    std::string s = shortcut;
    // Ctrl is Qt's name for the command key on every platform.
    if (s.rfind("Cmd+", 0) == 0) s = "Ctrl+" + s.substr(4);
    return QKeySequence(QString::fromStdString(s), QKeySequence::PortableText);
}

}  // namespace

MenuItem::MenuItem() {
    CheckMainThread();
    LiveItems().insert(this);
}

MenuItem::~MenuItem() {
    LiveItems().erase(this);
    if (QtAlive()) delete action_;
}

void MenuItem::Constructor() { CheckMainThread(); }

void MenuItem::SetName(const std::string& value) {
    CheckMainThread();
    name_ = value;
    UpdateAction();
}

void MenuItem::SetText(const std::string& value) {
    CheckMainThread();
    text_ = value;
    UpdateAction();
}

void MenuItem::SetShortcut(const std::string& value) {
    CheckMainThread();
    shortcut_ = value;
    UpdateAction();
}

void MenuItem::SetAutoEnabled(bool value) {
    CheckMainThread();
    autoEnabled_ = value;
    UpdateAction();
}

void MenuItem::SetVisible(bool value) {
    CheckMainThread();
    visible_ = value;
    UpdateAction();
}

void MenuItem::SetEnabled(bool value) {
    CheckMainThread();
    enabled_ = value;
    UpdateAction();
}

void MenuItem::AddMenu(const MenuItemPtr& item) {
    CheckMainThread();
    if (!item) throw NilObjectException();
    children_.push_back(item);
    UpdateAction();
}

MenuItemPtr MenuItem::Child(const std::string& name) const {
    CheckMainThread();
    for (const auto& c : children_) {
        if (c->Name() == name) return c;
    }
    return nullptr;
}

MenuItemPtr MenuItem::Lookup(const std::string& name) const {
    CheckMainThread();
    for (const auto& c : children_) {
        if (c->Name() == name) return c;
        if (auto found = c->Lookup(name)) return found;
    }
    return nullptr;
}

std::int64_t MenuItem::Count() const { return std::int64_t(children_.size()); }

MenuItemPtr MenuItem::Item(std::int64_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return children_[std::size_t(index)];
}

bool MenuItem::CanAct() const {
    if (!children_.empty()) return true;
    if (IsSeparator()) return false;
    auto app = GetAppObject();
    if (app && app->HasMenuHandler(name_)) return true;
    return IsEditItemName(name_) && CanEditAct(name_);
}

void MenuItem::Choose() {
    CheckMainThread();
    auto app = GetAppObject();
    if (app && app->HasMenuHandler(name_)) {
        app->RunMenuHandler(name_);
    } else if (IsEditItemName(name_)) {
        EditAct(name_);
    }
}

void MenuItem::ReleaseActions() {
    gActionsReleased = true;
    for (MenuItem* item : LiveItems()) {
        delete item->action_;
        item->action_ = nullptr;
    }
}

QAction* MenuItem::Action() {
    if (!action_ && (!QtAlive() || gActionsReleased)) return nullptr;
    if (!action_) {
        static const bool cleanup = [] {
            qAddPostRoutine(&MenuItem::ReleaseActions);
            return true;
        }();
        (void)cleanup;
        action_ = new QAction();
        // The menu bar is the application's: its shortcuts work from every
        // window, the about window included, as with a global menu bar.
        action_->setShortcutContext(Qt::ApplicationShortcut);
        // The callback finds the item through the live set, so an action
        // outliving a menu entry never reaches a deleted item.
        QObject::connect(action_, &QAction::triggered, action_, [this]() {
            if (!LiveItems().count(this)) return;
            CallGuarded([this] {
                auto keep = std::static_pointer_cast<MenuItem>(shared_from_this());
                keep->Choose();
            });
            RefreshMenuItems();
        });
        UpdateAction();
    }
    return action_;
}

void MenuItem::UpdateAction() {
    if (!action_) return;
    action_->setSeparator(IsSeparator());
    // Qt draws a separator's text as a section title: "-" would show.
    action_->setText(IsSeparator() ? QString() : QString::fromStdString(text_));
    action_->setShortcut(IsSeparator() ? QKeySequence() : ToKeySequence(shortcut_));
    action_->setVisible(visible_);
    action_->setEnabled(autoEnabled_ ? CanAct() : enabled_);
#ifdef Q_OS_MACOS
    if (dynamic_cast<QuitMenuItem*>(this))
        action_->setMenuRole(QAction::QuitRole);
    else if (dynamic_cast<AppleMenuItem*>(this))
        action_->setMenuRole(QAction::AboutRole);
    else
        action_->setMenuRole(QAction::NoRole);
#endif
}

void MenuItem::FillMenu(QMenu& menu) {
    menu.clear();
    for (const auto& child : children_) {
        if (child->Count() > 0) {
            QMenu* sub = menu.addMenu(QString::fromStdString(child->Text()));
            sub->menuAction()->setVisible(child->Visible());
            child->FillMenu(*sub);
        } else {
            menu.addAction(child->Action());
        }
    }
}

void MenuItem::AddActionsTo(QWidget& widget) {
    for (const auto& child : children_) {
        if (child->Count() > 0)
            child->AddActionsTo(widget);
        else if (QAction* action = child->Action())
            widget.addAction(action);  // an action it has already is not added twice
    }
}

void MenuBar::Fill(QMenuBar& bar) {
    CheckMainThread();
    bar.clear();
    for (std::int64_t i = 0; i < Count(); ++i) {
        MenuItemPtr menuItem = Item(i);
        QMenu* menu = bar.addMenu(QString::fromStdString(menuItem->Text()));
        menu->menuAction()->setVisible(menuItem->Visible());
        menuItem->FillMenu(*menu);
        // Items added later appear, and edit items follow the focus.
        std::weak_ptr<MenuItem> weak = menuItem;
        QObject::connect(menu, &QMenu::aboutToShow, menu, [weak, menu]() {
            if (auto item = weak.lock()) item->FillMenu(*menu);
            RefreshMenuItems();
        });
    }
}

void QuitMenuItem::Choose() {
    CheckMainThread();
    Application::Quit();
}

void RefreshMenuItems() {
    if (!QtAlive()) return;
    for (MenuItem* item : LiveItems()) {
        if (QAction* a = item->Action(); a && !item->IsSeparator()) {
            a->setEnabled(item->AutoEnabled() ? item->CanAct() : item->Enabled());
        }
    }
}

}  // namespace fw

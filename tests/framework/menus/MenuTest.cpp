#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <functional>

#include "framework/core/Application.h"
#include "framework/menus/MenuItem.h"
#include "framework/widgets/TextField.h"
#include "tests/support/UiTestSupport.h"

using namespace uitest;

namespace {

class MenuTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        previousApp = fw::GetAppObject();
        app = std::make_shared<fw::Application>();
        fw::RuntimeRegisterAppObject(app);
    }
    void TearDown() override {
        if (previousApp) fw::RuntimeRegisterAppObject(previousApp);
        UiTest::TearDown();
    }
    template <typename T = fw::MenuItem>
    std::shared_ptr<T> Item(const std::string& name, const std::string& text) {
        auto i = std::make_shared<T>();
        i->Constructor();
        i->SetName(name);
        i->SetText(text);
        return i;
    }
    fw::ApplicationPtr app, previousApp;
};

TEST_F(MenuTest, TreeLookupsFindChildrenAndDeeperItems) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto edit = Item("EditMenu", "&Edit");
    bar->AddMenu(edit);
    edit->AddMenu(Item("Sep", "-"));
    edit->AddMenu(Item("EditCut", "Cu&t"));
    EXPECT_EQ(bar->Child("EditCut"), nullptr) << "Child looks one level down only";
    EXPECT_EQ(bar->Lookup("EditCut"), edit->Item(1));
    EXPECT_EQ(bar->Lookup("Nothing"), nullptr);
    EXPECT_TRUE(edit->Item(0)->IsSeparator() && edit->Item(0)->Action()->text().isEmpty());
    EXPECT_EQ(edit->Item(2), nullptr);
    EXPECT_EQ(edit->Item(-1), nullptr);
    EXPECT_THROW(bar->AddMenu(nullptr), fw::NilObjectException);
}

TEST_F(MenuTest, EditItemsActOnTheFocusedTextFieldOnlyWhenTheyCanAndHandlersComeFirst) {
    std::shared_ptr<fw::TextField> tf;
    auto w = Build([&](LogWindow& self) { tf = Add<fw::TextField>(self, "EF", 10, 10, 100, 22); });
    std::map<std::string, fw::MenuItemPtr> items;
    for (const char* name : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        items[name] = Item(name, name);
    auto choose = [&](const char* name) { items[name]->Action()->trigger(); };
    QApplication::setActiveWindow(w->Widget());
    tf->Widget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tf->Widget()->hasFocus(); }));
    QApplication::clipboard()->clear();
    // The field's text and the items that can act, after each step. A chosen item brings
    // the others up to date itself; after the user's typing, opening the menu does.
    auto state = [&] {
        std::string shown = tf->Text() + ":";
        for (const auto& [name, item] : items) shown += item->Action()->isEnabled() ? " " + name.substr(4) : "";
        return shown;
    };
    auto* field = static_cast<QLineEdit*>(tf->Widget());
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[] { fw::RefreshMenuItems(); }, ":"},
        {[&] { QTest::keyClicks(field, "12345"), fw::RefreshMenuItems(); }, "12345: SelectAll Undo"},
        {[&] { choose("EditSelectAll"); }, "12345: Clear Copy Cut SelectAll Undo"},
        {[&] { choose("EditCopy"), field->setSelection(1, 2), fw::RefreshMenuItems(); },
         "12345: Clear Copy Cut Paste SelectAll Undo"},
        {[&] { choose("EditCut"); }, "145: Paste SelectAll Undo"},
        {[&] { choose("EditPaste"), field->setSelection(0, 1), fw::RefreshMenuItems(); },
         "12345: Clear Copy Cut Paste SelectAll Undo"},
        {[&] { choose("EditClear"); }, "2345: Paste SelectAll Undo"},
        {[&] { choose("EditUndo"), field->setReadOnly(true), field->selectAll(), fw::RefreshMenuItems(); },
         "12345: Copy SelectAll"},
        {[&] { tf->Widget()->clearFocus(), fw::RefreshMenuItems(); }, "12345:"},
    };
    for (const auto& [step, expected] : steps) {
        step();
        EXPECT_EQ(state(), expected);
    }
    // A handler bound by name enables its item and takes precedence.
    auto about = Item<fw::AppleMenuItem>("About", "About");
    EXPECT_FALSE(about->Action()->isEnabled()) << "no handler yet";
    int copies = 0;
    app->AddMenuHandler("About", [] { return false; });
    app->AddMenuHandler("EditCopy", [&] { return ++copies, true; });
    EXPECT_TRUE(about->Action()->isEnabled());
    choose("EditCopy");
    EXPECT_EQ(copies, 1);
}

}  // namespace

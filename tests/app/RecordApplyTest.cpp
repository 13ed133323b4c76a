// The main window's and the about window's records applied to real
// controls: every name is taken, and the geometry is what the windows need.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/WIInfoRecords.h"
#include "app/WINhauptRecords.h"
#include "framework/core/EventBoundary.h"
#include "framework/properties/SetProperties.h"
#include "framework/widgets/Canvas.h"
#include "framework/widgets/CheckBox.h"
#include "framework/widgets/GroupBox.h"
#include "framework/widgets/ImageWell.h"
#include "framework/widgets/Label.h"
#include "framework/widgets/PushButton.h"
#include "framework/widgets/TextField.h"
#include "framework/widgets/Timer.h"
#include "framework/widgets/UpDownArrows.h"
#include "framework/widgets/Window.h"

namespace {

template <typename T, typename R>
std::shared_ptr<T> Make(fw::Window& w, const std::string& name, const R& record) {
    w.AddControl(name, w.New<T>());
    auto c = fw::Cast<T>(w.ControlByName(name));
    fw::SetProperties(*c, record.bytes());
    return c;
}

struct Haupt : fw::Window {
    Haupt() : fw::Window("RecordHaupt.RecordHaupt") {}
    void Layout() override { fw::SetProperties(*this, WINhauptRecords::kWindow.bytes()); }
    void CreateControls() override {
        using namespace WINhauptRecords;
        Make<fw::GroupBox>(*this, "GroupBox1", kGroupBox1);
        Make<fw::CheckBox>(*this, "CBpunkte", kCBpunkte);
        Make<fw::CheckBox>(*this, "CBlinien", kCBlinien);
        Make<fw::CheckBox>(*this, "CBachsen", kCBachsen);
        Make<fw::GroupBox>(*this, "GroupBox2", kGroupBox2);
        Make<fw::PushButton>(*this, "PushButton1", kPushButton1);
        Make<fw::UpDownArrows>(*this, "UPDzoom", kUPDzoom);
        Make<fw::Label>(*this, "Label1", kLabel1);
        Make<fw::TextField>(*this, "EFzoom", kEFzoom);
        Make<fw::Canvas>(*this, "CAhaupt", kCAhaupt);
        Make<fw::PushButton>(*this, "PushButton2", kPushButton2);
        Make<fw::Timer>(*this, "Timer1", kTimer1);
    }
};

std::array<std::int64_t, 4> Box(const fw::ControlPtr& c) {
    auto r = fw::Cast<fw::RectControl>(c);
    return {r->Left(), r->Top(), r->Width(), r->Height()};
}

TEST(RecordApplyTest, MainWindowRecordsBuildTheLayoutAndOnlyTheCanvasFollowsTheWindow) {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    auto w = std::make_shared<Haupt>();
    w->Constructor();
    QApplication::processEvents();
    EXPECT_EQ(w->ControlCount(), 12);
    EXPECT_EQ(w->Title(), "KZP-Viewer");
    EXPECT_EQ(w->ContentWidget()->size(), QSize(576, 435));
    EXPECT_FALSE(fw::Cast<fw::CheckBox>(w->ControlByName("CBpunkte"))->Value());
    EXPECT_TRUE(fw::Cast<fw::CheckBox>(w->ControlByName("CBlinien"))->Value());
    EXPECT_EQ(fw::Cast<fw::CheckBox>(w->ControlByName("CBachsen"))->Widget()->parentWidget(),
              fw::Cast<fw::GroupBox>(w->ControlByName("GroupBox1"))->Widget());
    EXPECT_EQ(static_cast<QPushButton*>(fw::Cast<fw::PushButton>(w->ControlByName("PushButton2"))->Widget())->text(),
              "KZP laden");

    const std::map<std::string, std::array<std::int64_t, 4>> start = {
        {"GroupBox1", {16, 15, 132, 97}}, {"CBpunkte", {27, 37, 72, 22}},     {"CBlinien", {27, 56, 72, 22}},
        {"CBachsen", {27, 85, 114, 22}},  {"GroupBox2", {16, 124, 132, 95}},  {"PushButton1", {49, 187, 68, 20}},
        {"UPDzoom", {121, 153, 13, 23}},  {"Label1", {28, 153, 43, 20}},      {"EFzoom", {72, 153, 41, 22}},
        {"CAhaupt", {156, 15, 400, 400}}, {"PushButton2", {29, 304, 109, 20}}};
    for (const auto& [name, box] : start) EXPECT_EQ(Box(w->ControlByName(name)), box) << name;

    w->Widget()->resize(700, w->Widget()->height() + 65);
    QApplication::processEvents();
    ASSERT_EQ(w->Width(), 700);
    ASSERT_EQ(w->Height(), 500);
    for (const auto& [name, box] : start) {
        if (name != "CAhaupt") {
            EXPECT_EQ(Box(w->ControlByName(name)), box) << name;
        }
    }
    EXPECT_EQ(Box(w->ControlByName("CAhaupt")), (std::array<std::int64_t, 4>{156, 15, 524, 465}));
    w->Close();
}

TEST(RecordApplyTest, AboutWindowRecordsGiveAFixedWhiteWindowAndItsLabels) {
    struct Info : fw::Window {
        Info() : fw::Window("RecordInfo.RecordInfo") {}
        void Layout() override { fw::SetProperties(*this, WIInfoRecords::kWindow.bytes()); }
        void CreateControls() override {
            using namespace WIInfoRecords;
            Make<fw::PushButton>(*this, "PushButton1", kPushButton1);
            Make<fw::ImageWell>(*this, "ImageWell1", kImageWell1);
            Make<fw::Canvas>(*this, "Canvas1", kCanvas1);
            Make<fw::Label>(*this, "Label1", kLabel1);
            Make<fw::Label>(*this, "Label2", kLabel2);
            Make<fw::Label>(*this, "Label3", kLabel3);
        }
    };
    auto w = std::make_shared<Info>();
    w->Constructor();
    QApplication::processEvents();
    EXPECT_EQ(w->ContentWidget()->size(), QSize(238, 316));
    EXPECT_FALSE(w->Resizeable());
    EXPECT_TRUE(w->HasBackgroundColor());
    EXPECT_TRUE(fw::Cast<fw::PushButton>(w->ControlByName("PushButton1"))->Default());
    auto label1 = fw::Cast<fw::Label>(w->ControlByName("Label1"));
    EXPECT_EQ(label1->Text(), "KZP-Viewer");
    EXPECT_TRUE(label1->Widget()->font().bold());
    EXPECT_EQ(static_cast<QLabel*>(label1->Widget())->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(Box(w->ControlByName("Canvas1")), (std::array<std::int64_t, 4>{0, -1, 100, 50}));
    auto label3 = fw::Cast<fw::Label>(w->ControlByName("Label3"));
    EXPECT_EQ(label3->Left() + label3->Width(), 238);
    EXPECT_EQ(label3->Widget()->font().pixelSize(), 9);
    w->Close();
}

}  // namespace

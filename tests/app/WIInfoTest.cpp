// The about window: one at a time, closed by OK, rebuilt afterwards, and its
// two logos read once, or tried again while they cannot be read.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/LogoPictures.h"
#include "app/WIInfo.h"
#include "app/WIInfoRecords.h"
#include "framework/painting/Picture.h"

namespace {

const QString kResources = QStringLiteral(KZP_APP_RESOURCES);

// Each test starts with empty logo caches and a resources folder of its own.
class WIInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        fw::Picture::SetAppFolders({dir.path().toStdString()});
        LogoPictures::kzpLogoInit = 0;
        LogoPictures::makerLogoInit = 0;
    }
    void TearDown() override {
        if (auto w = fw::GetImplicitWindow(WIInfo::kClassName)) w->Close();
        fw::Picture::SetAppFolders({});
    }
    bool Install(const char* name) {
        return QFile::copy(kResources + "/" + name, dir.filePath(QString::fromLatin1(name)));
    }
    bool Garble(const char* name) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        return f.open(QIODevice::WriteOnly) && f.write("\xFF\xD8 not really a picture") > 0;
    }
    static void PressOK(WIInfo::WIInfo& w) { static_cast<QPushButton*>(w.PushButton1()->Widget())->click(); }

    QTemporaryDir dir;
};

TEST_F(WIInfoTest, BuildsTheFixedWindowWithItsSixControlsInOrder) {
    ASSERT_TRUE(Install("KZPlogo160.jpg"));
    ASSERT_TRUE(Install("brevomark-100px.jpg"));
    auto w = WIInfo::Instance();
    EXPECT_EQ(w->Title(), "Info");
    EXPECT_EQ(w->Width(), 238);
    EXPECT_EQ(w->Height(), 316);
    EXPECT_FALSE(w->Resizeable());
    EXPECT_FALSE(w->HasMaximizeButton());
    EXPECT_FALSE(w->HasFullScreenButton());
    EXPECT_TRUE(w->HasCloseButton());
    EXPECT_TRUE(w->HasMinimizeButton());
    EXPECT_TRUE(w->HasBackgroundColor());
    EXPECT_EQ(w->BackgroundColor(), fw::RGB(255, 255, 255));
    EXPECT_EQ(w->MenuBar(), nullptr);
    EXPECT_TRUE(w->Widget()->isVisible());
    EXPECT_EQ(w->Widget()->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"PushButton1", "PushButton"}, {"ImageWell1", "ImageWell"}, {"Canvas1", "Canvas"},
        {"Label1", "Label"},           {"Label2", "Label"},         {"Label3", "Label"}};
    ASSERT_EQ(w->ControlCount(), 6);
    for (std::int64_t i = 0; i < 6; ++i) {
        EXPECT_EQ(w->ControlByName(expected[i].first), w->ControlAt(i)) << i;
        EXPECT_EQ(w->ControlAt(i)->FrameworkClassName(), expected[i].second) << i;
    }
    EXPECT_EQ(w->PushButton1()->Caption(), "OK");
    EXPECT_TRUE(w->PushButton1()->Default());
    EXPECT_EQ(w->Canvas1()->Top(), -1);
    EXPECT_EQ(w->Canvas1()->Left(), 0);
    EXPECT_EQ(w->Label1()->Text(), "KZP-Viewer");
    EXPECT_EQ(w->Label2()->Text(), "Version 2.0");
    EXPECT_EQ(w->Label3()->Text(), std::string(WIInfoRecords::kNotice));
    EXPECT_EQ(w->Label3()->TextAlignment(), fw::Label::kAlignRight);
    EXPECT_EQ(w->Label3()->Left() + w->Label3()->Width(), w->Width());
    EXPECT_EQ(w->Label3()->Top() + w->Label3()->Height(), w->Height());

    ASSERT_NE(w->ImageWell1()->Image(), nullptr);
    EXPECT_EQ(w->ImageWell1()->Image()->Width(), 160);
    EXPECT_EQ(w->ImageWell1()->Image()->Height(), 160);
    ASSERT_NE(w->Canvas1()->Backdrop(), nullptr);
    EXPECT_EQ(w->Canvas1()->Backdrop()->Width(), 100);
    EXPECT_EQ(w->Canvas1()->Backdrop()->Height(), 50);

    for (const char* event : {"Open", "Close", "Resized", "Action", ""}) EXPECT_FALSE(w->IsEventImplemented(event));
}

// Dark pixels in column x of the label's picture.
int InkInColumn(const QImage& image, int x) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) ink += qGray(image.pixel(x, y)) < 128;
    return ink;
}

TEST_F(WIInfoTest, TheLabelsShowTheirWholeTextInsideTheirBoxes) {
    auto w = WIInfo::Instance();
    for (const auto& label : {w->Label1(), w->Label2(), w->Label3()}) {
        SCOPED_TRACE(label->Text());
        const QImage image = label->Widget()->grab().toImage();
        ASSERT_EQ(image.width(), label->Width());
        int ink = 0;
        for (int x = 0; x < image.width(); ++x) ink += InkInColumn(image, x);
        EXPECT_GT(ink, 20);
        // Text cut off at a box edge leaves ink in the edge column.
        EXPECT_EQ(InkInColumn(image, 0), 0);
        EXPECT_EQ(InkInColumn(image, image.width() - 1), 0);
    }
}

TEST_F(WIInfoTest, OneWindowHoweverOftenShownOKClosesItAndTheNextIsNew) {
    auto first = WIInfo::Instance();
    first->Show();
    EXPECT_EQ(WIInfo::Instance(), first);
    WIInfo::Instance()->Show();
    EXPECT_EQ(WIInfo::Instance(), first);
    // Shown again while minimised, it comes back.
    first->Widget()->showMinimized();
    WIInfo::Instance()->Show();
    EXPECT_FALSE(first->Widget()->isMinimized());
    int infos = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowTitle() == "Info") ++infos;
    }
    EXPECT_EQ(infos, 1);

    PressOK(*first);
    EXPECT_TRUE(first->IsClosed());
    EXPECT_FALSE(first->Widget()->isVisible());
    EXPECT_EQ(fw::GetImplicitWindow(WIInfo::kClassName), nullptr);

    auto second = WIInfo::Instance();
    EXPECT_NE(second, first);
    EXPECT_FALSE(second->IsClosed());
    EXPECT_EQ(second->ControlCount(), 6);
    EXPECT_EQ(second->Label1()->Text(), "KZP-Viewer");
    // The window's own close button leaves nothing behind either.
    second->Widget()->close();
    EXPECT_EQ(fw::GetImplicitWindow(WIInfo::kClassName), nullptr);
    EXPECT_NE(WIInfo::Instance(), second);
}

TEST_F(WIInfoTest, MissingLogosLeaveTheirPlacesEmptyAndAreTriedAgain) {
    const auto reads = fw::Picture::AppFileReads();
    auto w = WIInfo::Instance();
    EXPECT_EQ(w->ImageWell1()->Image(), nullptr);
    EXPECT_EQ(w->Canvas1()->Backdrop(), nullptr);
    EXPECT_EQ(w->ControlCount(), 6);
    EXPECT_EQ(w->Label2()->Text(), "Version 2.0");
    PressOK(*w);

    // Only the program logo appears: it is read, the maker's is tried again.
    ASSERT_TRUE(Install("KZPlogo160.jpg"));
    w = WIInfo::Instance();
    ASSERT_NE(w->ImageWell1()->Image(), nullptr);
    EXPECT_EQ(w->Canvas1()->Backdrop(), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 1);
    PressOK(*w);

    // An unreadable file is no better than none, and is tried every time.
    ASSERT_TRUE(Garble("brevomark-100px.jpg"));
    for (int i = 0; i < 2; ++i) {
        w = WIInfo::Instance();
        EXPECT_EQ(w->Canvas1()->Backdrop(), nullptr);
        EXPECT_NE(w->ImageWell1()->Image(), nullptr);
        PressOK(*w);
    }
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 3);

    ASSERT_TRUE(QFile::remove(dir.filePath("brevomark-100px.jpg")));
    ASSERT_TRUE(Install("brevomark-100px.jpg"));
    w = WIInfo::Instance();
    EXPECT_NE(w->Canvas1()->Backdrop(), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 4);
}

TEST_F(WIInfoTest, EachLogoIsReadOnceAndEveryWindowGetsTheSamePictures) {
    ASSERT_TRUE(Install("KZPlogo160.jpg"));
    ASSERT_TRUE(Install("brevomark-100px.jpg"));
    const auto reads = fw::Picture::AppFileReads();
    auto w = WIInfo::Instance();
    const auto logo = w->ImageWell1()->Image();
    const auto mark = w->Canvas1()->Backdrop();
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 2);
    // Gone from disk now: the cache no longer needs them.
    dir.remove();
    for (int i = 0; i < 3; ++i) {
        PressOK(*w);
        w = WIInfo::Instance();
        EXPECT_EQ(w->ImageWell1()->Image(), logo);
        EXPECT_EQ(w->Canvas1()->Backdrop(), mark);
    }
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 2);
    EXPECT_EQ(KZPlogo160(), logo);
    EXPECT_EQ(brevomark100px(), mark);
}

}  // namespace

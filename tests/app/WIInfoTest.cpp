// The about window: what it shows, and its two logos read once, or tried
// again while one cannot be read.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/LogoPictures.h"
#include "app/WIInfo.h"
#include "framework/painting/Picture.h"

namespace {

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
        return QFile::copy(QStringLiteral(KZP_APP_RESOURCES "/") + name, dir.filePath(name));
    }

    QTemporaryDir dir;
};

TEST_F(WIInfoTest, AFixedWhiteModelessWindowWithBothLogosAndItsTextsWholeThatComesBackWhenMinimised) {
    ASSERT_TRUE(Install("KZPlogo160.jpg"));
    ASSERT_TRUE(Install("brevomark-100px.jpg"));
    auto w = WIInfo::Instance();
    QWidget* top = w->Widget();
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_EQ(top->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
              Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w->ContentWidget()->grab().toImage().pixelColor(5, 150), QColor(Qt::white));
    EXPECT_NE(w->Canvas1()->Backdrop(), nullptr);
    for (const auto& label : {w->Label1(), w->Label2(), w->Label3()}) {
        SCOPED_TRACE(label->Text());
        const QImage image = label->Widget()->grab().toImage();
        // The first and last inked columns: text cut off leaves ink at an edge;
        // text drawn smaller than need be leaves much of the box empty.
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128)
                    first = std::min(first, x), last = x;
            }
        }
        EXPECT_GT(first, 0);
        EXPECT_LT(last, image.width() - 1);
        EXPECT_GT(last - first, image.width() / 2);
    }
    EXPECT_TRUE(w->PushButton1()->Default());
    w->Show();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    top->showMinimized();
    WIInfo::Instance()->Show();
    EXPECT_EQ(WIInfo::Instance(), w);
    EXPECT_FALSE(top->isMinimized());
}

TEST_F(WIInfoTest, EachLogoIsReadOnceAndABadOneIsTriedAgain) {
    const auto reads = fw::Picture::AppFileReads();
    ASSERT_TRUE(Install("KZPlogo160.jpg"));
    ASSERT_TRUE(QFile::copy(KZP_TEST_DATA "/app/pen_lines.kzp", dir.filePath("brevomark-100px.jpg")));  // no picture
    for (int i = 0; i < 2; ++i) {
        auto w = WIInfo::Instance();
        EXPECT_NE(w->ImageWell1()->Image(), nullptr);
        EXPECT_EQ(w->Canvas1()->Backdrop(), nullptr);
        static_cast<QPushButton*>(w->PushButton1()->Widget())->click();
    }
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 3);  // the logo once, the bad file every time
}

}  // namespace

// Picture files of the program: only its own folders, nil for anything it
// cannot read, every read counted.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "framework/painting/Picture.h"

namespace {

class OpenFromApp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("a/inner"));
        ASSERT_TRUE(QDir(root.path()).mkpath("b"));
        fw::Picture::SetAppFolders({Path("a/inner"), Path("b")});
    }
    void TearDown() override { fw::Picture::SetAppFolders({}); }
    std::string Path(const char* rel) const { return root.filePath(rel).toStdString(); }
    void Write(const char* rel, int w, int h, QColor color) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(root.filePath(rel), "PNG"));
    }
    QTemporaryDir root;
};

TEST_F(OpenFromApp, TheFirstFolderThatHasTheFileWins) {
    Write("b/logo.png", 4, 3, Qt::blue);
    auto pic = fw::Picture::OpenFromApp("logo.png");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Width(), 4);
    EXPECT_EQ(pic->Height(), 3);
    EXPECT_EQ(pic->Pixel(3, 2), fw::RGB(0, 0, 255));

    Write("a/inner/logo.png", 2, 2, Qt::red);
    pic = fw::Picture::OpenFromApp("logo.png");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Width(), 2);
    EXPECT_EQ(pic->Pixel(0, 0), fw::RGB(255, 0, 0));
}

TEST_F(OpenFromApp, MissingUnreadableAndOutsideFilesGiveNil) {
    const auto reads = fw::Picture::AppFileReads();
    EXPECT_EQ(fw::Picture::OpenFromApp("none.png"), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads);

    // A bad file in the first folder is tried, then the next folder's.
    {
        QFile bad(root.filePath("a/inner/bad.jpg"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("\xFF\xD8\xFF garbage");
    }
    EXPECT_EQ(fw::Picture::OpenFromApp("bad.jpg"), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 1);
    Write("b/bad.jpg", 1, 1, Qt::green);
    EXPECT_NE(fw::Picture::OpenFromApp("bad.jpg"), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 3);

    // Names reach no other folder.
    Write("a/outside.png", 1, 1, Qt::green);
    EXPECT_EQ(fw::Picture::OpenFromApp("../outside.png"), nullptr);
    EXPECT_EQ(fw::Picture::OpenFromApp(Path("a/outside.png")), nullptr);
    EXPECT_EQ(fw::Picture::OpenFromApp(""), nullptr);
    EXPECT_EQ(fw::Picture::OpenFromApp(".."), nullptr);
    ASSERT_TRUE(QDir(root.path()).mkpath("b/folder.png"));
    EXPECT_EQ(fw::Picture::OpenFromApp("folder.png"), nullptr);
}

}  // namespace

// Picture files of the program: only its own folders, the first that has the
// file, nil for anything it cannot read.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "framework/painting/Picture.h"

namespace {

TEST(OpenFromApp, TheFirstFolderThatHasAReadableFileWinsAndNothingOutside) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("a/inner") && QDir(root.path()).mkpath("b/folder.png"));
    auto path = [&](const char* rel) { return root.filePath(rel).toStdString(); };
    auto write = [&](const char* rel, int w, QColor color) {
        QImage image(w, 3, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(root.filePath(rel), "PNG"));
    };
    fw::Picture::SetAppFolders({path("a/inner"), path("b")});
    write("b/logo.png", 4, Qt::blue);
    write("a/outside.png", 1, Qt::green);
    auto pic = fw::Picture::OpenFromApp("logo.png");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Width(), 4);
    EXPECT_EQ(pic->Pixel(3, 2), fw::RGB(0, 0, 255));
    write("a/inner/logo.png", 2, Qt::red);
    EXPECT_EQ(fw::Picture::OpenFromApp("logo.png")->Pixel(0, 0), fw::RGB(255, 0, 0));

    // A bad file in the first folder is tried, then the next folder's.
    QFile bad(root.filePath("a/inner/bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("\xFF\xD8\xFF garbage") > 0);
    bad.close();
    const auto reads = fw::Picture::AppFileReads();
    EXPECT_EQ(fw::Picture::OpenFromApp("bad.jpg"), nullptr);
    write("b/bad.jpg", 1, Qt::green);
    EXPECT_NE(fw::Picture::OpenFromApp("bad.jpg"), nullptr);
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 3);
    for (const std::string& name :
         std::vector<std::string>{"none.png", "../outside.png", path("a/outside.png"), "", "..", "folder.png"}) {
        EXPECT_EQ(fw::Picture::OpenFromApp(name), nullptr) << name;
    }
    EXPECT_EQ(fw::Picture::AppFileReads(), reads + 3);
    fw::Picture::SetAppFolders({});
}

}  // namespace

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/io/FolderItem.h"
#include "framework/io/TextInputStream.h"

namespace {

namespace fs = std::filesystem;

class TextInputStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kzp-tis-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& bytes, const std::string& name = "f.txt") {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    // Every line up to Eof; checks that the end stays the end.
    std::vector<std::string> Lines(const std::string& bytes) {
        auto in = fw::FolderItem(Write(bytes)).OpenAsTextFile();
        std::vector<std::string> lines;
        while (!in->Eof()) lines.push_back(in->ReadLine());
        EXPECT_EQ(in->ReadLine(), "");
        EXPECT_TRUE(in->Eof());
        return lines;
    }

    fs::path dir_;
};

using V = std::vector<std::string>;

std::string Utf16LE(const std::u16string& s) {
    std::string out = "\xFF\xFE";
    for (char16_t c : s) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

std::string Utf16BE(const std::u16string& s) {
    std::string out = "\xFE\xFF";
    for (char16_t c : s) out += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    return out;
}

// Line ends of every kind, byte-order marks, and broken text, which is
// tolerated. The reader's data files cover the ordinary cases.
TEST_F(TextInputStreamTest, LinesAreSplitAtEveryLineEndAndDecoded) {
    const std::string bad = "\xEF\xBF\xBD";          // U+FFFD
    const std::string longLine(64 * 1024 - 1, 'x');  // a CR as the last byte of the first read
    const std::pair<std::string, V> cases[] = {
        {"", {}},
        {"\n\n", {"", ""}},
        {"a", {"a"}},
        {"a\r", {"a"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {longLine + "\r\nb", {longLine, "b"}},
        {longLine + "\r", {longLine}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB", {"\xEF\xBB"}},  // not a whole mark: text
        {"a\n\xEF\xBB\xBF"
         "b",
         {"a",
          "\xEF\xBB\xBF"
          "b"}},
        {"\xFF\xC3 1\n\xC3\xA4", {"\xFF\xC3 1", "\xC3\xA4"}},
        {Utf16LE(u"1 2\r\n\u00E4\n\U0001F600\r"), {"1 2", "\xC3\xA4", "\xF0\x9F\x98\x80"}},
        {Utf16BE(u"1 2\r\n\u00E4\n\U0001F600\r"), {"1 2", "\xC3\xA4", "\xF0\x9F\x98\x80"}},
        {Utf16LE(u""), {}},
        {Utf16LE(u"\r\n\r\n"), {"", ""}},
        {Utf16LE(u"\xD800x\n"), {bad + "x"}},            // a high surrogate without its pair
        {Utf16LE(u"\xDC00y\xDFFF"), {bad + "y" + bad}},  // lone low surrogates
        {Utf16LE(u"\xD800\r\n"), {bad}},
        {Utf16LE(u"a\n") + "A", {"a", bad}},  // an odd byte at the end
        {Utf16LE(u"a\r") + "A", {"a", bad}},
        {Utf16LE(u"\xD800") + "A", {bad + bad}},
    };
    for (const auto& [bytes, lines] : cases) EXPECT_EQ(Lines(bytes), lines) << bytes;
}

TEST_F(TextInputStreamTest, LongLinesAreRefusedWithoutReadingThemWhole) {
    const std::string limit(fw::TextInputStream::kMaxLineBytes, '7');
    EXPECT_EQ(Lines(limit + "\n"), V{limit});

    const std::string path = Write("a\n" + limit + "7\nb\n");
    auto in = fw::FolderItem(path).OpenAsTextFile();
    EXPECT_EQ(in->ReadLine(), "a");
    EXPECT_FALSE(in->Eof());
    try {
        in->ReadLine();
        FAIL() << "no exception";
    } catch (const fw::UnsupportedFormatException& e) {
        EXPECT_NE(std::string(e.what()).find("Zeile 2"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }

    std::u16string wide(fw::TextInputStream::kMaxLineBytes / 2, u'\u00E4');  // two bytes each as UTF-8
    EXPECT_EQ(Lines(Utf16LE(wide)).size(), 1u);                              // exactly at the limit: read
    wide += u'\u00E4';
    auto in16 = fw::FolderItem(Write(Utf16LE(wide))).OpenAsTextFile();
    EXPECT_THROW(in16->ReadLine(), fw::UnsupportedFormatException);
}

void ExpectIOException(const std::string& path, const std::string& reason) {
    try {
        fw::FolderItem(path).OpenAsTextFile();
        ADD_FAILURE() << "no exception for " << path;
    } catch (const fw::IOException& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
}

TEST_F(TextInputStreamTest, FilesThatCannotBeOpenedNameThemselves) {
    ExpectIOException((dir_ / "missing.txt").string(), "nicht vorhanden");
    ExpectIOException((dir_ / "missing" / "f.txt").string(), "nicht vorhanden");
    ExpectIOException(dir_.string(), "Ordner");
}

TEST_F(TextInputStreamTest, FileWithoutReadPermission) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may read any file";
    const std::string locked = Write("1\n", "locked.txt");
    ::chmod(locked.c_str(), 0);
    ExpectIOException(locked, "Leseberechtigung");
}

}  // namespace

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

std::string Utf16(const std::u16string& s) {
    std::string out = "\xFF\xFE";
    for (char16_t c : s) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

// Line ends and byte-order marks at their edges, and broken UTF-16, which is
// tolerated. The reader's data files cover the ordinary cases.
TEST_F(TextInputStreamTest, LinesAreSplitAtEveryLineEndAndDecoded) {
    const std::string bad = "\xEF\xBF\xBD", bom = "\xEF\xBB\xBF";  // U+FFFD, the UTF-8 mark
    const std::string longLine(64 * 1024 - 1, 'x');                // a CR as the last byte of the first read
    const std::pair<std::string, V> cases[] = {
        {"\n\n", {"", ""}},
        {"a\r\rb", {"a", "", "b"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {longLine + "\r\nb", {longLine, "b"}},
        {longLine + "\r", {longLine}},
        {bom, {}},
        {"\xEF\xBB", {"\xEF\xBB"}},  // not a whole mark: text
        {"a\n" + bom + "b", {"a", bom + "b"}},
        {Utf16(u""), {}},
        {Utf16(u"\r\n\r\n"), {"", ""}},
        {Utf16(u"\U0001F600\n"), {"\xF0\x9F\x98\x80"}},  // a pair: one character beyond 16 bits
        {Utf16(u"\xD800x\n"), {bad + "x"}},              // a high surrogate without its pair
        {Utf16(u"\xDC00y\xDFFF"), {bad + "y" + bad}},    // lone low surrogates
        {Utf16(u"\xD800\r\n"), {bad}},
        {Utf16(u"a\n") + "A", {"a", bad}},  // an odd byte at the end
        {Utf16(u"a\r") + "A", {"a", bad}},
        {Utf16(u"\xD800") + "A", {bad + bad}},
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
    EXPECT_EQ(Lines(Utf16(wide)).size(), 1u);                                // exactly at the limit: read
    wide += u'\u00E4';
    EXPECT_THROW(fw::FolderItem(Write(Utf16(wide))).OpenAsTextFile()->ReadLine(), fw::UnsupportedFormatException);
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
    ExpectIOException(dir_.string(), "Ordner");
    // The system's own texts are English: each reason is said in German.
    fs::create_symlink("loop.txt", dir_ / "loop.txt");
    ExpectIOException((dir_ / "loop.txt").string(), "zu viele symbolische Verkn\xC3\xBCpfungen");
    ExpectIOException((dir_ / std::string(300, 'n')).string(), "Name oder Pfad ist zu lang");
    if (::geteuid() == 0) return;  // root may read any file
    const std::string locked = Write("1\n", "locked.txt");
    ::chmod(locked.c_str(), 0);
    ExpectIOException(locked, "Leseberechtigung");
}

}  // namespace

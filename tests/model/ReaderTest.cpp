#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/io/TextInputStream.h"
#include "framework/text/Text.h"
#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"
#include "model/Reader.h"

namespace {

namespace fs = std::filesystem;
using Module1::anzlin;
using Module1::anzpkt;
using Module1::kLastRow;
using Module1::linie;
using Module1::punkt;

// A model whose every element and count is recognisable, so that any write
// the reader should not make shows.
void FillSentinel() {
    Module1::RunInitializers();
    for (std::int64_t r = 0; r <= kLastRow; ++r) {
        for (std::int64_t c = 0; c <= 2; ++c) {
            punkt.Set(r, c, static_cast<double>(r * 3 + c) + 0.5);
            linie.Set(r, c, -(r * 3 + c) - 7);
        }
    }
    anzpkt = 11;
    anzlin = 13;
}

struct Model {
    std::int64_t anzpkt, anzlin;
    fw::Table2D<double> punkt;
    fw::Table2D<std::int64_t> linie;
};

Model Take() { return {anzpkt, anzlin, punkt, linie}; }

// Compares the model with a saved one, except for the rows the counts cover.
void ExpectSameOutside(const Model& before, std::int64_t points, std::int64_t lines) {
    EXPECT_EQ(anzpkt, points);
    EXPECT_EQ(anzlin, lines);
    int differences = 0;
    for (std::int64_t r = 0; r <= kLastRow && differences < 5; ++r) {
        for (std::int64_t c = 0; c <= 2; ++c) {
            const bool pointRow = c > 0 && r >= 1 && r <= points;
            const bool lineRow = c > 0 && r >= 1 && r <= lines;
            if (!pointRow && punkt.Get(r, c) != before.punkt.Get(r, c)) {
                ADD_FAILURE() << "punkt(" << r << ", " << c << ") changed", ++differences;
            }
            if (!lineRow && linie.Get(r, c) != before.linie.Get(r, c)) {
                ADD_FAILURE() << "linie(" << r << ", " << c << ") changed", ++differences;
            }
        }
    }
}

void Load(const std::string& path) {
    fw::SetOpenDialogAnswer([path]() -> std::optional<std::string> { return path; });
    Module1::datenlesen();
}

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kzp-reader-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        FillSentinel();
    }
    void TearDown() override {
        fs::remove_all(dir_);
        fw::SetOpenDialogAnswer(nullptr);
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir_;
};

// ---- The data files: tests/data/reader/<rule>/<case>.kzp with <case>.expected

struct Expected {
    std::optional<std::string> refused;
    std::int64_t anzpkt = 0, anzlin = 0;
    std::vector<std::array<double, 2>> punkte;
    std::vector<std::array<std::int64_t, 2>> linien;
};

Expected ReadExpected(const fs::path& path) {
    Expected e;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "refused") {
            e.refused = line.substr(8);
        } else if (key == "anzpkt") {
            words >> e.anzpkt;
        } else if (key == "anzlin") {
            words >> e.anzlin;
        } else if (key == "punkt") {
            std::int64_t i;
            std::string x, y;
            words >> i >> x >> y;
            EXPECT_EQ(i, static_cast<std::int64_t>(e.punkte.size()) + 1) << path;
            e.punkte.push_back({std::stod(x), std::stod(y)});
        } else if (key == "linie") {
            std::int64_t k, index, pen;
            words >> k >> index >> pen;
            EXPECT_EQ(k, static_cast<std::int64_t>(e.linien.size()) + 1) << path;
            e.linien.push_back({index, pen});
        } else if (!key.empty()) {
            ADD_FAILURE() << path << ": unknown line " << line;
        }
    }
    return e;
}

void CheckCase(const fs::path& file) {
    SCOPED_TRACE(file.string());
    fs::path expectedPath = file;
    expectedPath.replace_extension(".expected");
    ASSERT_TRUE(fs::exists(expectedPath));
    const Expected e = ReadExpected(expectedPath);

    FillSentinel();
    const Model before = Take();
    if (e.refused) {
        try {
            Load(file.string());
            ADD_FAILURE() << "not refused";
        } catch (const fw::UnsupportedFormatException& ex) {
            EXPECT_EQ(ex.what(), *e.refused);
        }
        ExpectSameOutside(before, before.anzpkt, before.anzlin);
        return;
    }
    Load(file.string());
    ExpectSameOutside(before, e.anzpkt, e.anzlin);
    ASSERT_EQ(static_cast<std::int64_t>(e.punkte.size()), std::max<std::int64_t>(e.anzpkt, 0));
    ASSERT_EQ(static_cast<std::int64_t>(e.linien.size()), std::max<std::int64_t>(e.anzlin, 0));
    for (std::size_t i = 0; i < e.punkte.size(); ++i) {
        const auto row = static_cast<std::int64_t>(i + 1);
        EXPECT_EQ(punkt.Get(row, 1), e.punkte[i][0]) << "punkt row " << row;
        EXPECT_EQ(punkt.Get(row, 2), e.punkte[i][1]) << "punkt row " << row;
    }
    for (std::size_t k = 0; k < e.linien.size(); ++k) {
        const auto row = static_cast<std::int64_t>(k + 1);
        EXPECT_EQ(linie.Get(row, 1), e.linien[k][0]) << "linie row " << row;
        EXPECT_EQ(linie.Get(row, 2), e.linien[k][1]) << "linie row " << row;
    }
}

class ReaderRule : public ::testing::TestWithParam<std::string> {
protected:
    void TearDown() override { fw::SetOpenDialogAnswer(nullptr); }
};

TEST_P(ReaderRule, DataFilesGiveTheirExpectedModel) {
    const fs::path dir = fs::path(KZP_TEST_DATA) / "reader" / GetParam();
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".kzp") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const auto& f : files) CheckCase(f);
}

INSTANTIATE_TEST_SUITE_P(Reader, ReaderRule,
                         ::testing::Values("blank_lines", "cleaning", "fields", "truncation", "end_of_file", "refusals",
                                           "line_ends", "encodings"));

// ---- Loading, cancelling, one file after another

TEST_F(ReaderTest, CancelledDialogChangesNothing) {
    const Model before = Take();
    fw::SetOpenDialogAnswer([]() -> std::optional<std::string> { return std::nullopt; });
    EXPECT_NO_THROW(Module1::datenlesen());
    ExpectSameOutside(before, before.anzpkt, before.anzlin);
}

TEST_F(ReaderTest, ASecondFileLeavesRowsAboveItsCounts) {
    Load(Write("five.kzp", "5\n1 1\n2 2\n3 3\n4 4\n5 5\n3\n1 1\n2 2\n3 3\n"));
    const Model first = Take();
    Load(Write("two.kzp", "2\n-1 -1\n-2 -2\n1\n2 8\n"));
    ExpectSameOutside(first, 2, 1);
    EXPECT_EQ(punkt.Get(2, 1), -2.0);
    EXPECT_EQ(punkt.Get(3, 1), 3.0);
    EXPECT_EQ(punkt.Get(5, 2), 5.0);
    EXPECT_EQ(linie.Get(1, 2), 8);
    EXPECT_EQ(linie.Get(3, 1), 3);
}

TEST_F(ReaderTest, FailuresAfterAGoodFileKeepItWhole) {
    Load(Write("good.kzp", "3\n1 1\n2 2\n3 3\n2\n1 1\n3 0\n"));
    const Model good = Take();

    // Refused only at its last record: no half-read rows may show.
    EXPECT_THROW(Load(Write("bad.kzp", "3\n9 9\n8 8\n7 7\n2\n1 1\n3001 0\n")), fw::UnsupportedFormatException);
    ExpectSameOutside(good, 3, 2);
    EXPECT_EQ(punkt.Get(1, 1), 1.0);

    const std::string huge(fw::TextInputStream::kMaxLineBytes + 1, '5');
    EXPECT_THROW(Load(Write("long.kzp", "2\n9 9\n" + huge + "\n0\n")), fw::UnsupportedFormatException);
    ExpectSameOutside(good, 3, 2);

    EXPECT_THROW(Load((dir_ / "missing.kzp").string()), fw::IOException);
    EXPECT_THROW(Load(dir_.string()), fw::IOException);
    ExpectSameOutside(good, 3, 2);
}

TEST_F(ReaderTest, FullTablesAndLongLines) {
    std::string text = "3000.9\n";
    for (int i = 1; i <= 3000; ++i) text += std::to_string(i) + " " + std::to_string(-i) + "\n";
    text += "3000\n";
    for (int k = 1; k <= 3000; ++k) text += std::to_string(3001 - k) + " " + std::to_string(k % 16) + "\n";
    // Lines after the last record are never read, however long.
    text += std::string(fw::TextInputStream::kMaxLineBytes + 10, ' ') + "\n";
    const Model before = Take();
    Load(Write("full.kzp", text));
    ExpectSameOutside(before, 3000, 3000);
    EXPECT_EQ(punkt.Get(1, 1), 1.0);
    EXPECT_EQ(punkt.Get(3000, 2), -3000.0);
    EXPECT_EQ(linie.Get(1, 1), 3000);
    EXPECT_EQ(linie.Get(3000, 1), 1);
    EXPECT_EQ(linie.Get(3000, 2), 3000 % 16);

    // A record of the greatest length, made mostly of space runs.
    std::string spaces;
    while (2 * spaces.size() + 6 <= fw::TextInputStream::kMaxLineBytes) spaces += "  ";
    Load(Write("spaces.kzp", "1\n" + spaces + "4" + spaces + "5\n0\n"));
    EXPECT_EQ(punkt.Get(1, 1), 4.0);
    EXPECT_EQ(punkt.Get(1, 2), 5.0);
}

// ---- Record cleaning

// The cleaning as the loop states it: drop the second space of the first
// pair until there is none, then one leading space.
std::string CleanByTheLoop(std::string s) {
    for (auto p = fw::InStr(0, s, "  "); p > 0; p = fw::InStr(0, s, "  ")) {
        s = fw::Left(s, p) + fw::Right(s, fw::Len(s) - 1 - p);
    }
    if (fw::Left(s, 1) == " ") s = fw::Right(s, fw::Len(s) - 1);
    return s;
}

TEST(CleanRecord, MatchesTheLoopOnManyTexts) {
    const std::vector<std::string> pieces{" ", " ", "  ", "1", "-2.5", "\t", "\xC3\xA4", "\xFF", "x"};
    std::mt19937 random(12345);
    for (int n = 0; n < 5000; ++n) {
        std::string text;
        const int parts = static_cast<int>(random() % 9);
        for (int i = 0; i < parts; ++i) text += pieces[random() % pieces.size()];
        std::string cleaned = text;
        Module1::CleanRecord(cleaned);
        ASSERT_EQ(cleaned, CleanByTheLoop(text)) << "[" << text << "]";
        std::string again = cleaned;
        Module1::CleanRecord(again);
        ASSERT_EQ(again, cleaned);
    }
}

}  // namespace

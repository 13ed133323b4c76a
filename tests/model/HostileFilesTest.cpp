// Files come from anywhere. Each hostile file goes through the real reader,
// the open dialog answered with its path, and whatever the reader left is
// rendered to pixels at ordinary and at extreme views.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/io/TextInputStream.h"
#include "framework/widgets/OpenDialog.h"
#include "tests/support/ModelFixture.h"

namespace {

namespace fs = std::filesystem;
using Module1::kLastRow;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t kMiB = std::size_t{1} << 20;

// What a file must leave. A refusal names its message ("{}" stands for the
// file's path) and leaves the model exactly as it was. Otherwise the counts
// and rows are given; a shorter list repeats its last row up to the count.
struct Outcome {
    std::string refused;
    std::int64_t anzpkt = 0, anzlin = 0;
    std::vector<std::array<double, 2>> punkte;
    std::vector<std::array<std::int64_t, 2>> linien;
};

struct HostileCase {
    std::string name;  // a file of tests/data/hostile, or one made at run time
    std::function<std::string()> make;
    Outcome outcome;
    std::function<void(const fs::path&)> place = nullptr;  // makes the file itself: special or sparse
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

Outcome Refused(std::string message) { return {std::move(message), 0, 0, {}, {}}; }

const std::string kTooManyPoints =
    "Die Datei enth\xC3\xA4lt 3001 Punkte; h\xC3\xB6"
    "chstens 3000 sind m\xC3\xB6glich.";
// A count beyond the 64-bit range is named as the file writes it.
std::string TooManyPoints(const std::string& written) {
    return "Die Datei enth\xC3\xA4lt " + written +
           " Punkte; h\xC3\xB6"
           "chstens 3000 sind m\xC3\xB6glich.";
}
std::string BadIndex(int line, const std::string& index) {
    return "Der Linieneintrag in Zeile " + std::to_string(line) + " verweist auf Punkt " + index +
           "; m\xC3\xB6glich sind 0 bis 3000.";
}
std::string TooLong(int line) {
    return "Zeile " + std::to_string(line) +
           " der Datei \xE2\x80\x9E{}\xE2\x80\x9C ist l\xC3\xA4nger als 1 MiB; die Datei wird nicht gelesen.";
}

std::string NotOpened(const std::string& reason) {
    return "Die Datei \xE2\x80\x9E{}\xE2\x80\x9C kann nicht ge\xC3\xB6"
           "ffnet werden: Sie ist " +
           reason + ", keine gew\xC3\xB6hnliche Datei.";
}
std::string TooLarge(const std::string& bytes) {
    return "Die Datei \xE2\x80\x9E{}\xE2\x80\x9C ist " + bytes +
           " Bytes gro\xC3\x9F, mehr als 64 MiB (67.108.864 Bytes); sie wird nicht gelesen.";
}

// A drawing, then a hole up to the given size: nothing large is written, and
// the reader stops before the hole.
auto Sparse(std::int64_t size) {
    return [size](const fs::path& p) {
        std::ofstream(p, std::ios::binary) << "1\n1 2\n0\n";
        fs::resize_file(p, std::uintmax_t(size));
    };
}
auto Link(const char* target) {
    return [target](const fs::path& p) { fs::create_symlink(target, p); };
}
void Fifo(const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }
void Socket(const fs::path& p) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(p.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, p.c_str());
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

std::string Utf16LE(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

const std::vector<HostileCase>& Cases() {
    static const std::vector<HostileCase> cases = {
        {"empty.kzp", nullptr, {}},
        {"blank_lines_only.kzp", nullptr, {}},
        // The signature's CR LF and the chunk length 13 (a CR) cut it into
        // lines that read as zero counts.
        {"picture.png", nullptr, {}},
        {"nul_bytes.kzp", nullptr, {"", 2, 1, {{1, 2}, {0, 0}}, {{0, 3}}}},
        {"invalid_utf8.kzp", nullptr, {"", 2, 1, {{0, 5}, {1, 3}}, {{0, 2}}}},
        {"utf16le_bom.kzp", nullptr, {"", 2, 1, {{1.5, -2}, {3, 4}}, {{2, 9}}}},
        {"utf16be_bom.kzp", nullptr, {"", 2, 1, {{1.5, -2}, {3, 4}}, {{2, 9}}}},
        // Without a byte-order mark the text is taken as UTF-8: the zero
        // bytes stand before every digit, so nothing reads as a number but
        // the first count.
        {"utf16le_no_bom.kzp", nullptr, {"", 2, 0, {{0, 0}, {0, 0}}, {}}},
        {"utf16be_no_bom.kzp", nullptr, {}},
        {"cr_only.kzp", nullptr, {"", 2, 1, {{1, 2}, {3, 4}}, {{2, 5}}}},
        {"mixed_line_ends.kzp", nullptr, {"", 3, 2, {{1, 1}, {2, 2}, {3, 3}}, {{1, 5}, {3, 0}}}},
        {"count_3000.kzp", nullptr, {"", 3000, 1, {{1, 2}}, {{1, 2}}}},
        {"count_3001.kzp", nullptr, Refused(kTooManyPoints)},
        {"line_count_3001.kzp", nullptr,
         Refused("Die Datei enth\xC3\xA4lt 3001 Linieneintr\xC3\xA4ge; h\xC3\xB6"
                 "chstens 3000 sind m\xC3\xB6glich.")},
        {"counts_minus_1.kzp", nullptr, {"", -1, -1, {}, {}}},
        {"count_1e30.kzp", nullptr, Refused(TooManyPoints("1e30"))},
        {"count_1e400.kzp", nullptr, Refused(TooManyPoints("1e400"))},
        {"line_count_minus_1e30.kzp", nullptr, {"", 0, kMin, {}, {}}},
        {"nan_like.kzp", nullptr, {"", 4, 0, {{0, 1}, {1, 0}, {0, 1}, {5, 0}}, {}}},
        {"beyond_double.kzp", nullptr, {"", 3, 1, {{kInf, -kInf}, {0.0, -0.0}, {kInf, 0}}, {{0, kMax}}}},
        {"index_minus_1.kzp", nullptr, Refused(BadIndex(5, "-1"))},
        {"index_3000.kzp", nullptr, {"", 1, 2, {{1, 1}}, {{3000, 1}, {1, 2}}}},
        {"index_3001.kzp", nullptr, Refused(BadIndex(3, "3001"))},
        {"index_int64_max.kzp", nullptr, Refused(BadIndex(3, "9223372036854775807"))},
        {"pen_codes_64bit.kzp", nullptr, {"", 1, 4, {{1, 1}}, {{1, kMax}, {1, kMin}, {0, kMax}, {1, kMin}}}},
        // Finite in the file, infinite once multiplied by the zoom factor.
        {"overflow_at_zoom.kzp",
         nullptr,
         {"", 3, 4, {{1.7e308, 1.7e308}, {-1.7e308, -1e308}, {1, 1}}, {{1, 1}, {2, 2}, {3, 3}, {1, 4}}}},

        // Made at run time rather than kept in the repository.
        {"line_of_2_mib.kzp", [] { return "1\n" + std::string(2 * kMiB, '7') + "\n0\n"; }, Refused(TooLong(2))},
        {"count_line_of_2_mib_spaces.kzp", [] { return std::string(2 * kMiB, ' ') + "\n"; }, Refused(TooLong(1))},
        {"utf16_line_of_2_mib.kzp", [] { return Utf16LE("1\n" + std::string(kMiB + 1, '3') + "\n"); },
         Refused(TooLong(2))},
        // The longest line that is still read: its number is beyond the range of a double.
        {"line_of_1_mib.kzp",
         [] { return "1\n" + std::string(kMiB - 2, '9') + " 5\n0\n"; },
         {"", 1, 0, {{kInf, 5}}, {}}},
        // One long line that the missing records repeat 3000 times.
        {"long_record_repeated.kzp",
         [] { return "3000\n0." + std::string(kMiB - 10, '1') + " 2\n"; },
         {"", 3000, 0, {{1.0 / 9.0, 2}}, {}}},
        {"long_invalid_utf8_record_repeated.kzp",
         [] { return "3000\n" + std::string(kMiB - 10, '\xE4') + " 2\n"; },
         {"", 3000, 0, {{0, 2}}, {}}},
        {"long_line_record_repeated.kzp",
         [] { return "0\n3000\n1 " + std::string(kMiB - 10, '0') + "5\n"; },
         {"", 0, 3000, {}, {{1, 5}}}},
        {"many_blank_lines.kzp",
         [] { return "2\n" + std::string(300000, '\n') + "1 1\n" + std::string(300000, '\n') + "2 2\n0\n"; },
         {"", 2, 0, {{1, 1}, {2, 2}}, {}}},
        {"index_1e30.kzp", [] { return "0\n2\n3 1\n1e30 1\n"; }, Refused(BadIndex(4, "1e30"))},
        {"index_minus_1e30.kzp", [] { return "0\n1\n-1e30 1\n"; }, Refused(BadIndex(3, "-1e30"))},

        // Only regular files are read, and only up to 64 MiB: anything else
        // could block the window or keep it busy for long.
        {"fifo.kzp", nullptr, Refused(NotOpened("eine benannte Pipe")), Fifo},
        {"socket.kzp", nullptr, Refused(NotOpened("ein Socket")), Socket},
        {"zero.kzp", nullptr, Refused(NotOpened("ein Ger\xC3\xA4t")), Link("/dev/zero")},
        {"null.kzp", nullptr, Refused(NotOpened("ein Ger\xC3\xA4t")), Link("/dev/null")},
        {"64_mib.kzp", nullptr, {"", 1, 0, {{1, 2}}, {}}, Sparse(std::int64_t{64} << 20)},
        {"64_mib_and_1.kzp", nullptr, Refused(TooLarge("67.108.865")), Sparse((std::int64_t{64} << 20) + 1)},
        {"2_gib.kzp", nullptr, Refused(TooLarge("2.147.483.648")), Sparse(std::int64_t{2} << 30)},
    };
    return cases;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Model {
    std::int64_t anzpkt, anzlin;
    fw::Table2D<double> punkt;
    fw::Table2D<std::int64_t> linie;
};

// Every element and count recognisable, NaN included, so that any write the
// reader should not make shows.
Model FillSentinel() {
    for (std::int64_t r = 0; r <= kLastRow; ++r) {
        for (std::int64_t c = 0; c <= 2; ++c) {
            Module1::punkt.Set(r, c, r % 7 == 0 ? std::nan("") : double(r * 3 + c) + 0.25);
            Module1::linie.Set(r, c, -(r * 3 + c) - 7);
        }
    }
    Module1::anzpkt = 11;
    Module1::anzlin = 13;
    return {Module1::anzpkt, Module1::anzlin, Module1::punkt, Module1::linie};
}

class HostileFile : public ModelTest, public ::testing::WithParamInterface<HostileCase> {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        dir_ = fs::temp_directory_path() / ("kzp-hostile-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fw::SetOpenDialogAnswer(nullptr);
        fs::remove_all(dir_);
        ModelTest::TearDown();
    }

    std::string PathOf(const HostileCase& c) {
        const fs::path p = dir_ / c.name;
        if (c.place) {
            c.place(p);
        } else if (c.make) {
            std::ofstream(p, std::ios::binary) << c.make();
        } else {
            return (fs::path(KZP_TEST_DATA) / "hostile" / c.name).string();
        }
        return p.string();
    }

    // Renders at the start view, then with the zoom factor and the origin at
    // their limits, every box ticked, and turns each rendering into pixels.
    void RenderEverywhere() {
        view->punkte = view->linien = view->achsen = true;
        struct View {
            std::int64_t origx, origy, zoom;
        };
        const View views[] = {{20, 380, 50},   {20, 380, kMax}, {kMin, kMax, kMax},           {kMin, kMax, 1},
                              {kMax, kMin, 1}, {-7, 401, 1},    {200, 200, 1'000'000'000'000}};
        Module1::init();
        for (const View& v : views) {
            SCOPED_TRACE(std::to_string(v.origx) + ", " + std::to_string(v.origy) + " at " + std::to_string(v.zoom));
            Module1::origx = v.origx;
            Module1::origy = v.origy;
            Module1::zoomfaktor = v.zoom;
            const int invalidates = view->invalidates;
            Module1::zeichnen();
            EXPECT_EQ(view->invalidates, invalidates + 1);
            (void)Module1::zebild->Pixel(399, 399);
        }
    }

    fs::path dir_;
};

TEST_P(HostileFile, GivesItsDefinedModelAndRenders) {
    const HostileCase& c = GetParam();
    const std::string path = PathOf(c);
    const Model before = FillSentinel();
    const Outcome& e = c.outcome;

    // Should the reader wait on a pipe for a writer, one comes along: the
    // fault then shows as a file read, not as a hang.
    std::jthread writer;
    if (fs::is_fifo(path)) {
        writer = std::jthread([path](std::stop_token stop) {
            while (!stop.stop_requested()) {
                if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        });
    }

    fw::SetOpenDialogAnswer([path]() -> std::optional<std::string> { return path; });
    std::optional<std::string> message;
    try {
        Module1::datenlesen();
    } catch (const fw::RuntimeException& ex) {
        message = ex.what();
    }

    if (!e.refused.empty()) {
        std::string expected = e.refused;
        if (const auto at = expected.find("{}"); at != std::string::npos) expected.replace(at, 2, path);
        EXPECT_EQ(message.value_or("(read without a message)"), expected);
    } else {
        EXPECT_EQ(message, std::nullopt);
    }
    const std::int64_t points = e.refused.empty() ? e.anzpkt : before.anzpkt;
    const std::int64_t lines = e.refused.empty() ? e.anzlin : before.anzlin;
    EXPECT_EQ(Module1::anzpkt, points);
    EXPECT_EQ(Module1::anzlin, lines);

    int wrong = 0;
    for (std::int64_t r = 0; r <= kLastRow && wrong < 5; ++r) {
        for (std::int64_t col = 0; col <= 2; ++col) {
            const bool written = e.refused.empty() && col > 0 && r >= 1;
            double p = before.punkt.Get(r, col);
            if (written && r <= e.anzpkt) {
                const auto i = std::min<std::size_t>(std::size_t(r - 1), e.punkte.size() - 1);
                p = e.punkte[i][std::size_t(col - 1)];
            }
            std::int64_t l = before.linie.Get(r, col);
            if (written && r <= e.anzlin) {
                const auto k = std::min<std::size_t>(std::size_t(r - 1), e.linien.size() - 1);
                l = e.linien[k][std::size_t(col - 1)];
            }
            if (!SameBits(Module1::punkt.Get(r, col), p)) {
                ADD_FAILURE() << "punkt(" << r << ", " << col << ") = " << Module1::punkt.Get(r, col) << ", not " << p;
                ++wrong;
            }
            if (Module1::linie.Get(r, col) != l) {
                ADD_FAILURE() << "linie(" << r << ", " << col << ") = " << Module1::linie.Get(r, col) << ", not " << l;
                ++wrong;
            }
        }
    }

    RenderEverywhere();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

// A file in the folder without an expectation would never be checked.
TEST(HostileFolder, EveryFileHasItsExpectation) {
    std::set<std::string> listed;
    for (const auto& c : Cases()) {
        if (!c.make && !c.place) listed.insert(c.name);
    }
    for (const auto& entry : fs::directory_iterator(fs::path(KZP_TEST_DATA) / "hostile")) {
        EXPECT_EQ(listed.count(entry.path().filename().string()), 1u) << entry.path();
        listed.erase(entry.path().filename().string());
    }
    EXPECT_TRUE(listed.empty()) << *listed.begin() << " is missing";
}

// The pen codes at the 64-bit limits keep their low four bits: white for the
// largest, black for the smallest; lines to infinite pixels are dropped and
// the finite ones still drawn.
using HostileRendering = ModelTest;

TEST_F(HostileRendering, ExtremePenCodesAndInfinitePixels) {
    fw::SetOpenDialogAnswer([]() -> std::optional<std::string> {
        return (fs::path(KZP_TEST_DATA) / "hostile" / "pen_codes_64bit.kzp").string();
    });
    Module1::datenlesen();
    view->achsen = false;
    std::vector<std::string> colours;
    for (const auto& op : Draws()) {
        if (op.rfind("ForeColor", 0) == 0) colours.push_back(op);
    }
    const std::string white = "ForeColor 255 255 255", blue = "ForeColor 0 0 255", black = "ForeColor 0 0 0";
    EXPECT_EQ(colours, (std::vector<std::string>{white, blue, white, blue, black, blue, white, blue, black, blue}));

    fw::SetOpenDialogAnswer([]() -> std::optional<std::string> {
        return (fs::path(KZP_TEST_DATA) / "hostile" / "overflow_at_zoom.kzp").string();
    });
    Module1::datenlesen();
    fw::SetOpenDialogAnswer(nullptr);
    view->punkte = true;
    const auto ops = Draws();
    EXPECT_NE(std::find(ops.begin(), ops.end(), "FillOval inf -inf 5 5"), ops.end());
    EXPECT_NE(std::find(ops.begin(), ops.end(), "FillOval 68 328 5 5"), ops.end());
    // Point 3 at (70, 330) is a blue dot; the line to it from point 2 is
    // infinitely long and left out, the line from it back to point 1 as well.
    EXPECT_EQ(Module1::zebild->Pixel(70, 330), fw::RGB(0, 0, 255, 0));
    EXPECT_EQ(Module1::zebild->Pixel(200, 200), fw::RGB(255, 255, 255, 0));
}

}  // namespace

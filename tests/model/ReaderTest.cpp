// Each rule of the file format has its data file in tests/data/reader; here
// is what no data file can show: a cancelled dialog and files that cannot be
// read at all or are not files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "framework/core/Exceptions.h"
#include "framework/widgets/OpenDialog.h"
#include "tests/support/ModelFixture.h"

namespace {

using ReaderTest = ModelTest;

void Load(std::optional<std::string> path) {
    fw::SetOpenDialogAnswer([path] { return path; });
    Module1::datenlesen();
    fw::SetOpenDialogAnswer(nullptr);
}

namespace fs = std::filesystem;

// A drawing, then a hole up to the given size: nothing large is written.
std::function<void(const fs::path&)> Sparse(std::int64_t size) {
    return [size](const fs::path& p) {
        std::ofstream(p, std::ios::binary) << "1\n1 2\n0\n";
        fs::resize_file(p, std::uintmax_t(size));
    };
}

void Socket(const fs::path& p) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, p.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// Only regular files up to 64 MiB are read: anything else could block the
// window for good or keep it busy for long. A refusal, like a cancelled
// dialog, keeps the drawing.
TEST_F(ReaderTest, OnlyRegularFilesUpTo64MiBAreRead) {
    const fs::path dir = fs::temp_directory_path() / ("kzp-special-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string notAFile = " kann nicht ge\u00f6ffnet werden: Sie ist ";
    const std::string tooLarge = " Bytes gro\xC3\x9F, mehr als 64 MiB (67.108.864 Bytes); sie wird nicht gelesen.";
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> place;
        std::string refusal;  // empty: read
    };
    const std::vector<Case> cases = {
        {"missing.kzp", [](const fs::path&) {}, notAFile + "nicht vorhanden."},
        {"folder.kzp", [](const fs::path& p) { fs::create_directory(p); }, notAFile + "ein Ordner."},
        {"fifo.kzp", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         notAFile + "eine benannte Pipe, keine gew\xC3\xB6hnliche Datei."},
        {"socket.kzp", Socket, notAFile + "ein Socket, keine gew\xC3\xB6hnliche Datei."},
        {"zero.kzp", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         notAFile + "ein Ger\xC3\xA4t, keine gew\xC3\xB6hnliche Datei."},
        {"64_mib.kzp", Sparse(std::int64_t{64} << 20), ""},
        {"64_mib_and_1.kzp", Sparse((std::int64_t{64} << 20) + 1), " ist 67.108.865" + tooLarge},
        {"2_gib.kzp", Sparse(std::int64_t{2} << 30), " ist 2.147.483.648" + tooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load(KZP_TEST_DATA "/reader/fill.kzp");
        Load(std::nullopt);
        const fs::path path = dir / c.name;
        c.place(path);
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
        std::string message;
        try {
            Load(path.string());
        } catch (const fw::RuntimeException& e) {
            message = e.what();
        }
        if (c.refusal.empty()) {
            EXPECT_EQ(message, "");
            EXPECT_EQ(Module1::anzpkt, 1);
            EXPECT_EQ(Module1::punkt.Get(1, 2), 2);
        } else {
            EXPECT_EQ(message, "Die Datei \xE2\x80\x9E" + path.string() + "\xE2\x80\x9C" + c.refusal);
            EXPECT_EQ(Module1::anzpkt, 4) << "the drawing stays";
            EXPECT_EQ(Module1::punkt.Get(4, 2), 98);
        }
    }
    fs::remove_all(dir);
}

}  // namespace

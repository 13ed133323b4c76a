// Feeds arbitrary bytes as a point-and-line file to the reader and checks
// what must hold whatever the file holds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"

namespace {

std::string gPath;

struct Snapshot {
    std::int64_t anzpkt = Module1::anzpkt;
    std::int64_t anzlin = Module1::anzlin;
    fw::Table2D<double> punkt = Module1::punkt;
    fw::Table2D<std::int64_t> linie = Module1::linie;

    bool SameAs(const Snapshot& o) const {
        if (anzpkt != o.anzpkt || anzlin != o.anzlin) return false;
        for (std::int64_t r = 0; r <= Module1::kLastRow; ++r) {
            for (std::int64_t c = 0; c <= 2; ++c) {
                const double a = punkt.Get(r, c), b = o.punkt.Get(r, c);
                // Bitwise, so that NaN and -0 compare as themselves.
                if (std::memcmp(&a, &b, sizeof a) != 0 || linie.Get(r, c) != o.linie.Get(r, c)) return false;
            }
        }
        return true;
    }
};

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* dir = std::getenv("TMPDIR");
    std::string templ = std::string(dir && *dir ? dir : "/tmp") + "/kzp-fuzz-XXXXXX";
    const int fd = mkstemp(templ.data());
    if (fd < 0) std::abort();
    close(fd);
    gPath = templ;
    std::atexit([] { std::remove(gPath.c_str()); });
    fw::SetOpenDialogAnswer([]() -> std::optional<std::string> { return gPath; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(gPath.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    const Snapshot before;
    bool refused = false;
    try {
        Module1::datenlesen();
    } catch (const fw::UnsupportedFormatException&) {
        refused = true;
    }
    if (refused) Check(Snapshot().SameAs(before), "a refused file changed the model");
    Check(Module1::anzpkt <= Module1::kLastRow && Module1::anzlin <= Module1::kLastRow, "count above 3000");
    for (std::int64_t c = 0; c <= 2; ++c) {
        Check(Module1::punkt.Get(0, c) == 0.0 && Module1::linie.Get(0, c) == 0, "row 0 written");
    }
    for (std::int64_t r = 1; r <= Module1::kLastRow; r += 1499) {
        Check(Module1::punkt.Get(r, 0) == 0.0 && Module1::linie.Get(r, 0) == 0, "column 0 written");
    }
    for (std::int64_t k = 1; k <= Module1::anzlin; ++k) {
        const std::int64_t index = Module1::linie.Get(k, 1);
        Check(index >= 0 && index <= Module1::kLastRow, "point index outside the table");
    }
    return 0;
}

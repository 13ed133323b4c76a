// Reading a full file: 3000 points and 3000 line records.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "framework/widgets/OpenDialog.h"
#include "model/Module1.h"

namespace {

std::string WriteFullFile() {
    const auto path = std::filesystem::temp_directory_path() / ("kzp-bench-" + std::to_string(::getpid()) + ".kzp");
    std::ofstream out(path, std::ios::binary);
    out << "3000\n";
    for (int i = 1; i <= 3000; ++i) out << i * 0.25 << "  " << -i * 1.5 << '\n';
    out << "3000\n";
    for (int k = 1; k <= 3000; ++k) out << (k * 7) % 3001 << ' ' << k % 16 << '\n';
    return path.string();
}

void BM_ReadFullFile(benchmark::State& state) {
    const std::string path = WriteFullFile();
    Module1::RunInitializers();
    fw::SetOpenDialogAnswer([path]() -> std::optional<std::string> { return path; });
    for (auto _ : state) {
        Module1::datenlesen();
        benchmark::DoNotOptimize(Module1::anzlin);
    }
    fw::SetOpenDialogAnswer(nullptr);
    std::remove(path.c_str());
    if (Module1::anzpkt != 3000 || Module1::anzlin != 3000) state.SkipWithError("the file was not read whole");
}
BENCHMARK(BM_ReadFullFile)->Unit(benchmark::kMillisecond);

}  // namespace

// Rendering of the two benchmark drawings at a device pixel ratio (dpr), timed
// against the same calls replayed on one plain QPainter at that ratio.
// Counters: ms and base_ms are medians per frame, ratio is ms / base_ms.
// threads:1 limits the picture to one thread.
#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "framework/painting/GraphicsQt_p.h"  // SetRenderThreads: threads:N
#include "framework/painting/Picture.h"
#include "model/Module1.h"
#include "bench/PlainReplay.h"
#include "tests/support/Scenes.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Ms(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

void Render(benchmark::State& state, void (*fill)(), std::int64_t width, std::int64_t height, double pixelRatio) {
    const int threads = int(state.range(0));
    auto view = std::make_shared<scenes::View>();
    fw::Picture::SetDevicePixelRatio(pixelRatio);
    scenes::Setup(width, height, view);
    fw::Picture::SetDevicePixelRatio(1.0);
    fill();

    std::vector<std::string> lines;
    Module1::zebild->Graphics().SetRecorder(&lines);
    Module1::zeichnen();
    Module1::zebild->Graphics().SetRecorder(nullptr);
    const auto calls = scenes::ParseCalls(lines);

    fw::SetRenderThreads(threads);
    std::vector<double> ours;
    for (auto _ : state) {
        const auto start = Clock::now();
        Module1::zeichnen();
        benchmark::DoNotOptimize(Module1::zebild->Pixel(0, 0));
        ours.push_back(Ms(start));
        state.SetIterationTime(ours.back() / 1000.0);
    }
    fw::SetRenderThreads(0);

    QImage image(int(std::lround(double(width) * pixelRatio)), int(std::lround(double(height) * pixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    std::vector<double> base;
    for (std::size_t i = 0; i < std::clamp<std::size_t>(ours.size(), 10, 100); ++i) {
        const auto start = Clock::now();
        scenes::PlainReplay(image, calls);
        benchmark::DoNotOptimize(image.pixel(0, 0));
        base.push_back(Ms(start));
    }
    state.counters["ms"] = Median(ours);
    state.counters["base_ms"] = Median(base);
    state.counters["ratio"] = Median(ours) / Median(base);
    state.counters["calls"] = double(calls.size());
}

}  // namespace

// Registered at run time: the cases are made from the scenes.
void RegisterRenderBenchmarks() {
    struct Scene {
        const char* name;
        void (*fill)();
    };
    const Scene scenes[] = {{"dense", [] { scenes::FillDense(); }}, {"spiral", [] { scenes::FillSpiral(); }}};
    const std::pair<int, int> sizes[] = {{400, 400}, {1600, 1200}};
    for (const char* ratio : {"1", "2"}) {
        for (const Scene& scene : scenes) {
            for (const auto& [w, h] : sizes) {
                const std::string name = std::string("Render/") + scene.name + "/" + std::to_string(w) + "x" +
                                         std::to_string(h) + "/dpr:" + ratio;
                benchmark::RegisterBenchmark(name.c_str(), Render, scene.fill, w, h, std::stod(ratio))
                    ->ArgName("threads")
                    ->Arg(0)
                    ->Arg(1)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
}

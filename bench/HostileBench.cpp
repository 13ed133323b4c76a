// Drawing calls with coordinates far outside the picture must cost about as
// much as ordinary ones: clipping happens before the raster engine.
#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>

#include "framework/painting/Picture.h"

namespace {

void DrawHostile(benchmark::State& state) {
    auto pic = fw::Picture::Create(400, 400, 16);
    auto& g = pic->Graphics();
    const double far = std::pow(10.0, double(state.range(0)));
    for (auto _ : state) {
        g.SetForeColor(fw::RGB(255, 255, 255));
        g.FillRect(0, 0, 400, 400);
        g.SetForeColor(fw::RGB(0, 0, 150));
        for (int i = 0; i < 1000; ++i) {
            g.DrawLine(20, 380, far, -far);
            g.DrawLine(-far, double(i % 400), far, double(i % 400));
            g.FillOval(far, far, 5, 5);
            g.DrawLine(std::numeric_limits<double>::quiet_NaN(), 0, 1, 1);
        }
        benchmark::DoNotOptimize(pic->Pixel(0, 0));
    }
    state.SetItemsProcessed(state.iterations() * 4000);
}
BENCHMARK(DrawHostile)->Arg(2)->Arg(12)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace

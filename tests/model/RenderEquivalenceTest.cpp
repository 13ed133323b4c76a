// Every rendering the viewer makes looks the same drawn the picture's fast way
// as drawn call by call on one plain painter, at every device pixel ratio.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "model/Module1.h"
#include "tests/support/ImageCompare.h"
#include "tests/support/Scenes.h"

namespace {

using testing_support::kEdgeTolerance;

struct Scene {
    std::string name;
    std::int64_t width, height;
    std::function<void()> prepare;                           // after the geometry is set
    int tolerance = kEdgeTolerance, above = kEdgeTolerance;  // at ratio 1, above it
    bool points = true;
};

QImage Render(const Scene& scene, bool reference, double ratio) {
    auto view = std::make_shared<scenes::View>();
    view->punkte = scene.points;
    {
        const testing_support::AtRatio at(ratio);
        scenes::Setup(scene.width, scene.height, view);
    }
    scene.prepare();
    Module1::zeichnen();
    return testing_support::Pixels(Module1::zebild, reference);
}

auto Origin(std::int64_t x, std::int64_t y, std::int64_t zoom = 50) {
    return [=] {
        Module1::origx = x;
        Module1::origy = y;
        Module1::zoomfaktor = zoom;
    };
}

void HostilePoints() {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e300, -1e300, 4e15, -7.25, 0.0, 3.5};
    std::int64_t i = 0;
    for (double x : values) {
        for (double y : values) {
            ++i;
            Module1::punkt.Set(i, 1, x);
            Module1::punkt.Set(i, 2, y);
            Module1::linie.Set(i, 1, i);
            Module1::linie.Set(i, 2, i % 16);
        }
    }
    Module1::anzpkt = Module1::anzlin = i;
}

// Axes alone have whole-number geometry: at ratio 1 the pixels must be the
// very same; above it only the slanted arrow heads may differ a little. So
// are lines alone drawn at ratio 1. Pictures of millions of points only at
// ratios 1 and 2.
TEST(RenderEquivalence, EveryViewLooksTheSameAtEveryRatio) {
    const Scene scenes[] = {
        {"start values", 400, 400, Origin(20, 380), 0},
        {"origin at the right edge", 400, 400, Origin(360, 380), 0},
        {"origin past the right edge", 400, 400, Origin(500, 380), 0},
        {"origin near the top", 400, 400, Origin(20, 40), 0},
        {"origin left of the picture", 400, 400, Origin(-100, 200), 0},
        {"origin below the picture", 400, 400, Origin(200, 900), 0},
        {"zoom 1", 400, 400, Origin(20, 380, 1), 0},
        {"zoom equal to the axis", 400, 400, Origin(20, 380, 350), 0},
        {"zoom beyond the axis", 400, 400, Origin(20, 380, 100000), 0},
        {"wide window", 1600, 1200, Origin(20, 1180, 133), 0},
        {"tiny window", 17, 9, Origin(3, 5), 0},
        {"dense", 400, 400, [] { scenes::FillDense(); }},
        {"dense, wide", 1600, 1200, [] { scenes::FillDense(); }},
        {"spiral", 400, 400, scenes::FillSpiral},
        {"dense lines", 400, 400, [] { scenes::FillDense(); }, 0, kEdgeTolerance, false},
        {"hostile points", 400, 400, HostilePoints},
        {"hostile points, huge zoom", 400, 400,
         [] {
             HostilePoints();
             Module1::zoomfaktor = 4000000000000;
         }},
    };
    for (const Scene& scene : scenes) {
        for (double ratio : testing_support::kRatios) {
            if (scene.width * scene.height > 1000000 && ratio != 1 && ratio != 2) continue;
            const auto d = testing_support::Compare(Render(scene, true, ratio), Render(scene, false, ratio));
            EXPECT_EQ(d.solid, 0) << scene.name << " at ratio " << ratio;
            EXPECT_LE(d.maxChannel, ratio == 1 ? scene.tolerance : scene.above)
                << scene.name << " at ratio " << ratio << ": " << d.differing << " pixels differ";
        }
    }
}

}  // namespace

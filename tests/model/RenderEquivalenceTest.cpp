// Every rendering the viewer makes looks the same drawn the picture's fast way
// as drawn call by call on one plain painter, at every device pixel ratio.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "model/Module1.h"
#include "tests/support/ImageCompare.h"
#include "tests/support/Scenes.h"

namespace {

using testing_support::AtRatio;
using testing_support::Compare;
using testing_support::kEdgeTolerance;
using testing_support::kRatios;

struct Scene {
    std::string name;
    std::int64_t width, height;
    std::function<void()> prepare;  // after the geometry is set
    bool points = true;
};

QImage Render(const Scene& scene, bool reference, double ratio) {
    auto view = std::make_shared<scenes::View>();
    view->punkte = scene.points;
    {
        const AtRatio at(ratio);
        scenes::Setup(scene.width, scene.height, view);
    }
    scene.prepare();
    Module1::zeichnen();
    return testing_support::Pixels(Module1::zebild, reference);
}

// At every ratio; tolerance at ratio 1, above it at the others. Pictures of
// millions of points only at 1 and 2.
void ExpectEquivalent(const Scene& scene, int tolerance, int above) {
    for (double ratio : kRatios) {
        if (scene.width * scene.height > 1000000 && ratio != 1 && ratio != 2) continue;
        const auto d = Compare(Render(scene, true, ratio), Render(scene, false, ratio));
        EXPECT_EQ(d.solid, 0) << scene.name << " at ratio " << ratio;
        EXPECT_LE(d.maxChannel, ratio == 1 ? tolerance : above)
            << scene.name << " at ratio " << ratio << ": " << d.differing << " pixels differ";
    }
}

auto Origin(std::int64_t x, std::int64_t y, std::int64_t zoom = 50) {
    return [=] {
        Module1::origx = x;
        Module1::origy = y;
        Module1::zoomfaktor = zoom;
    };
}

// Only whole-number geometry: at ratio 1 the pixels must be the very same;
// above it only the slanted arrow heads may differ a little.
TEST(RenderEquivalence, AxesCasesAreIdentical) {
    const Scene scenes[] = {
        {"start values", 400, 400, Origin(20, 380)},
        {"origin at the right edge", 400, 400, Origin(360, 380)},
        {"origin past the right edge", 400, 400, Origin(500, 380)},
        {"origin near the top", 400, 400, Origin(20, 40)},
        {"origin left of the picture", 400, 400, Origin(-100, 200)},
        {"origin below the picture", 400, 400, Origin(200, 900)},
        {"zoom 1", 400, 400, Origin(20, 380, 1)},
        {"zoom equal to the axis", 400, 400, Origin(20, 380, 350)},
        {"zoom beyond the axis", 400, 400, Origin(20, 380, 100000)},
        {"wide window", 1600, 1200, Origin(20, 1180, 133)},
        {"tiny window", 17, 9, Origin(3, 5)},
    };
    for (const Scene& scene : scenes) ExpectEquivalent(scene, 0, kEdgeTolerance);
}

TEST(RenderEquivalence, DrawingsLookTheSame) {
    for (auto [w, h] : {std::pair<std::int64_t, std::int64_t>{400, 400}, {1600, 1200}}) {
        ExpectEquivalent({"dense", w, h, [] { scenes::FillDense(); }}, kEdgeTolerance, kEdgeTolerance);
        ExpectEquivalent({"spiral", w, h, [] { scenes::FillSpiral(); }}, kEdgeTolerance, kEdgeTolerance);
    }
    // Lines alone are drawn exactly as the painter draws them at ratio 1.
    ExpectEquivalent({"dense lines", 400, 400, [] { scenes::FillDense(); }, false}, 0, kEdgeTolerance);
}

TEST(RenderEquivalence, HostilePointsLookTheSame) {
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             1e300,
                             -1e300,
                             4e15,
                             -7.25,
                             0.0,
                             3.5};
    auto prepare = [&] {
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
    };
    ExpectEquivalent({"hostile points", 400, 400, prepare}, kEdgeTolerance, kEdgeTolerance);
    ExpectEquivalent({"hostile points, huge zoom", 400, 400,
                      [&] {
                          prepare();
                          Module1::zoomfaktor = 4000000000000;
                      }},
                     kEdgeTolerance, kEdgeTolerance);
}

}  // namespace

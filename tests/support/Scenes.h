#pragma once
// The drawings the benchmarks and the rendering tests share, put straight into
// the drawing model's tables, and a stand-in for the main window.
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "model/Module1.h"

namespace scenes {

class View : public Module1::HauptView {
public:
    bool punkte = true, linien = true, achsen = true;
    bool CBpunkteValue() override { return punkte; }
    bool CBlinienValue() override { return linien; }
    bool CBachsenValue() override { return achsen; }
    void SetEFzoomText(const std::string&) override {}
    void InvalidateCAhaupt() override {}
};

// 3000 points uniformly in 0..8 x 0..8; every record draws to a random point
// with a random pen code 1..15.
inline void FillDense(std::uint32_t seed = 7) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> coordinate(0.0, 8.0);
    std::uniform_int_distribution<std::int64_t> index(1, Module1::kLastRow), code(1, 15);
    for (std::int64_t i = 1; i <= Module1::kLastRow; ++i) {
        Module1::punkt.Set(i, 1, coordinate(random));
        Module1::punkt.Set(i, 2, coordinate(random));
    }
    for (std::int64_t k = 1; k <= Module1::kLastRow; ++k) {
        Module1::linie.Set(k, 1, index(random));
        Module1::linie.Set(k, 2, code(random));
    }
    Module1::anzpkt = Module1::anzlin = Module1::kLastRow;
}

// 3000 points on a spiral around (4, 4), followed in order as one pen path
// of short segments; the first record only moves the pen to its start.
inline void FillSpiral() {
    for (std::int64_t i = 1; i <= Module1::kLastRow; ++i) {
        const double t = double(i) / double(Module1::kLastRow);
        const double angle = t * 2.0 * std::numbers::pi * 20.0, radius = 0.2 + 3.6 * t;
        Module1::punkt.Set(i, 1, 4.0 + radius * std::cos(angle));
        Module1::punkt.Set(i, 2, 4.0 + radius * std::sin(angle));
        Module1::linie.Set(i, 1, i);
        Module1::linie.Set(i, 2, i == 1 ? 0 : 1 + i % 15);
    }
    Module1::anzpkt = Module1::anzlin = Module1::kLastRow;
}

// A fresh model of width x height with the benchmark geometry and the given
// view installed; the caller fills the tables and calls zeichnen.
inline void Setup(std::int64_t width, std::int64_t height, const std::shared_ptr<View>& view) {
    Module1::RunInitializers();
    Module1::SetHauptGetter([view] { return view; });
    Module1::breite = width;
    Module1::hoehe = height;
    Module1::zoomfaktor = std::min(width, height) / 9;
    Module1::origx = 20;
    Module1::origy = height - 20;
    Module1::init();
}

}  // namespace scenes

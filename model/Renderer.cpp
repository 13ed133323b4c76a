#include <algorithm>
#include <cmath>

#include "framework/core/Arithmetic.h"
#include "framework/core/Exceptions.h"
#include "framework/text/Text.h"
#include "model/Module1.h"

namespace Module1 {

namespace {

using fw::SaturatingAdd;
using fw::SaturatingMul;
using fw::SaturatingSub;

// The picture's drawing context, fetched anew for every call.
fw::Graphics& G() {
    if (!zebild) throw fw::NilObjectException("Das Bild ist nicht vorhanden.");
    return zebild->Graphics();
}

double D(std::int64_t v) { return static_cast<double>(v); }

// Ticks further than this outside the picture are left out: they cannot
// show, and an origin dragged far away at zoom factor 1 would otherwise cost
// one call per pixel of distance, a hang once the distance is large.
constexpr double kTickReach = 1000.0;

// draw(i) for the tick counters 0 up to bound, except those outside
// [first, last], the counters whose ticks lie within reach of the picture.
template <typename Draw>
void TickRow(double bound, double first, double last, Draw draw) {
    const double from = std::max(0.0, std::floor(first));
    const double to = std::min(bound, std::ceil(last));
    if (!(from <= to)) return;
    const std::int64_t start = fw::TruncateToInt64(from);
    const std::int64_t count = fw::TruncateToInt64(to - from) + 1;
    for (std::int64_t n = 0; n < count; ++n) {
        const std::int64_t i = SaturatingAdd(start, n);
        if (D(i) > bound) break;
        draw(i);
    }
}

void DrawAxes() {
    G().SetForeColor(fw::RGB(100, 100, 100, 0));
    G().FillOval(D(SaturatingSub(origx, 2)), D(SaturatingSub(origy, 2)), 5, 5);

    const double xlen = fw::Max(D(SaturatingSub(SaturatingSub(breite, origx), 30)), 10.0);
    const double ylen = fw::Max(D(SaturatingSub(origy, 30)), 10.0);
    const double xtip = D(origx) + xlen;
    const double ytip = D(origy) - ylen;

    G().DrawLine(D(origx), D(origy), xtip, D(origy));
    G().DrawLine(D(origx), D(origy), D(origx), ytip);
    G().DrawLine(D(origx), ytip, D(SaturatingAdd(origx, 4)), ytip + 4);
    G().DrawLine(D(origx), ytip, D(SaturatingSub(origx, 4)), ytip + 4);
    G().DrawLine(xtip, D(origy), xtip - 4, D(SaturatingSub(origy, 4)));
    G().DrawLine(xtip, D(origy), xtip - 4, D(SaturatingAdd(origy, 4)));
    G().DrawString("x", xtip + 5, D(SaturatingSub(origy, 2)), 0, false);
    G().DrawString("y", D(SaturatingSub(origx, 2)), ytip - 5, 0, false);

    // The handlers keep the zoom factor at 1 or more; the guard keeps a tick
    // row finite should anything else ever set it lower.
    const std::int64_t zoom = zoomfaktor < 1 ? 1 : zoomfaktor;
    const double z = D(zoom);
    TickRow(xlen / z, (-kTickReach - D(origx)) / z, (D(breite) + kTickReach - D(origx)) / z, [&](std::int64_t i) {
        const double x = D(SaturatingAdd(origx, SaturatingMul(i, zoom)));
        G().DrawLine(x, D(origy), x, D(SaturatingAdd(origy, 5)));
    });
    TickRow(ylen / z, (D(origy) - D(hoehe) - kTickReach) / z, (D(origy) + kTickReach) / z, [&](std::int64_t i) {
        const double y = D(SaturatingSub(origy, SaturatingMul(i, zoom)));
        G().DrawLine(D(origx), y, D(SaturatingSub(origx, 5)), y);
    });
}

void DrawPoints() {
    for (std::int64_t i = 1; i <= anzpkt; ++i) {
        const double sx = punkt.Get(i, 1) * D(zoomfaktor);
        const double sy = (-punkt.Get(i, 2)) * D(zoomfaktor);
        G().FillOval((sx - 2.0) + D(origx), (sy - 2.0) + D(origy), 5.0, 5.0);
    }
}

fw::Color PenColor(std::int64_t code) {
    const auto bits = static_cast<std::uint64_t>(code);
    const std::int64_t h = fw::TruncateToInt64(static_cast<double>(fw::Bitwise::BitAnd(bits, 8)) / 8.0 * 105.0);
    auto channel = [&](std::uint64_t mask, double divisor) {
        return fw::TruncateToInt64(static_cast<double>(fw::Bitwise::BitAnd(bits, mask)) / divisor * 150.0 + D(h));
    };
    const std::int64_t red = channel(4, 4.0);
    const std::int64_t green = channel(2, 2.0);
    const std::int64_t blue = channel(1, 1.0);
    return fw::RGB(red, green, blue, 0);
}

void DrawPenPath() {
    std::int64_t p = 0;
    for (std::int64_t k = 1; k <= anzlin; ++k) {
        const double x0 = punkt.Get(p, 1) * D(zoomfaktor);
        const double y0 = (-punkt.Get(p, 2)) * D(zoomfaktor);
        const std::int64_t q = linie.Get(k, 1);
        // A point index outside the table is never followed: the record is skipped.
        if (!punkt.Contains(q, 1)) continue;
        const double x1 = punkt.Get(q, 1) * D(zoomfaktor);
        const double y1 = (-punkt.Get(q, 2)) * D(zoomfaktor);
        const std::int64_t c = linie.Get(k, 2);
        if (c != 0) {
            G().SetForeColor(PenColor(c));
            G().DrawLine(D(origx) + x0, D(origy) + y0, D(origx) + x1, D(origy) + y1);
            G().SetForeColor(fw::RGB(0, 0, 255, 0));
        }
        p = q;
    }
}

}  // namespace

void zeichnen() {
    G().SetForeColor(fw::RGB(255, 255, 255, 0));
    G().FillRect(0, 0, D(breite), D(hoehe));
    if (Haupt()->CBachsenValue()) DrawAxes();
    G().SetForeColor(fw::RGB(0, 0, 255, 0));
    if (Haupt()->CBpunkteValue()) DrawPoints();
    if (Haupt()->CBlinienValue()) DrawPenPath();
    Haupt()->InvalidateCAhaupt();
}

}  // namespace Module1

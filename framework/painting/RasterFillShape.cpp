#include "framework/painting/RasterFillShape_p.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/painting/RasterBlend_p.h"

namespace fw {

namespace {

// The picture's pixels seen along a line's major axis: rows along it, limited
// to what the band may write.
template <bool kSideways>
struct Pixels {
    const BandRows& band;
    int majorFrom = kSideways ? 0 : band.top, majorTo = kSideways ? band.width : band.bottom;
    int minorFrom = kSideways ? band.top : 0, minorTo = kSideways ? band.bottom : band.width;
    int minorSize = kSideways ? band.height : band.width;

    std::uint32_t& At(int major, int minor) const {
        return kSideways ? band.Row(minor)[major] : band.Row(major)[minor];
    }
#if defined(__SSE2__)
    // The pixels minor and minor + 1.
    void BlendTwo(int major, int minor, __m128i colorPair, __m128i covers) const {
        if (kSideways) {
            BlendPair(At(major, minor), At(major, minor + 1), colorPair, covers);
        } else {
            BlendAdjacent(&At(major, minor), colorPair, covers);
        }
    }
#endif
};

// Share (0..1) as coverage 0..255, truncated as the painter does (a hair
// above, where the parts of a whole pixel add up to it).
inline std::uint32_t Cover(double share) { return std::uint32_t(std::clamp(int(share * 255.0 + 1e-7), 0, 255)); }

inline void Put(std::uint32_t& pixel, double share, std::uint32_t rgb, std::uint64_t color) {
    const std::uint32_t cover = Cover(share);
    if (cover == 255) {
        pixel = rgb;
    } else if (cover > 0) {
        BlendPixel(pixel, color, cover);
    }
}

// A side of the shape from p on: its x at height v.
struct Side {
    Corner p;
    double slope;  // x per y
    double At(double v) const { return p.x + (v - p.y) * slope; }
};

Side SideOf(const Corner& p, const Corner& q) { return {p, (q.x - p.x) / (q.y - p.y)}; }

// The integral of min(max(u, 0), 1).
double Ramp(double u) { return u <= 0 ? 0 : u < 1 ? 0.5 * u * u : u - 0.5; }

// A long side, which crosses every row between the middle corners within two
// pixels: span = |slope| <= 1 of a pixel (at least a millionth, so that a
// side straight down needs no case of its own; its shares stay exact to far
// below a step of coverage).
struct Crossing {
    double span, inverse;
    explicit Crossing(double slope) : span(std::max(std::abs(slope), 1e-6)), inverse(1 / span) {}

    // The shares right of the side of the pixel where it starts, at offset
    // (0..1) within it, and of the next one.
    void Shares(double offset, double& first, double& second) const {
        const double in = 1 - offset, out = std::max(in - span, 0.0);
        const double past = std::min(in + 1 - span, 1.0);  // of the next pixel, right of the side's end
        first = 0.5 * (in * in - out * out) * inverse;
        second = (in + 0.5 - 0.5 * past * past - out) * inverse;
    }
};

// The share of pixel k right of a side that crosses the row from lo to hi;
// inverse is 1 / (hi - lo), 0 for a side that runs straight down.
inline double RightOf(int k, double lo, double hi, double inverse) {
    if (k + 1 <= lo) return 0;
    if (k >= hi) return 1;
    if (inverse == 0) return k + 1 - lo;
    return (Ramp(k + 1 - lo) - Ramp(k + 1 - hi)) * inverse;
}

// Adds a side's part of a row to the row's sums: after a running total over
// the row, each pixel holds weight times the share of the part right of the
// side within the pixel. The side crosses the part from x = a to x = b;
// weight is the part's height, negative for the right side.
void AddSide(double* sums, double a, double b, double weight) {
    const double x0 = std::min(a, b), x1 = std::max(a, b);
    const int i0 = Floor(x0), i1 = Ceil(x1);
    if (i1 <= i0 + 1) {  // within one pixel
        const double middle = 0.5 * (x0 + x1) - i0;
        sums[i0] += weight * (1 - middle);
        sums[i0 + 1] += weight * middle;
        return;
    }
    // The share is a quadratic of x in the first and last pixel, linear in between.
    const double step = 1 / (x1 - x0);
    const double first = 0.5 * step * (i0 + 1 - x0) * (i0 + 1 - x0), last = 0.5 * step * (x1 - i1 + 1) * (x1 - i1 + 1);
    sums[i0] += weight * first;
    if (i1 == i0 + 2) {
        sums[i0 + 1] += weight * (1 - first - last);
    } else {
        const double second = step * (i0 + 1.5 - x0);
        sums[i0 + 1] += weight * (second - first);
        const double inner = weight * step;
        for (int i = i0 + 2; i < i1 - 1; ++i) sums[i] += inner;
        sums[i1 - 1] += weight * (1 - last - (second + (i1 - i0 - 3) * step));
    }
    sums[i1] += weight * last;
}

// Keeps of [from, to) the rows in which side may come within reach of limit
// from the side given: at most limit (atMost) or at least.
void Narrow(const Side& side, double limit, bool atMost, double& from, double& to) {
    if (side.slope == 0) {
        if (atMost ? side.p.x > limit : side.p.x < limit) to = from;
        return;
    }
    const double v = side.p.y + (limit - side.p.x) / side.slope;  // where the side meets the limit
    if ((side.slope > 0) == atMost) {
        to = std::min(to, std::floor(v) + 2);
    } else {
        from = std::max(from, std::floor(v) - 1);
    }
}

#if defined(__SSE2__)
// Both long sides at once: the left one in the low lane, the right one in the
// high lane.
struct Sides {
    __m128d x, y, slope, low, span, inverse;  // low: 1 where the side's lowest x is at the row's end

    Sides(const Side& l, const Side& r, const Crossing& cl, const Crossing& cr)
        : x(_mm_set_pd(r.p.x, l.p.x)),
          y(_mm_set_pd(r.p.y, l.p.y)),
          slope(_mm_set_pd(r.slope, l.slope)),
          low(_mm_set_pd(r.slope < 0 ? 1 : 0, l.slope < 0 ? 1 : 0)),
          span(_mm_set_pd(cr.span, cl.span)),
          inverse(_mm_set_pd(cr.inverse, cl.inverse)) {}
};

// Two shares as coverage in 16-bit lanes, four of each: the low lane's, then
// the high lane's. Shares lie within [0, 1] to far less than a step of
// coverage, which the truncation drops.
inline __m128i Covers(__m128d shares) {
    const __m128i c = _mm_cvttpd_epi32(_mm_add_pd(_mm_mul_pd(shares, _mm_set1_pd(255.0)), _mm_set1_pd(1e-7)));
    const __m128i packed = _mm_packs_epi32(c, c);
    const __m128i pairs = _mm_unpacklo_epi16(packed, packed);
    return _mm_unpacklo_epi32(pairs, pairs);
}
#endif

// Rows [from, to) between the middle corners: only the long sides l and r
// cross them, each within two pixels of a row.
template <bool kSideways>
void FillBetween(const Pixels<kSideways>& out, const Side& l, const Side& r, int from, int to, std::uint32_t rgb) {
    const std::uint64_t color = Spread(rgb);
    const Crossing crossL(l.slope), crossR(r.slope);
    const bool narrow = crossL.span <= 1 && crossR.span <= 1;  // false only just off the diagonal
    const double inverseL = std::abs(l.slope) > 1e-9 ? 1 / std::abs(l.slope) : 0;
    const double inverseR = std::abs(r.slope) > 1e-9 ? 1 / std::abs(r.slope) : 0;
#if defined(__SSE2__)
    const Sides sides(l, r, crossL, crossR);
    const __m128i colorPair = ColorPair(rgb);
    const __m128d one = _mm_set1_pd(1.0), zero = _mm_setzero_pd();
#endif
    for (int y = from; y < to; ++y) {
#if defined(__SSE2__)
        // Where each side is lowest in the row, its whole pixel and its shares.
        const __m128d lows = _mm_add_pd(
            sides.x, _mm_mul_pd(_mm_sub_pd(_mm_add_pd(_mm_set1_pd(double(y)), sides.low), sides.y), sides.slope));
        __m128d whole = _mm_cvtepi32_pd(_mm_cvttpd_epi32(lows));
        whole = _mm_sub_pd(whole, _mm_and_pd(_mm_cmplt_pd(lows, whole), one));
        const __m128i wholes = _mm_cvttpd_epi32(whole);
        const int jL = _mm_cvtsi128_si32(wholes), jR = _mm_cvtsi128_si32(_mm_srli_si128(wholes, 4));
        if (narrow && jL >= out.minorFrom && jR + 2 <= out.minorTo && jR > jL) {
            const __m128d in = _mm_sub_pd(one, _mm_sub_pd(lows, whole));
            const __m128d outside = _mm_max_pd(_mm_sub_pd(in, sides.span), zero);
            const __m128d past = _mm_min_pd(_mm_sub_pd(_mm_add_pd(in, one), sides.span), one);
            const __m128d half = _mm_set1_pd(0.5);
            const __m128d first = _mm_mul_pd(
                _mm_mul_pd(half, _mm_sub_pd(_mm_mul_pd(in, in), _mm_mul_pd(outside, outside))), sides.inverse);
            const __m128d second = _mm_mul_pd(
                _mm_sub_pd(_mm_sub_pd(_mm_add_pd(in, half), _mm_mul_pd(half, _mm_mul_pd(past, past))), outside),
                sides.inverse);
            const __m128d left = _mm_unpacklo_pd(first, second), right = _mm_unpackhi_pd(first, second);
            // Left of the left side nothing, right of it all, less what lies right of the right side.
            if (jR >= jL + 2) {
                for (int k = jL + 2; k < jR; ++k) out.At(y, k) = rgb;
                out.BlendTwo(y, jL, colorPair, Covers(left));
                out.BlendTwo(y, jR, colorPair, Covers(_mm_sub_pd(one, right)));
            } else {
                const __m128d shares = _mm_sub_pd(left, _mm_unpackhi_pd(zero, first));  // less r0 from the second
                out.BlendTwo(y, jL, colorPair, Covers(shares));
                BlendPixel(out.At(y, jR + 1), color, Cover(1 - _mm_cvtsd_f64(_mm_unpackhi_pd(second, second))));
            }
            continue;
        }
        const double lLow = _mm_cvtsd_f64(lows), rLow = _mm_cvtsd_f64(_mm_unpackhi_pd(lows, lows));
#else
        const double lLow = std::min(l.At(y), l.At(y + 1)), rLow = std::min(r.At(y), r.At(y + 1));
        const int jL = Floor(lLow), jR = Floor(rLow);
        if (narrow && jL >= out.minorFrom && jR + 2 <= out.minorTo && jR > jL) {
            double l0, l1, r0, r1;
            crossL.Shares(lLow - jL, l0, l1);
            crossR.Shares(rLow - jR, r0, r1);
            if (jR >= jL + 2) {
                for (int k = jL + 2; k < jR; ++k) out.At(y, k) = rgb;
                BlendPixel(out.At(y, jL), color, Cover(l0));
                BlendPixel(out.At(y, jL + 1), color, Cover(l1));
                BlendPixel(out.At(y, jR), color, Cover(1 - r0));
                BlendPixel(out.At(y, jR + 1), color, Cover(1 - r1));
            } else {
                BlendPixel(out.At(y, jL), color, Cover(l0));
                BlendPixel(out.At(y, jL + 1), color, Cover(l1 - r0));
                BlendPixel(out.At(y, jR + 1), color, Cover(1 - r1));
            }
            continue;
        }
#endif
        const double lHigh = std::max(l.At(y), l.At(y + 1)), rHigh = std::max(r.At(y), r.At(y + 1));
        for (int k = std::max(out.minorFrom, Floor(lLow)); k < std::min(out.minorTo, Ceil(rHigh)); ++k) {
            Put(out.At(y, k), RightOf(k, lLow, lHigh, inverseL) - RightOf(k, rLow, rHigh, inverseR), rgb, color);
        }
    }
}

// The shape with the corners top, right, bottom and left (clockwise, top the
// highest, bottom the lowest, at most reach outside the picture): each pixel
// its exact share of it. Between the two middle corners a row meets only the
// two long sides, which cross it within a pixel or two: those rows take a
// short way; the rows of the ends add up the parts of every side.
template <bool kSideways>
void Fill(const Pixels<kSideways>& out, const Corner& top, const Corner& right, const Corner& bottom,
          const Corner& left, double reach, bool flatTop, std::uint32_t rgb) {
    const std::uint64_t color = Spread(rgb);
    const int rowFrom = std::max(out.majorFrom, Floor(top.y) + (flatTop ? 1 : 0));
    const int rowTo = std::min(out.majorTo, Ceil(bottom.y));
    if (rowFrom >= rowTo) return;
    const double middleFrom = std::min(left.y, right.y), middleTo = std::max(left.y, right.y);
    const int innerFrom = std::clamp(Ceil(middleFrom), rowFrom, rowTo);
    const int innerTo = std::clamp(Floor(middleTo), innerFrom, rowTo);
    int fastFrom = innerFrom, fastTo = innerTo;
    if (innerFrom < innerTo) {
        const bool leftFirst = left.y <= right.y;
        const Side l = leftFirst ? SideOf(left, bottom) : SideOf(top, left);
        const Side r = leftFirst ? SideOf(top, right) : SideOf(right, bottom);
        double from = innerFrom, to = innerTo;
        Narrow(l, out.minorTo, true, from, to);
        Narrow(r, out.minorFrom, false, from, to);
        fastFrom = int(std::clamp(from, double(innerFrom), double(innerTo)));
        fastTo = std::max(fastFrom, int(std::clamp(to, double(innerFrom), double(innerTo))));
        FillBetween(out, l, r, fastFrom, fastTo, rgb);
    }
    // The row's sums; the shape's corners lie at most margin - 2 pixels outside.
    const int margin = Ceil(reach) + 2;
    thread_local std::vector<double> buffer;
    buffer.resize(std::size_t(out.minorSize + 2 * margin + 1));
    double* const sums = buffer.data() + margin;
    for (int y = rowFrom; y < rowTo; ++y) {
        if (y == innerFrom) y = innerTo;  // the rows between are drawn or out of reach
        if (y >= rowTo) break;
        const double from = std::max(double(y), top.y), to = std::min(double(y + 1), bottom.y);
        if (to <= from) continue;
        // Cut where the left or the right side turns a corner.
        double cuts[4] = {from, to, to, to};
        int n = 1;
        for (double c : {middleFrom, middleTo}) {
            if (c > cuts[n - 1] && c < to) cuts[n++] = c;
        }
        cuts[n] = to;
        double xFrom = out.minorSize, xTo = 0;
        for (int i = 0; i < n; ++i) {
            const double a = cuts[i], b = cuts[i + 1], middle = 0.5 * (a + b);
            const Side l = middle < left.y ? SideOf(top, left) : SideOf(left, bottom);
            const Side r = middle < right.y ? SideOf(top, right) : SideOf(right, bottom);
            const double la = l.At(a), lb = l.At(b), ra = r.At(a), rb = r.At(b);
            AddSide(sums, la, lb, b - a);
            AddSide(sums, ra, rb, a - b);
            xFrom = std::min({xFrom, la, lb});
            xTo = std::max({xTo, ra, rb});
        }
        const int first = Floor(xFrom), last = Ceil(xTo);
        double share = 0;
        for (int x = first; x <= last; ++x) {
            share += sums[x];
            sums[x] = 0;
            if (x >= out.minorFrom && x < out.minorTo) Put(out.At(y, x), share, rgb, color);
        }
    }
}

}  // namespace

void FillShape(const BandRows& band, bool sideways, const Corner (&corners)[4], double reach, bool flatTop,
               std::uint32_t rgb) {
    if (sideways) {
        Fill(Pixels<true>{band}, corners[0], corners[1], corners[2], corners[3], reach, false, rgb);
    } else {
        Fill(Pixels<false>{band}, corners[0], corners[1], corners[2], corners[3], reach, flatTop, rgb);
    }
}

}  // namespace fw

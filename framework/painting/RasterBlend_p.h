#pragma once
// Framework-internal: an opaque colour blended over picture pixels with a
// coverage of 0..255, rounded as the painter's own blending rounds, so that
// the picture's fast drawing and the painter give the same colours.
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fw {

// A pixel with each channel in a 16-bit lane, so that one multiplication
// scales all four.
inline constexpr std::uint64_t kLanes = 0x00ff00ff00ff00ffULL;

inline std::uint64_t Spread(std::uint32_t pixel) {
    const std::uint64_t p = pixel;
    return (p & 0x00ff00ff) | ((p << 24) & 0x00ff00ff00000000ULL);
}

inline std::uint32_t Gather(std::uint64_t lanes) {
    return std::uint32_t((lanes & 0x00ff00ff) | ((lanes >> 24) & 0xff00ff00));
}

// Every channel times a / 255.
inline std::uint64_t ByteMul(std::uint64_t lanes, std::uint64_t a) {
    const std::uint64_t t = lanes * a;
    return ((t + ((t >> 8) & kLanes) + 0x0080008000800080ULL) >> 8) & kLanes;
}

// An opaque colour (spread) over a pixel; exact at coverage 0 and 255 too.
inline void BlendPixel(std::uint32_t& pixel, std::uint64_t color, std::uint32_t coverage) {
    pixel = Gather(ByteMul(color, coverage) + ByteMul(Spread(pixel), 255 - coverage));
}

#if defined(__SSE2__)
// The colour with a channel in each 16-bit lane, twice: what BlendPair takes.
inline __m128i ColorPair(std::uint32_t color) {
    return _mm_unpacklo_epi8(_mm_set1_epi32(int(color)), _mm_setzero_si128());
}

// Two pixels (their channels in 16-bit lanes) at once, with the same rounding
// as BlendPixel; covers holds the first pixel's coverage in the four low
// lanes, the second's in the four high ones. The result is packed.
inline __m128i BlendLanes(__m128i pixels, __m128i colorPair, __m128i covers) {
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), covers);
    auto byteMul = [](__m128i t) {  // t <= 255 * 255 in every lane: no lane overflows
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), _mm_set1_epi16(0x80)), 8);
    };
    const __m128i sum =
        _mm_add_epi16(byteMul(_mm_mullo_epi16(colorPair, covers)), byteMul(_mm_mullo_epi16(pixels, inverse)));
    return _mm_packus_epi16(sum, _mm_setzero_si128());
}

inline void BlendPair(std::uint32_t& first, std::uint32_t& second, __m128i colorPair, __m128i covers) {
    const __m128i pixels = _mm_unpacklo_epi8(
        _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(first)), _mm_cvtsi32_si128(int(second))), _mm_setzero_si128());
    const __m128i packed = BlendLanes(pixels, colorPair, covers);
    first = std::uint32_t(_mm_cvtsi128_si32(packed));
    second = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(packed, 4)));
}

// Two neighbouring pixels of a row.
inline void BlendAdjacent(std::uint32_t* pixels, __m128i colorPair, __m128i covers) {
    const __m128i loaded = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(pixels),
                     BlendLanes(_mm_unpacklo_epi8(loaded, _mm_setzero_si128()), colorPair, covers));
}

// The two pixels of a thin line's step.
inline void BlendPair(std::uint32_t& first, std::uint32_t& second, __m128i colorPair, std::uint32_t firstCover,
                      std::uint32_t secondCover) {
    BlendPair(first, second, colorPair,
              _mm_unpacklo_epi64(_mm_set1_epi16(short(firstCover)), _mm_set1_epi16(short(secondCover))));
}
#endif

}  // namespace fw

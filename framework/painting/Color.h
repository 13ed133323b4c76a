#pragma once
#include <cstdint>

namespace fw {

// Alpha 0 means opaque, as everywhere in the program's colours.
struct Color {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

constexpr Color RGB(std::int64_t r, std::int64_t g, std::int64_t b, std::int64_t a = 0) {
    auto clamp = [](std::int64_t v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return Color{clamp(r), clamp(g), clamp(b), clamp(a)};
}

}  // namespace fw

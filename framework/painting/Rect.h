#pragma once
#include <cstdint>

namespace fw {

// An area in points, as a Paint event names the parts to repaint.
struct Rect {
    std::int64_t Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace fw

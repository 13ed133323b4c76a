#pragma once
// A drawing context: the one of a picture, or the one a canvas hands to its
// Paint handler. The current colour persists from one call to the next.
// Coordinates are doubles in points, x to the right and y downwards; any value
// is accepted (huge, infinite, NaN): what lies outside the target is clipped.
#include <memory>
#include <string>
#include <vector>

#include "framework/painting/Color.h"

namespace fw {

class Picture;
using PicturePtr = std::shared_ptr<Picture>;

class Graphics {
public:
    // A size of this value stands for the picture's own size.
    static constexpr double kNaturalSize = -10000.0;

    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor() const;
    void SetForeColor(Color color);

    void FillRect(double x, double y, double width, double height);
    // The filled ellipse inside the box.
    void FillOval(double x, double y, double width, double height);
    // A 1-point line that hangs right of and below its coordinates.
    void DrawLine(double x1, double y1, double x2, double y2);
    // The left end of the text's baseline at (x, y), in the default font.
    void DrawString(const std::string& text, double x, double y, double width = 0, bool condensed = false);
    void DrawPicture(const PicturePtr& picture, double x, double y, double width = kNaturalSize,
                     double height = kNaturalSize, double sourceX = 0, double sourceY = 0,
                     double sourceWidth = kNaturalSize, double sourceHeight = kNaturalSize);

    // Tests and the probe: every later call is appended to lines, one line per
    // call, before any clipping; nullptr stops recording.
    void SetRecorder(std::vector<std::string>* lines);

    struct Impl;
    explicit Graphics(std::unique_ptr<Impl> impl);
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw

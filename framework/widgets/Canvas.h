#pragma once
// A drawing area that takes the mouse. Coordinates are in points relative to
// the canvas.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Event.h"
#include "framework/painting/Graphics.h"
#include "framework/painting/Rect.h"
#include "framework/widgets/Control.h"

namespace fw {

class CanvasWidget;

class Canvas : public RectControl {
public:
    Canvas();
    ~Canvas() override;
    std::string FrameworkClassName() const override { return "Canvas"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    // Drawn at (0, 0) at its own size before each Paint; nullptr none.
    PicturePtr Backdrop() const { return backdrop_; }
    void SetBackdrop(const PicturePtr& picture);

    // True follows the press: MouseDrag comes while the button is held.
    Event<bool(std::shared_ptr<Canvas>, std::int64_t x, std::int64_t y)> MouseDown;
    Event<void(std::shared_ptr<Canvas>, std::int64_t x, std::int64_t y)> MouseDrag;
    // Amounts in whole wheel notches; the vertical one is positive when the
    // wheel turns toward the user. Fractions of a notch (touchpads) add up
    // until they make a whole one. True: handled.
    Event<bool(std::shared_ptr<Canvas>, std::int64_t x, std::int64_t y, std::int64_t deltaX, std::int64_t deltaY)>
        MouseWheel;
    Event<void(std::shared_ptr<Canvas>, Graphics&, const std::vector<Rect>&)> Paint;

private:
    friend class CanvasWidget;
    CanvasWidget* canvas_;
    PicturePtr backdrop_;
};

}  // namespace fw

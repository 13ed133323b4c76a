#pragma once
// A small pair of arrows: a press on the upper one raises Up, on the lower
// one Down.
#include <memory>

#include "framework/core/Event.h"
#include "framework/widgets/Control.h"

namespace fw {

class ArrowsWidget;

class UpDownArrows : public RectControl {
public:
    UpDownArrows();
    ~UpDownArrows() override;
    std::string FrameworkClassName() const override { return "UpDownArrows"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    Event<void(std::shared_ptr<UpDownArrows>)> Up;
    Event<void(std::shared_ptr<UpDownArrows>)> Down;

private:
    friend class ArrowsWidget;
    ArrowsWidget* arrows_;
};

}  // namespace fw

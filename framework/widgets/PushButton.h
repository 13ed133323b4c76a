#pragma once
// A push button; Action comes on each press. The window's default button
// also answers Return.
#include <memory>

#include "framework/core/Event.h"
#include "framework/widgets/Control.h"

class QPushButton;

namespace fw {

class PushButton : public RectControl {
public:
    PushButton();
    std::string FrameworkClassName() const override { return "PushButton"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Default() const;
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }

    Event<void(std::shared_ptr<PushButton>)> Action;

private:
    QPushButton* button_;
    std::string caption_;
    bool cancel_ = false;
};

}  // namespace fw

#pragma once
// A check box; Action comes when the user changes it.
#include <memory>

#include "framework/core/Event.h"
#include "framework/widgets/Control.h"

class QCheckBox;

namespace fw {

class CheckBox : public RectControl {
public:
    // The numbering of VisualState.
    enum : std::int64_t { kUnchecked = 0, kChecked = 1, kIndeterminate = 2 };

    CheckBox();
    std::string FrameworkClassName() const override { return "CheckBox"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    bool Value() const;
    void SetValue(bool value);
    std::int64_t VisualState() const;
    void SetVisualState(std::int64_t value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

    Event<void(std::shared_ptr<CheckBox>)> Action;

private:
    QCheckBox* box_;
    std::string caption_;
};

}  // namespace fw

#pragma once
// A captioned frame around other controls.
#include "framework/widgets/Control.h"

class QGroupBox;

namespace fw {

class GroupBox : public RectControl {
public:
    GroupBox();
    std::string FrameworkClassName() const override { return "GroupBox"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);

private:
    QGroupBox* box_;
    std::string caption_;
};

}  // namespace fw

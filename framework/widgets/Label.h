#pragma once
// A line of static text.
#include "framework/widgets/Control.h"

class QLabel;

namespace fw {

class Label : public RectControl {
public:
    // The numbering of TextAlignment.
    enum : std::int64_t { kAlignDefault = 0, kAlignLeft = 1, kAlignCenter = 2, kAlignRight = 3 };

    Label();
    std::string FrameworkClassName() const override { return "Label"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    std::int64_t TextAlignment() const { return alignment_; }
    void SetTextAlignment(std::int64_t value);
    Color TextColor() const { return color_; }
    void SetTextColor(Color value);

private:
    QLabel* label_;
    std::string text_;
    std::int64_t alignment_ = kAlignDefault;
    Color color_{};
};

}  // namespace fw

#pragma once
// A one-line editable text. Typing needs no handler; the standard Edit
// menu items act on it while it has the focus.
#include "framework/widgets/Control.h"

class QLineEdit;

namespace fw {

class TextField : public RectControl {
public:
    TextField();
    std::string FrameworkClassName() const override { return "TextField"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    std::string Text() const;
    void SetText(const std::string& value);
    bool ReadOnly() const;

private:
    void SetColor(int role, Color value);
    QLineEdit* field_;
};

}  // namespace fw

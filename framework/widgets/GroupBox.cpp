#include "framework/widgets/GroupBox.h"

#include <QGroupBox>

#include "framework/core/MainThread_p.h"

namespace fw {

GroupBox::GroupBox() : RectControl(new QGroupBox()) { box_ = static_cast<QGroupBox*>(Widget()); }

void GroupBox::SetCaption(const std::string& value) {
    CheckMainThread();
    caption_ = value;
    box_->setTitle(QString::fromStdString(value));
}

void GroupBox::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Caption")
        SetCaption(AsString(name, value));
    else if (SetFontProperty(name, value))
        return;
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw

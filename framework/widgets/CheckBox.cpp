#include "framework/widgets/CheckBox.h"

#include <QCheckBox>

#include "framework/core/MainThread_p.h"

namespace fw {

CheckBox::CheckBox() : RectControl(new QCheckBox()) {
    box_ = static_cast<QCheckBox*>(Widget());
    QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
        if (auto self = SelfAs<CheckBox>()) Action.Raise(self);
    });
}

bool CheckBox::Value() const {
    CheckMainThread();
    return box_->checkState() == Qt::Checked;
}

void CheckBox::SetValue(bool value) {
    CheckMainThread();
    box_->setTristate(false);
    box_->setCheckState(value ? Qt::Checked : Qt::Unchecked);
}

std::int64_t CheckBox::VisualState() const {
    CheckMainThread();
    switch (box_->checkState()) {
        case Qt::Checked:
            return kChecked;
        case Qt::PartiallyChecked:
            return kIndeterminate;
        default:
            return kUnchecked;
    }
}

void CheckBox::SetVisualState(std::int64_t value) {
    CheckMainThread();
    if (value == kIndeterminate) {
        box_->setTristate(true);
        box_->setCheckState(Qt::PartiallyChecked);
    } else {
        SetValue(value == kChecked);
    }
}

void CheckBox::SetCaption(const std::string& value) {
    CheckMainThread();
    caption_ = value;
    box_->setText(QString::fromStdString(value));
}

void CheckBox::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Caption")
        SetCaption(AsString(name, value));
    else if (name == "VisualState")
        SetVisualState(AsInteger(name, value));
    else if (name == "Value")
        SetValue(AsBool(name, value));
    else if (name == "DataField" || name == "DataSource")
        AsString(name, value);
    else if (SetFontProperty(name, value))
        return;
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw

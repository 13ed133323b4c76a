#include "framework/widgets/PushButton.h"

#include <QPushButton>

#include "framework/core/MainThread_p.h"

namespace fw {

PushButton::PushButton() : RectControl(new QPushButton()) {
    button_ = static_cast<QPushButton*>(Widget());
    button_->setAutoDefault(false);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] {
        if (auto self = SelfAs<PushButton>()) Action.Raise(self);
    });
}

void PushButton::SetCaption(const std::string& value) {
    CheckMainThread();
    caption_ = value;
    button_->setText(QString::fromStdString(value));
}

bool PushButton::Default() const { return button_->isDefault(); }

void PushButton::SetDefault(bool value) {
    CheckMainThread();
    button_->setDefault(value);
}

void PushButton::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Caption")
        SetCaption(AsString(name, value));
    else if (name == "Default")
        SetDefault(AsBool(name, value));
    else if (name == "Cancel")
        cancel_ = AsBool(name, value);
    else if (name == "MacButtonStyle")
        AsInteger(name, value);
    else if (SetFontProperty(name, value))
        return;
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw

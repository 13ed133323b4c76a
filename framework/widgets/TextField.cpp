#include "framework/widgets/TextField.h"

#include <QApplication>
#include <QLineEdit>

#include <limits>

#include "framework/core/MainThread_p.h"
#include "framework/menus/MenuItem.h"
#include "framework/painting/GraphicsQt_p.h"
#include "framework/widgets/Label.h"

namespace fw {

TextField::TextField() : RectControl(new QLineEdit()) {
    field_ = static_cast<QLineEdit*>(Widget());
    // The Edit items follow what the focused field can do.
    static const bool watchingFocus = [] {
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [] { RefreshMenuItems(); });
        return true;
    }();
    (void)watchingFocus;
    QObject::connect(field_, &QLineEdit::textChanged, field_, [] { RefreshMenuItems(); });
    QObject::connect(field_, &QLineEdit::selectionChanged, field_, [] { RefreshMenuItems(); });
}

std::string TextField::Text() const {
    CheckMainThread();
    return field_->text().toStdString();
}

void TextField::SetText(const std::string& value) {
    CheckMainThread();
    field_->setText(QString::fromStdString(value));
}

bool TextField::ReadOnly() const { return field_->isReadOnly(); }

void TextField::SetColor(int role, Color value) {
    QPalette palette = field_->palette();
    palette.setColor(QPalette::ColorRole(role), ToQColor(value));
    field_->setPalette(palette);
}

void TextField::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Text")
        SetText(AsString(name, value));
    else if (name == "HasBorder")
        field_->setFrame(AsBool(name, value));
    else if (name == "BackgroundColor")
        SetColor(QPalette::Base, AsColor(name, value));
    else if (name == "TextColor")
        SetColor(QPalette::Text, AsColor(name, value));
    else if (name == "Password")
        field_->setEchoMode(AsBool(name, value) ? QLineEdit::Password : QLineEdit::Normal);
    else if (name == "ReadOnly")
        field_->setReadOnly(AsBool(name, value));
    else if (name == "Hint")
        field_->setPlaceholderText(QString::fromStdString(AsString(name, value)));
    else if (name == "MaximumCharactersAllowed") {
        const std::int64_t n = AsInteger(name, value);
        field_->setMaxLength(n <= 0 || n > std::numeric_limits<int>::max() ? 32767 : int(n));
    } else if (name == "TextAlignment") {
        const std::int64_t a = AsInteger(name, value);
        field_->setAlignment((a == Label::kAlignCenter  ? Qt::AlignHCenter
                              : a == Label::kAlignRight ? Qt::AlignRight
                                                        : Qt::AlignLeft) |
                             Qt::AlignVCenter);
    } else if (name == "Format" || name == "ValidationMask" || name == "DataField" || name == "DataSource") {
        AsString(name, value);
    } else if (name == "AllowTabs" || name == "AllowSpellChecking" || name == "AllowFocusRing") {
        AsBool(name, value);
    } else if (SetFontProperty(name, value)) {
        return;
    } else {
        RectControl::SetProperty(name, value);
    }
}

}  // namespace fw

#include "framework/widgets/Label.h"

#include <QLabel>
#include <QPainter>

#include "framework/core/MainThread_p.h"
#include "framework/painting/GraphicsQt_p.h"

namespace fw {

namespace {

// One line of text wider than its box is drawn smaller until it fits,
// rather than cut off at the box's edges.
class FittingLabel final : public QLabel {
protected:
    void paintEvent(QPaintEvent* event) override {
        const QRect box = contentsRect().adjusted(1, 0, -1, 0);
        if (wordWrap() || text().isEmpty() || fontMetrics().horizontalAdvance(text()) <= box.width()) {
            return QLabel::paintEvent(event);
        }
        QFont smaller = font();
        int size = QFontInfo(smaller).pixelSize();
        do {
            smaller.setPixelSize(--size);
        } while (size > kSmallest && QFontMetrics(smaller).horizontalAdvance(text()) > box.width());
        QPainter painter(this);
        painter.setFont(smaller);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
        painter.drawText(box, int(alignment()), text());
    }

private:
    static constexpr int kSmallest = 6;
};

}  // namespace

Label::Label() : RectControl(new FittingLabel()) {
    label_ = static_cast<QLabel*>(Widget());
    label_->setTextFormat(Qt::PlainText);
    SetTextAlignment(kAlignDefault);
}

void Label::SetText(const std::string& value) {
    CheckMainThread();
    text_ = value;
    label_->setText(QString::fromStdString(value));
}

void Label::SetTextAlignment(std::int64_t value) {
    CheckMainThread();
    alignment_ = value;
    Qt::Alignment h = Qt::AlignLeft;
    if (value == kAlignCenter)
        h = Qt::AlignHCenter;
    else if (value == kAlignRight)
        h = Qt::AlignRight;
    label_->setAlignment(h | Qt::AlignVCenter);
}

void Label::SetTextColor(Color value) {
    CheckMainThread();
    color_ = value;
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(value));
    label_->setPalette(palette);
}

void Label::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "Text")
        SetText(AsString(name, value));
    else if (name == "TextAlignment")
        SetTextAlignment(AsInteger(name, value));
    else if (name == "TextColor")
        SetTextColor(AsColor(name, value));
    else if (name == "Multiline")
        label_->setWordWrap(AsBool(name, value));
    else if (name == "Selectable") {
        label_->setTextInteractionFlags(AsBool(name, value) ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    } else if (name == "DataField" || name == "DataSource")
        AsString(name, value);
    else if (SetFontProperty(name, value))
        return;
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw

#include "framework/widgets/UpDownArrows.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include "framework/core/MainThread_p.h"

namespace fw {

class ArrowsWidget final : public QWidget {
public:
    UpDownArrows* owner = nullptr;
    int pressed = 0;  // 1 upper, -1 lower arrow held

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int half = height() / 2;
        const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
        for (int i = 0; i < 2; ++i) {
            QStyleOption option;
            option.initFrom(this);
            option.rect = halves[i];
            const bool down = (i == 0 && pressed == 1) || (i == 1 && pressed == -1);
            option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
            style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
            option.rect = halves[i].adjusted(2, 2, -2, -2);
            style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &option,
                                   &painter, this);
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (!owner || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        pressed = event->position().y() < height() / 2.0 ? 1 : -1;
        update();
        if (auto self = owner->SelfAs<UpDownArrows>()) {
            if (pressed == 1)
                self->Up.Raise(self);
            else
                self->Down.Raise(self);
        }
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        pressed = 0;
        update();
        QWidget::mouseReleaseEvent(event);
    }
};

UpDownArrows::UpDownArrows() : RectControl(new ArrowsWidget()) {
    arrows_ = static_cast<ArrowsWidget*>(Widget());
    arrows_->owner = this;
    arrows_->setFocusPolicy(Qt::NoFocus);
}

UpDownArrows::~UpDownArrows() {
    if (QtAlive() && Widget()) arrows_->owner = nullptr;
}

void UpDownArrows::SetProperty(const std::string& name, const PropertyValue& value) {
    CheckMainThread();
    if (name == "AllowFocus")
        arrows_->setFocusPolicy(AsBool(name, value) ? Qt::StrongFocus : Qt::NoFocus);
    else
        RectControl::SetProperty(name, value);
}

}  // namespace fw

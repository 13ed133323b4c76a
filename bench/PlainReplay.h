#pragma once
// The recorded drawing calls replayed the plain way a Qt viewer draws them:
// one antialiased QPainter on an RGB32 image, lines offset by half a pixel.
// The yardstick of the rendering benchmarks.
#include <QImage>
#include <QPainter>
#include <QString>

#include <sstream>
#include <string>
#include <vector>

namespace scenes {

struct PlainCall {
    enum class Kind { Color, Rect, Oval, Line, Text } kind;
    double a = 0, b = 0, c = 0, d = 0;
    QColor color;
    QString text;
};

// The recorder's lines as calls; lines of other kinds are left out.
inline std::vector<PlainCall> ParseCalls(const std::vector<std::string>& lines) {
    std::vector<PlainCall> calls;
    for (const std::string& line : lines) {
        std::istringstream in(line);
        std::string name;
        in >> name;
        PlainCall call{PlainCall::Kind::Color, 0, 0, 0, 0, {}, {}};
        if (name == "ForeColor") {
            int r = 0, g = 0, b = 0;
            in >> r >> g >> b;
            call.color = QColor(r, g, b);
        } else if (name == "FillRect" || name == "FillOval" || name == "DrawLine") {
            call.kind = name == "FillRect"   ? PlainCall::Kind::Rect
                        : name == "FillOval" ? PlainCall::Kind::Oval
                                             : PlainCall::Kind::Line;
            in >> call.a >> call.b >> call.c >> call.d;
        } else if (name == "DrawString") {
            // "DrawString <text> <x> <y>": the text may hold spaces, the numbers do not.
            const auto y = line.rfind(' '), x = line.rfind(' ', y - 1);
            call.kind = PlainCall::Kind::Text;
            call.text = QString::fromStdString(line.substr(11, x - 11));
            call.a = std::stod(line.substr(x + 1, y - x - 1));
            call.b = std::stod(line.substr(y + 1));
        } else {
            continue;
        }
        calls.push_back(call);
    }
    return calls;
}

inline void PlainReplay(QImage& image, const std::vector<PlainCall>& calls) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QColor color;
    for (const PlainCall& call : calls) {
        switch (call.kind) {
            case PlainCall::Kind::Color:
                color = call.color;
                break;
            case PlainCall::Kind::Rect:
                painter.fillRect(QRectF(call.a, call.b, call.c, call.d), color);
                break;
            case PlainCall::Kind::Oval:
                painter.setPen(Qt::NoPen);
                painter.setBrush(color);
                painter.drawEllipse(QRectF(call.a, call.b, call.c, call.d));
                break;
            case PlainCall::Kind::Line:
                painter.setPen(QPen(color, 1.0, Qt::SolidLine, Qt::SquareCap));
                painter.drawLine(QPointF(call.a + 0.5, call.b + 0.5), QPointF(call.c + 0.5, call.d + 0.5));
                break;
            case PlainCall::Kind::Text:
                painter.setPen(color);
                painter.drawText(QPointF(call.a, call.b), call.text);
                break;
        }
    }
}

}  // namespace scenes

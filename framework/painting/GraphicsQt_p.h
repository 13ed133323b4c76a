#pragma once
// Framework-internal: how drawing contexts and pictures sit on Qt.
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/painting/Graphics.h"
#include "framework/painting/Picture.h"

class QPainter;

namespace fw {

// One drawing call, kept until the picture's pixels are needed. Small, since
// a rendering makes thousands; text and pictures are kept aside.
struct DrawOp {
    enum class Kind : std::uint8_t { Rect, Oval, Line, Text, Image } kind;
    QRgb rgb;                           // opaque
    double a = 0, b = 0, c = 0, d = 0;  // x, y, w, h or x1, y1, x2, y2

    struct Extra {
        QString text;
        PicturePtr picture;
        double sx = 0, sy = 0, sw = 0, sh = 0;
    };
    std::unique_ptr<Extra> extra;  // Text and Image only
};

// A line's pen and cap reach this far past its ends.
inline constexpr double kLineMargin = 2.0;

// Cuts the segment to the rectangle; false when nothing (finite) is left.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, const QRectF& r);

// Whether a line (in points, cut to the picture) is drawn as one of no
// length, the pixel at its coordinates: at scale device pixels per point both
// its ends lie on one 1/64 of a device pixel, and the painter's thin-pen
// stroker, which counts in those, would leave it out altogether.
bool HasNoLength(double x1, double y1, double x2, double y2, double scale);

// Draws one call on a painter whose target covers bounds (in points), after
// clipping it in double precision: Qt's raster engine is only exact within
// a limited coordinate range.
void RasterizeOp(QPainter& painter, const DrawOp& op, const QRectF& bounds);
void PreparePainter(QPainter& painter);

struct Graphics::Impl {
    virtual ~Impl() = default;
    virtual void Submit(DrawOp&& op) = 0;

    Color fore{};
    std::vector<std::string>* recorder = nullptr;
};

// A context that paints straight onto a painter (a canvas during Paint).
std::unique_ptr<Graphics> MakePainterGraphics(QPainter& painter, const QRectF& bounds);

struct Picture::Impl {
    std::int64_t width = 0, height = 0, depth = 0;
    double ratio = 1.0;
    QImage image;                 // device pixels
    std::vector<DrawOp> pending;  // calls not yet turned into pixels
    std::unique_ptr<fw::Graphics> graphics;

    // What earlier renderings left: outside one column range per strip of
    // kStripRows rows every pixel has the colour clean, so a fill of the whole
    // picture in that colour need only repaint the ranges.
    static constexpr int kStripRows = 8;
    QRgb clean = 0;
    std::vector<std::pair<int, int>> dirty;  // [first, last) columns, per strip
    void MarkAllDirty();

    void Add(DrawOp&& op);
    // The pixels, with every pending call drawn.
    const QImage& Image();
};

QColor ToQColor(Color c);
QRgb ToRgb(Color c);

// Tests and benchmarks: at most this many threads turn a picture's calls into
// pixels; 0 means one per core.
void SetRenderThreads(int count);
// Tests: pictures draw every call with one plain painter, as they used to, so
// that the faster way can be held against it.
void SetReferenceRendering(bool on);

}  // namespace fw

// The frame the main window shows holds the picture's own device pixels:
// at any device pixel ratio of the screen (ctest runs it at 1 and, with
// QT_SCALE_FACTOR=2, at 2) it matches the plain painter's rendering of the
// same calls.
#include <QBackingStore>

#include "tests/support/ImageCompare.h"
#include "tests/support/MainWindowFixture.h"

namespace {

struct CanvasFrame : MainWindowTest {
    CanvasFrame() { hiDPI = true; }  // pictures at the screen's ratio, as start-up makes them
};

TEST_F(CanvasFrame, ShowsThePicturesDevicePixelsAsThePlainPainterDrawsThem) {
    Load(KZP_TEST_DATA "/app/pen_lines.kzp");
    w->CBpunkte()->SetValue(true);  // dots too, beside lines, axes and labels
    Module1::zeichnen();
    QApplication::processEvents();
    QWidget* canvas = w->CAhaupt()->Widget();
    const qreal ratio = canvas->devicePixelRatioF();
    ASSERT_EQ(fw::Picture::DevicePixelRatio(), ratio);
    // What the window's pixels hold now, not a fresh rendering of the widget
    // (the offscreen screen's grab is cut to the window's size in points).
    QPaintDevice* pixels = canvas->window()->backingStore()->paintDevice();
    ASSERT_EQ(pixels->devType(), QInternal::Image);
    const QPoint at = canvas->mapTo(canvas->window(), QPoint(0, 0)) * ratio;
    const QImage frame =
        static_cast<QImage*>(pixels)->copy(QRect(at, canvas->size() * ratio)).convertToFormat(QImage::Format_RGB32);
    Module1::zeichnen();
    const QImage plain = testing_support::Pixels(Module1::zebild, true);
    ASSERT_EQ(frame.size(), plain.size());
    const auto d = testing_support::Compare(plain, frame);
    EXPECT_EQ(d.solid, 0);
    EXPECT_LE(d.maxChannel, testing_support::kEdgeTolerance) << d.differing << " pixels differ";
    EXPECT_TRUE(reports.empty());
}

}  // namespace

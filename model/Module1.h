#pragma once
// The drawing model: the whole state of the viewer as module-wide variables,
// the reader that fills the tables and the renderer that draws them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/core/Table.h"
#include "framework/painting/Picture.h"

namespace Module1 {

// Last row of both tables: at most this many points and line records.
inline constexpr std::int64_t kLastRow = 3000;
// Where the data origin stands at start and after "reset".
inline constexpr std::int64_t kStartOrigx = 20;
inline constexpr std::int64_t kStartOrigy = 380;

extern std::int64_t breite;      // picture width in pixels
extern std::int64_t hoehe;       // picture height in pixels
extern std::int64_t origx;       // pixel column of the data origin
extern std::int64_t origy;       // pixel row of the data origin
extern std::int64_t zoomfaktor;  // pixels per data unit, at least 1
extern std::int64_t mausx;       // pan anchor
extern std::int64_t mausy;
extern std::int64_t anzpkt;              // points in rows 1..anzpkt of punkt
extern std::int64_t anzlin;              // line records in rows 1..anzlin of linie
extern fw::Table2D<double> punkt;        // row i: x in column 1, y in column 2
extern fw::Table2D<std::int64_t> linie;  // row k: point index in column 1, pen code in column 2
extern fw::PicturePtr zebild;            // the off-screen picture

// What the model needs of the main window. The window implements it; tests
// and the probe install their own.
class HauptView {
public:
    virtual ~HauptView() = default;
    virtual bool CBpunkteValue() = 0;
    virtual bool CBlinienValue() = 0;
    virtual bool CBachsenValue() = 0;
    virtual void SetEFzoomText(const std::string& text) = 0;
    virtual void InvalidateCAhaupt() = 0;
};

// The main window's one instance, asked for anew at every use, as the
// window's own getter would be.
using HauptGetter = std::function<std::shared_ptr<HauptView>()>;
void SetHauptGetter(HauptGetter getter);
// Raises NilObjectException when there is no window.
std::shared_ptr<HauptView> Haupt();

// Gives every variable its start value; start-up runs it once, before any window.
void RunInitializers();

// New picture of breite x hoehe, the zoom factor shown, a new rendering.
void init();
// Renders the whole scene into zebild and asks the canvas to repaint.
void zeichnen();
// Lets the user choose a point-and-line file and reads it into the tables.
void datenlesen();

}  // namespace Module1

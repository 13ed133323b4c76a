#include "model/Module1.h"

#include "framework/core/Exceptions.h"
#include "framework/text/Text.h"

namespace Module1 {

std::int64_t breite = 400;
std::int64_t hoehe = 400;
std::int64_t origx = kStartOrigx;
std::int64_t origy = kStartOrigy;
std::int64_t zoomfaktor = 50;
std::int64_t mausx = 0;
std::int64_t mausy = 0;
std::int64_t anzpkt = 0;
std::int64_t anzlin = 0;
fw::Table2D<double> punkt(kLastRow, 2);
fw::Table2D<std::int64_t> linie(kLastRow, 2);
fw::PicturePtr zebild;

namespace {
HauptGetter gHauptGetter;
}

void SetHauptGetter(HauptGetter getter) { gHauptGetter = std::move(getter); }

std::shared_ptr<HauptView> Haupt() {
    std::shared_ptr<HauptView> view = gHauptGetter ? gHauptGetter() : nullptr;
    if (!view) throw fw::NilObjectException("Das Hauptfenster ist nicht vorhanden.");
    return view;
}

void RunInitializers() {
    // In the order of the start-up table; no initialiser reads another variable.
    anzlin = 0;
    anzpkt = 0;
    breite = 400;
    hoehe = 400;
    linie = fw::Table2D<std::int64_t>(kLastRow, 2);
    mausx = 0;
    mausy = 0;
    origx = kStartOrigx;
    origy = kStartOrigy;
    punkt = fw::Table2D<double>(kLastRow, 2);
    zebild = nullptr;
    zoomfaktor = 50;
}

void init() {
    // zebild is replaced only once the new picture exists.
    fw::PicturePtr picture = fw::Picture::Create(breite, hoehe, 16);
    zebild = std::move(picture);
    Haupt()->SetEFzoomText(fw::Str(zoomfaktor));
    zeichnen();
}

}  // namespace Module1

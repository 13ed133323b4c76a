#pragma once
// Framework-internal: turns a picture's pending calls into pixels, in
// horizontal bands that run in parallel. The dots and 1-pixel lines the
// drawing model issues by the thousand get code made for exactly those shapes;
// every other call goes to a painter, as before.
#include <QImage>

#include <vector>

#include "framework/GraphicsQt.h"

namespace fw {

// Draws ops, in order, onto image (RGB32, one device pixel per point).
void RasterizeInBands(QImage& image, const std::vector<DrawOp>& ops, int threads);

}  // namespace fw

#pragma once
// Framework-internal: turns a picture's pending calls into pixels, in
// horizontal bands that run in parallel (RasterBands.cpp). The dots and
// 1-pixel lines the drawing model issues by the thousand get code made for
// exactly those shapes (RasterShapes_p.h); every other call goes to a painter.
#include <QImage>

#include <functional>
#include <vector>

#include "framework/painting/GraphicsQt_p.h"

namespace fw {

// Draws ops, in order, onto the picture's image (RGB32, at the picture's
// device pixel ratio), and keeps its record of what is left to clear.
void RasterizeInBands(Picture::Impl& picture, const std::vector<DrawOp>& ops, int threads);

// Runs task(0) .. task(count - 1) on every core, this thread among them, and
// returns when all are done.
void RunInParallel(int count, const std::function<void(int)>& task);

}  // namespace fw

#pragma once
// An off-screen picture with one persistent drawing context. Whatever depth
// is asked for, pixels are stored opaque at 32 bits.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/painting/Color.h"
#include "framework/painting/Graphics.h"

namespace fw {

class Picture {
public:
    // Raises UnsupportedFormatException for a size it cannot make.
    static PicturePtr Create(std::int64_t width, std::int64_t height, std::int64_t depth);
    // A picture file of the program's resources: the folder "resources"
    // beside the executable, then the installed "../share/kzp-viewer";
    // nullptr when it is in neither or cannot be read.
    static PicturePtr OpenFromApp(const std::string& name);
    // Tests: the folders OpenFromApp searches instead; empty restores the
    // program's own.
    static void SetAppFolders(std::vector<std::string> folders);
    // How many files OpenFromApp has read (or tried to decode) so far.
    static std::int64_t AppFileReads();

    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    std::int64_t Width() const;
    std::int64_t Height() const;
    std::int64_t Depth() const;
    fw::Graphics& Graphics();

    // The colour of the pixel at (x, y) in points; for tests and the probe.
    Color Pixel(std::int64_t x, std::int64_t y);
    // Writes the picture as PNG; false when it cannot.
    bool SavePng(const std::string& path);

    // Pictures made from now on have this many device pixels per point.
    static void SetDevicePixelRatio(double ratio);
    static double DevicePixelRatio();

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    explicit Picture(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw

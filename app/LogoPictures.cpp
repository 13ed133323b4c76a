#include "app/LogoPictures.h"

#include "framework/painting/Picture.h"

namespace LogoPictures {

std::uint8_t kzpLogoInit = 0;
fw::PicturePtr kzpLogoPic;
std::uint8_t makerLogoInit = 0;
fw::PicturePtr makerLogoPic;

namespace {

fw::PicturePtr Cached(std::uint8_t& init, fw::PicturePtr& pic, const char* file) {
    if (init == 0) {
        init = 1;
        pic = nullptr;
    }
    // A nil result is not cached: the next about window tries the file again.
    if (!pic) pic = fw::Picture::OpenFromApp(file);
    return pic;
}

}  // namespace

}  // namespace LogoPictures

fw::PicturePtr KZPlogo160() {
    using namespace LogoPictures;
    return Cached(kzpLogoInit, kzpLogoPic, "KZPlogo160.jpg");
}

fw::PicturePtr brevomark100px() {
    using namespace LogoPictures;
    return Cached(makerLogoInit, makerLogoPic, "brevomark-100px.jpg");
}

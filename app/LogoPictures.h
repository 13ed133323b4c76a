#pragma once
// The about window's two logos, each read from its file once and then handed
// out from its cache. A file that cannot be read gives nil and is tried again
// on the next call.
#include <cstdint>

#include "framework/painting/Graphics.h"

// The program logo, "KZPlogo160.jpg".
fw::PicturePtr KZPlogo160();
// The maker's logo, "brevomark-100px.jpg".
fw::PicturePtr brevomark100px();

// Each getter's flag (0: the cache has not been set up in this run) and
// cache. Tests set a flag back to 0 to start a getter afresh.
namespace LogoPictures {
extern std::uint8_t kzpLogoInit;
extern fw::PicturePtr kzpLogoPic;
extern std::uint8_t makerLogoInit;
extern fw::PicturePtr makerLogoPic;
}  // namespace LogoPictures

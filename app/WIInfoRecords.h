#pragma once
// Property records of the about window and its six controls, in the order
// the window creates them.
#include <string_view>

#include "app/RecordForms.h"

namespace WIInfoRecords {

using namespace RecordForms;

// The maker's notice at the bottom right; one line, it must fit 140 x 20 at size 9.
inline constexpr std::string_view kNotice = "(c) 2026 KZP-Viewer-Team";

inline constexpr auto kWindow = WindowRecord({
    .width = 238,
    .height = 316,
    .minimumWidth = 64,
    .minimumHeight = 64,
    .maximumWidth = 32000,
    .maximumHeight = 32000,
    .type = 0,
    .title = "Info",
    .hasCloseButton = true,
    .hasMaximizeButton = false,
    .hasMinimizeButton = true,
    .hasFullScreenButton = false,
    .resizeable = false,
    .composite = false,
    .macProcID = 0,
    .fullScreen = false,
    .defaultLocation = 0,
    .visible = true,
    .hasBackgroundColor = true,
    .backgroundColor = kWhite,
    .menuBarVisible = true,
    .liveResize = false,
});
static_assert(kWindow.size() == 371);

inline constexpr auto kPushButton1 =
    PushButtonRecord({.name = "PushButton1", .left = 85, .top = 270, .width = 69, .height = 20, .tabIndex = 0},
                     {.macButtonStyle = 0,
                      .cancel = false,
                      .caption = "OK",
                      .isDefault = true,
                      .transparent = true,
                      .font = {.fontSize = 12.0f}});
static_assert(kPushButton1.size() == 381);

// The picture is set by code, before the record.
inline constexpr auto kImageWell1 = ImageWellRecord(
    {.name = "ImageWell1", .left = 39, .top = 51, .width = 160, .height = 160, .tabIndex = 3}, {.transparent = true});
static_assert(kImageWell1.size() == 259);

// One pixel above the content area, as laid out; the backdrop is set by code.
inline constexpr auto kCanvas1 = CanvasRecord(
    {.name = "Canvas1", .left = 0, .top = -1, .width = 100, .height = 50, .tabIndex = 5},
    {.allowFocusRing = true, .allowFocus = false, .allowTabs = false, .transparent = true, .doubleBuffer = false});
static_assert(kCanvas1.size() == 322);

inline constexpr auto kLabel1 = LabelRecord({.name = "Label1",
                                             .left = 69,
                                             .top = 223,
                                             .width = 100,
                                             .height = 20,
                                             .lockLeft = true,
                                             .lockTop = true,
                                             .tabIndex = 6},
                                            {.multiline = false,
                                             .selectable = false,
                                             .textAlignment = 2,
                                             .textColor = kBlack,
                                             .transparent = false,
                                             .text = "KZP-Viewer",
                                             .font = {.fontSize = 16.0f, .bold = true}});
static_assert(kLabel1.size() == 429);

inline constexpr auto kLabel2 = LabelRecord({.name = "Label2",
                                             .left = 69,
                                             .top = 246,
                                             .width = 100,
                                             .height = 20,
                                             .lockLeft = true,
                                             .lockTop = true,
                                             .tabIndex = 7},
                                            {.multiline = false,
                                             .selectable = false,
                                             .textAlignment = 2,
                                             .textColor = kBlack,
                                             .transparent = false,
                                             .text = "Version 2.0",
                                             .font = {.fontSize = 0.0f}});
static_assert(kLabel2.size() == 430);

// Its box ends at the window's right and bottom edges.
inline constexpr auto kLabel3 = LabelRecord({.name = "Label3",
                                             .left = 98,
                                             .top = 296,
                                             .width = 140,
                                             .height = 20,
                                             .lockLeft = true,
                                             .lockTop = true,
                                             .tabIndex = 8},
                                            {.multiline = false,
                                             .selectable = false,
                                             .textAlignment = 3,
                                             .textColor = kBlack,
                                             .transparent = false,
                                             .text = kNotice,
                                             .font = {.fontSize = 9.0f}});
static_assert(kLabel3.size() == 419 + kNotice.size());

}  // namespace WIInfoRecords

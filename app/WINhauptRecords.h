#pragma once
// Property records of the main window and of its eleven controls and timer,
// in the order the window creates them.
#include "app/RecordForms.h"

namespace WINhauptRecords {

using namespace RecordForms;

// The start size is also the smallest: the window only grows.
inline constexpr auto kWindow = WindowRecord({
    .width = 576,
    .height = 435,
    .minimumWidth = 576,
    .minimumHeight = 435,
    .maximumWidth = 32000,
    .maximumHeight = 32000,
    .type = 0,
    .title = "KZP-Viewer",
    .hasCloseButton = true,
    .hasMaximizeButton = false,
    .hasMinimizeButton = true,
    .hasFullScreenButton = false,
    .resizeable = true,
    .composite = false,
    .macProcID = 0,
    .fullScreen = false,
    .defaultLocation = 0,
    .visible = true,
    .hasBackgroundColor = false,
    .backgroundColor = kWhite,
    .menuBarVisible = true,
    .liveResize = false,
});
static_assert(kWindow.size() == 377);

inline constexpr auto kGroupBox1 =
    GroupBoxRecord({.name = "GroupBox1", .left = 16, .top = 15, .width = 132, .height = 97, .tabIndex = 0},
                   {.caption = "Anzeige", .transparent = true});
static_assert(kGroupBox1.size() == 344);

inline constexpr auto kCBpunkte = CheckBoxRecord(
    {.name = "CBpunkte", .left = 27, .top = 37, .width = 72, .height = 22, .tabIndex = 0, .initialParent = "GroupBox1"},
    {.caption = "Punkte", .transparent = true, .visualState = 0});
static_assert(kCBpunkte.size() == 400);

inline constexpr auto kCBlinien = CheckBoxRecord(
    {.name = "CBlinien", .left = 27, .top = 56, .width = 72, .height = 22, .tabIndex = 1, .initialParent = "GroupBox1"},
    {.caption = "Linien", .transparent = true, .visualState = 1});
static_assert(kCBlinien.size() == 400);

inline constexpr auto kCBachsen = CheckBoxRecord({.name = "CBachsen",
                                                  .left = 27,
                                                  .top = 85,
                                                  .width = 114,
                                                  .height = 22,
                                                  .tabIndex = 2,
                                                  .initialParent = "GroupBox1"},
                                                 {.caption = "Achsen", .transparent = true, .visualState = 1});
static_assert(kCBachsen.size() == 400);

inline constexpr auto kGroupBox2 =
    GroupBoxRecord({.name = "GroupBox2", .left = 16, .top = 124, .width = 132, .height = 95, .tabIndex = 1},
                   {.caption = "Ansicht", .transparent = true});
static_assert(kGroupBox2.size() == 344);

inline constexpr auto kPushButton1 = PushButtonRecord(
    {.name = "PushButton1",
     .left = 49,
     .top = 187,
     .width = 68,
     .height = 20,
     .tabIndex = 0,
     .initialParent = "GroupBox2"},
    {.macButtonStyle = 0, .cancel = false, .caption = "reset", .isDefault = false, .transparent = true});
static_assert(kPushButton1.size() == 393);

inline constexpr auto kUPDzoom = UpDownArrowsRecord({.name = "UPDzoom",
                                                     .left = 121,
                                                     .top = 153,
                                                     .width = 13,
                                                     .height = 23,
                                                     .tabIndex = 1,
                                                     .initialParent = "GroupBox2"},
                                                    {.transparent = true, .allowFocus = false});
static_assert(kUPDzoom.size() == 277);

inline constexpr auto kLabel1 = LabelRecord({.name = "Label1",
                                             .left = 28,
                                             .top = 153,
                                             .width = 43,
                                             .height = 20,
                                             .lockLeft = true,
                                             .lockTop = true,
                                             .tabIndex = 3,
                                             .initialParent = "GroupBox2"},
                                            {.multiline = false,
                                             .selectable = false,
                                             .textAlignment = 0,
                                             .textColor = kBlack,
                                             .transparent = false,
                                             .text = "Zoom"});
static_assert(kLabel1.size() == 432);

// Typing into the field changes nothing; the program writes its text.
inline constexpr auto kEFzoom = TextFieldRecord({.name = "EFzoom",
                                                 .left = 72,
                                                 .top = 153,
                                                 .width = 41,
                                                 .height = 22,
                                                 .lockLeft = true,
                                                 .lockTop = true,
                                                 .tabIndex = 4,
                                                 .initialParent = "GroupBox2"},
                                                {.backgroundColor = kWhite,
                                                 .hasBorder = true,
                                                 .format = "",
                                                 .password = false,
                                                 .textColor = kBlack,
                                                 .transparent = false,
                                                 .allowFocusRing = true,
                                                 .hint = "",
                                                 .text = "",
                                                 .allowTabs = false,
                                                 .textAlignment = 0,
                                                 .allowSpellChecking = false,
                                                 .maximumCharactersAllowed = 0,
                                                 .validationMask = "",
                                                 .readOnly = false});
static_assert(kEFzoom.size() == 575);

// Locked on all four sides: it grows with the window.
inline constexpr auto kCAhaupt = CanvasRecord(
    {.name = "CAhaupt",
     .left = 156,
     .top = 15,
     .width = 400,
     .height = 400,
     .lockLeft = true,
     .lockTop = true,
     .lockRight = true,
     .lockBottom = true,
     .tabIndex = 2},
    {.allowFocusRing = true, .allowFocus = false, .allowTabs = false, .transparent = true, .doubleBuffer = false});
static_assert(kCAhaupt.size() == 322);

inline constexpr auto kPushButton2 = PushButtonRecord(
    {.name = "PushButton2", .left = 29, .top = 304, .width = 109, .height = 20, .tabIndex = 3},
    {.macButtonStyle = 0, .cancel = false, .caption = "KZP laden", .isDefault = false, .transparent = true});
static_assert(kPushButton2.size() == 388);

// One redraw half a second after the window is built, then idle.
inline constexpr auto kTimer1 = TimerRecord({.runMode = 1, .period = 500, .enabled = true});
static_assert(kTimer1.size() == 40);

}  // namespace WINhauptRecords

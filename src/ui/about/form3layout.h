// SPDX-License-Identifier: MIT
#pragma once

#include "platform/forms/formlayout.h"
#include "ui/about/abouttexts.h"

#include <array>

namespace ui {

// The maker about window as designed. The rule is longer than the window is
// wide and is cut off at its right edge; the button reaches into the text's
// box and is drawn above it.
inline constexpr std::array<platform::ControlDesign, 4> form3Controls{{
    // family, name, left, top, width, height, text, tab index, stack place
    {platform::Family::Image, "Image1", 360, 120, 5190, 930, ":/wordmark.bmp", -1, 3},
    {platform::Family::Line, "Line1", 0, 1080, 6360, 0, {}, -1, 2},
    {platform::Family::Label, "Label1", 360, 1320, 5175, 855, makerText, 0, 1},
    {platform::Family::Button, "Command1", 4800, 2160, 975, 255, "Close", 1, 0},
}};

inline constexpr platform::FormDesign form3{
    .name = "Form3",
    .caption = "",
    .clientWidth = 5910,
    .clientHeight = 2520,
    .background = platform::noBackground,
    .wrapLabels = true,
    .controls = form3Controls,
    .frame = platform::Frame::ToolWindow,
};

} // namespace ui

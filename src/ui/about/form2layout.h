// SPDX-License-Identifier: MIT
#pragma once

#include "platform/forms/formlayout.h"
#include "ui/about/abouttexts.h"

#include <array>

namespace ui {

// The product about window as designed. The button overlaps the text's lower
// right corner and is drawn above it.
inline constexpr std::array<platform::ControlDesign, 3> form2Controls{{
    // family, name, left, top, width, height, text, tab index, stack place,
    // fill, max length, reading, font
    {platform::Family::Label, "Label1", 1320, 240, 3255, 615, "Tillomar", 0, 1, 0, 0, platform::Reading::Caption, platform::FontRole::Title},
    {platform::Family::Label, "Label2", 240, 960, 5175, 1215, productText, 1, 2},
    {platform::Family::Button, "Command1", 4560, 2040, 975, 255, "Close", 2, 0},
}};

inline constexpr platform::FormDesign form2{
    .name = "Form2",
    .caption = "",
    .clientWidth = 5670,
    .clientHeight = 2415,
    .background = platform::noBackground,
    .wrapLabels = true,
    .controls = form2Controls,
    .frame = platform::Frame::ToolWindow,
};

} // namespace ui

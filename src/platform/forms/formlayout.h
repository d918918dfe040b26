// SPDX-License-Identifier: MIT
#pragma once

// A window's design: its settings and every control, as data. Positions and
// sizes are in twips from the client area's top-left corner, 15 to the
// device-independent pixel; the loader walks the table and builds the window.

#include "platform/desktop/windowframe.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

enum class Family : std::uint8_t { Text, Label, Line, Shape, Image, Button };

enum class FontRole : std::uint8_t { Default, Title };

// How a screen reader meets a label: by its caption as any other; as the
// value it shows, which is then its name and text; or not at all, for a mark
// that only structures the window ("=", "$").
enum class Reading : std::uint8_t { Caption, Value, Decorative };

struct ControlDesign
{
    Family family;
    std::string_view name;
    // A line runs from (left, top) to (left + width, top); its height is 0.
    int left;
    int top;
    int width;
    int height;
    // Labels and buttons: the caption. Images: the picture's resource path.
    std::string_view text = {};
    int tabIndex = -1;   // -1: the control has none
    int stackPlace = 0;  // 0 is the frontmost control
    std::uint32_t fill = 0; // shapes: 0xRRGGBB
    int maxLength = 0;   // count fields: 0 for no limit
    Reading reading = Reading::Caption;
    FontRole font = FontRole::Default;
};

struct FormDesign
{
    std::string_view name;
    std::string_view caption;
    int clientWidth;
    int clientHeight;
    std::uint32_t background; // 0xRRGGBB, or noBackground for the system's
    bool wrapLabels;          // labels wrap at word boundaries, else clip
    std::span<const ControlDesign> controls;
    // Where the client area's top-left corner goes on the screen, in twips;
    // without one the window system places the window.
    bool placed = false;
    int clientLeft = 0;
    int clientTop = 0;
    Frame frame = Frame::FixedSingle;
};

inline constexpr std::uint32_t noBackground = 0xFF000000u;

constexpr int twipsPerPixel = 15;

// Each value is converted on its own, to the nearest pixel.
constexpr int pixels(int twips)
{
    return (twips * 2 + (twips >= 0 ? twipsPerPixel : -twipsPerPixel)) / (2 * twipsPerPixel);
}

} // namespace platform

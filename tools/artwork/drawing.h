// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace artwork {

inline constexpr QRgb kIconGreen = 0xff008000;  // RGB(0,128,0)
inline constexpr QRgb kBannerBack = 0xffffffc0; // RGB(255,255,192)
inline constexpr QRgb kWordmarkBack = 0xffe0dfe3; // RGB(224,223,227)

inline constexpr int kArtWidth = 346;
inline constexpr int kArtHeight = 62;

// Geometry of the dollar sign at 1x, in whole pixels so the vertical strokes
// fall on pixel boundaries and stay crisp at every size.
struct DollarDesign {
    int width;       // ink box
    int height;      // ink box, strokes included
    int protrusion;  // how far the strokes stick out above and below the S
    int strokeLeft;  // x of the left stroke
    int strokeRight; // x of the right stroke
    int strokeWidth;
};

// 48 and 32 px icons share this glyph.
inline constexpr DollarDesign kLargeDollar{17, 29, 3, 5, 10, 2};
// 16 px icons need their own, otherwise the S fills up with strokes.
inline constexpr DollarDesign kSmallDollar{8, 15, 2, 2, 5, 1};

// The glyph alone, exactly (width*scale) x (height*scale), green with
// antialiased alpha, non-premultiplied ARGB32.
QImage dollarGlyph(const DollarDesign &design, int scale);

// Palette icons cannot blend, so every pixel is either fully inked or not.
QImage thresholded(const QImage &glyph);

// Puts the glyph in the middle of a transparent square (rounded down where
// the margins cannot be equal).
QImage iconCanvas(int size, const QImage &glyph);

QImage banner(int scale);
QImage wordmark(int scale);

// Smallest rectangle holding every pixel that differs from `background`.
QRect inkBox(const QImage &image, QRgb background);
// Smallest rectangle holding every pixel that is not fully transparent.
QRect alphaBox(const QImage &image);

} // namespace artwork

// SPDX-License-Identifier: MIT
#pragma once

// Points of the tally window's client area, away from any text, and the
// colour the design gives each: the same under every scale factor and theme.

#include <QColor>
#include <QImage>
#include <QPoint>

#include <array>

struct ColourProbe
{
    const char *name;
    QPoint point; // client-area pixels
    QColor colour;
};

inline const std::array<ColourProbe, 12> &tallyColourProbes()
{
    static const std::array<ColourProbe, 12> probes{{
        {"window background", {3, 3}, {255, 255, 192}},
        {"background right of the panels", {510, 200}, {255, 255, 192}},
        {"banner background", {90, 10}, {255, 255, 192}},
        {"starting panel", {20, 290}, {192, 192, 255}},
        {"ending panel", {265, 290}, {192, 192, 255}},
        {"summary panel", {145, 400}, {192, 192, 255}},
        {"panel outline", {8, 200}, {0, 0, 0}},
        {"display box", {236, 316}, {255, 255, 255}},
        {"display box outline", {176, 310}, {0, 0, 0}},
        {"row rule beside a field", {180, 88}, {0, 0, 0}},
        {"total rule", {250, 384}, {0, 0, 0}},
        {"below the total rule", {250, 385}, {192, 192, 255}},
    }};
    return probes;
}

// The colour at a client-area pixel of a grab taken at the device's ratio.
inline QColor colourAt(const QImage &shot, qreal ratio, QPoint point)
{
    return shot.pixelColor(int((point.x() + 0.5) * ratio), int((point.y() + 0.5) * ratio));
}

// SPDX-License-Identifier: MIT
#pragma once

// What the window tests share: a window shown and active, and a window's
// client area against a picture taken once from the program as designed,
// pixel for pixel, so that a control one pixel off, a wrong colour,
// stacking, font or line break shows. TILLOMAR_WRITE_REFERENCE=1 writes the
// pictures anew; they must then be looked at.

#include "ui/tally_window/tallywindow.h"

#include <QImage>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>

// A window built from its design (the tally window unless given),
// shown and active.
template<typename Window = ui::TallyWindow, typename... Design>
std::unique_ptr<Window> openWindow(const Design &...design)
{
    auto window = std::make_unique<Window>(design...);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("%s did not become active", qPrintable(window->objectName()));
    return window;
}

// How many pixels of two pictures differ, beyond the small differences in
// the glyphs' soft edges; -1 when the sizes differ. Writes NAME-actual.png
// and NAME-difference.png where any do.
inline int pixelsDiffering(const QImage &grab, const QImage &expected, const QString &name)
{
    const QImage shot = grab.convertToFormat(QImage::Format_RGB32);
    const QImage reference = expected.convertToFormat(QImage::Format_RGB32);
    if (shot.size() != reference.size())
        return -1;
    QImage diff = reference;
    int differing = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb a = shot.pixel(x, y), b = reference.pixel(x, y);
            if (std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) > 48) {
                ++differing;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    }
    if (differing) {
        shot.save(name + QStringLiteral("-actual.png"));
        diff.save(name + QStringLiteral("-difference.png"));
    }
    return differing;
}

// The same against tests/reference/NAME.png.
inline int pixelsDifferingFromReference(const QImage &grab, const QString &name)
{
    const QString path = QStringLiteral(TILLOMAR_SOURCE_DIR "/tests/reference/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("TILLOMAR_WRITE_REFERENCE"))
        return grab.convertToFormat(QImage::Format_RGB32).save(path) ? 0 : -1;
    return pixelsDiffering(grab, QImage(path), name);
}

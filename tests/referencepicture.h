// SPDX-License-Identifier: MIT
#pragma once

// A window's client area at load against a picture taken once from the
// program as designed, pixel for pixel: a control one pixel off, a wrong
// colour, stacking, font or line break shows. TILLOMAR_WRITE_REFERENCE=1
// writes the pictures anew; they must then be looked at.

#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdlib>

// How many pixels differ from tests/reference/NAME.png, beyond the small
// differences in the glyphs' soft edges; -1 when the sizes differ. Writes
// NAME-actual.png and NAME-difference.png where any do.
inline int pixelsDifferingFromReference(const QImage &grab, const QString &name)
{
    const QImage shot = grab.convertToFormat(QImage::Format_RGB32);
    const QString path = QStringLiteral(TILLOMAR_SOURCE_DIR "/tests/reference/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("TILLOMAR_WRITE_REFERENCE"))
        return shot.save(path) ? 0 : -1;
    const QImage reference = QImage(path).convertToFormat(QImage::Format_RGB32);
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

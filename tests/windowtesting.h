// SPDX-License-Identifier: MIT
#pragma once

// What the window tests share: a window shown and active, and a window's
// client area against a picture taken once from the program as designed,
// pixel for pixel, so that a control one pixel off, a wrong colour,
// stacking, font or line break shows. TILLOMAR_WRITE_REFERENCE=1 writes the
// pictures anew; they must then be looked at.

#include "platform/desktop/windowframe.h"
#include "ui/tally_window/tallywindow.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
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

// The user cannot drag the window to another size: the window system's
// frame refuses it where the frame can (Windows), else equal size limits.
inline bool refusesDraggedSize(const QWidget &window)
{
    if (platform::frameKeepsSize())
        return window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
    return window.minimumSize() == window.maximumSize();
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

// The client area against tests/reference/NAME.png. Windows draws glyphs its
// own way: there every control that shows text is left out of both.
inline int pixelsDifferingFromReference(QWidget &clientArea, const QString &name)
{
    const QImage grab = clientArea.grab().toImage();
    const QString path = QStringLiteral(TILLOMAR_SOURCE_DIR "/tests/reference/%1.png").arg(name);
    if (qEnvironmentVariableIsSet("TILLOMAR_WRITE_REFERENCE"))
        return grab.convertToFormat(QImage::Format_RGB32).save(path) ? 0 : -1;
    QImage expected(path);
#ifdef TILLOMAR_PICTURES_WITHOUT_TEXT
    QImage shot = grab;
    for (QImage *picture : {&shot, &expected}) {
        *picture = picture->convertToFormat(QImage::Format_RGB32);
        QPainter blank(picture);
        for (const QWidget *control : clientArea.findChildren<QWidget *>()) {
            const auto *label = qobject_cast<const QLabel *>(control);
            if ((label && !label->text().isEmpty()) || qobject_cast<const QLineEdit *>(control)
                || qobject_cast<const QAbstractButton *>(control))
                blank.fillRect(control->geometry(), Qt::magenta);
        }
    }
    return pixelsDiffering(shot, expected, name);
#else
    return pixelsDiffering(grab, expected, name);
#endif
}

// SPDX-License-Identifier: MIT
#include "platform/forms/controls.h"

#include "platform/desktop/accessibility.h"
#include "platform/forms/pictures.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace platform {

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    // Qt selects the text as Tab brings the focus, before a reader learns of
    // the focus, so the value and "selected" were heard before the name.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) {
        QLineEdit::focusInEvent(event);
        return;
    }
    QFocusEvent withoutSelection(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&withoutSelection);
    // Selected from the end back to the start: the caret then stands at the
    // start of the line, which a reader reads out with the name.
    QMetaObject::invokeMethod(
        this, [this] { setSelection(int(text().size()), -int(text().size())); }, Qt::QueuedConnection);
}

namespace {

// A line's thickness in device pixels: as many whole ones as one logical
// pixel holds, at least one. At 1.5 a logical pixel falls on one device pixel
// or two, depending on where it starts, so rules would come out at two widths.
int lineWidth(qreal ratio)
{
    return std::max(1, int(ratio));
}

// Sets the painter to draw in the device's own pixels and returns the
// control's rectangle there, each edge on the pixel boundary nearest to it,
// as Qt places the control itself.
QRect inDevicePixels(QPainter &painter, const QRect &logical)
{
    const QTransform toDevice = painter.deviceTransform();
    const QRectF exact = toDevice.mapRect(QRectF(logical));
    painter.setWorldTransform(toDevice.inverted());
    return QRect(QPoint(qRound(exact.left()), qRound(exact.top())),
                 QPoint(qRound(exact.right()) - 1, qRound(exact.bottom()) - 1));
}

} // namespace

LineControl::LineControl(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    markDecorative(this);
}

// Lines and outlines are filled in whole device pixels, one width at every
// place in the window, rather than stroked, which would smear them.
void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect line = inDevicePixels(painter, rect());
    painter.fillRect(line.left(), line.top(), line.width(), lineWidth(devicePixelRatioF()), Qt::black);
}

ShapeControl::ShapeControl(QColor fill, QWidget *parent)
    : QWidget(parent)
    , m_fill(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    markDecorative(this);
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect shape = inDevicePixels(painter, rect());
    const int width = lineWidth(devicePixelRatioF());
    painter.fillRect(shape, Qt::black);
    painter.fillRect(shape.adjusted(width, width, -width, -width), m_fill);
}

ImageControl::ImageControl(const QString &picture, QWidget *parent)
    : QLabel(parent)
    , m_picture(picture)
{
    choosePicture();
}

void ImageControl::choosePicture()
{
    m_dense = devicePixelRatioF() > 1;
    setPixmap(loadPicture(m_picture, devicePixelRatioF()));
}

void ImageControl::paintEvent(QPaintEvent *event)
{
    // The window may have moved to a screen of another density.
    if (m_dense != (devicePixelRatioF() > 1))
        choosePicture();
    QLabel::paintEvent(event);
}

} // namespace platform
